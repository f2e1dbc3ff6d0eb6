#pragma once
#include "elementhost.h"
#include "pageprops.h"

#include <QDomDocument>
#include <QList>
#include <QMainWindow>
#include <QNetworkAccessManager>
#include <QPoint>
#include <QVector>

class QAction;
class QMenu;
class QThread;
class QToolBar;
class QNetworkReply;
class R8element;
class R8elementProp;
class R8undo;
class ScreenLayout;
class ScreenThumb;
class WorkArea;
class ZvCommandSender;
class Progress;

class AirspaceStore;

class MainWindow : public QMainWindow, public ElementHost
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Emits UpdateLayout for every page whose bit is set.
    void UpdateLayouts(unsigned int uiPages) override;

    // Editing (element list and undo list).
    int AddElement(int iType);
    R8undo* addUndo(int iKind, int iIndex, R8element* pElement);
    void UnselectAllElements() override;
    void CleanAllElements();
    void CleanUnusedElements();

    // Layout document.
    void loadFile(const QString& fileName);
    bool Save(const QString& fileName);
    void setCurrentFile(const QString& fileName);
    void updateRecentFileActions();
    static QString strippedName(const QString& fullFileName);
    // ".zvl" appended unless the name ends in ".zvl" or ".xml" (case-sensitive).
    static QString WithLayoutExtension(const QString& fileName);
    bool AboutToLooseLayout();

    // Read access for the document commands and tests.
    const QList<R8element*>& Elements() const override { return m_Elements; }
    const QList<R8undo*>& Undos() const { return m_UndoList; }
    const QList<R8element*>& ToolBox() const { return m_ToolBox; }
    ScreenLayout* Page(int i) const;
    ScreenThumb* Thumb(int i) const;
    int CurrentPage() const { return m_iCurrentPage; }
    float Scale() const { return m_fScale; }
    R8elementProp* PropertiesEditor() const { return m_pElementProp; }
    Progress* ProgressDialog() const { return m_pProgress; }
    ZvCommandSender* CommandSender() const { return m_pCommandSender; }
    bool IsModified() const { return m_iModified != 0; }
    QVector<PageProps> PagesProps() const;
    void SetPagesProps(const QVector<PageProps>& pages);

signals:
    void UpdateLayout(int iPage);
    void startSend();

public slots:
    void downloadFinished(QNetworkReply* reply);
    void onSendStarted(int iProgressMax);
    void onSendEnded();
    void onSendProgress(int iCurrent);
    void onSendMessage(const QString& strMessage);
    void PropertiesAction();
    void PreferencesAction();
    void AboutAction();
    void openRecentFile();
    void AdjustGeometry();
    void RefreshPage(int iPage);
    void EditElement(R8element* pElement);
    void MultiSelect(int iNumberOfSelections);
    void VerifyTriggers(int iPage, int iTrigger);
    void SelectPage(ScreenLayout* pLayout);
    void SaveLayouts();
    void SaveAs();
    void OpenLayout();
    void NewLayout();
    void UnDo();
    void ReDo();
    void DeleteElement();
    void ElementGeometryChanging(int iIndex);
    void ElementFieldChanging(int iIndex);
    void FormatToolBarShow(bool show);
    void FileToolBarShow(bool show);
    void SendToDevice();
    void ReceiveLayout();
    void AlignTop();
    void AlignBottom();
    void AlignLeft();
    void AlignRight();
    void AlignCenter();
    void AlignMiddle();
    void AlignHeight();
    void AlignWidth();
    void AlignJoinHorizontal();
    void AlignJoinVertical();
    void LargeFont();
    void NormalFont();
    void TinyFont();
    void TextAlignRight();
    void TextAlignCenter();
    void TextAlignLeft();
    void AutoSize();
    void ApplyProperties();
    void CancelProperties();
    void OpenAirSpace();
    void OpenFirmware();
    // The airspaces loaded in the airspace dialog; they stay for the run, so
    // reopening the dialog shows them again and a flight replay can test
    // them (AirspaceStore::AirspaceOutline).
    AirspaceStore* Airspaces();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    AirspaceStore* m_pAirspaces = nullptr;
    enum { MaxRecentFiles = 5 };

    void CreateToolBox();
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    QList<QAction*> FormatActions() const;
    void StartCatalogueDownload();
    void StartCommandSender();
    void StopCommandSender();
    ScreenLayout* CurrentLayout() const;
    void ClearUndoList();
    void DropSample(int iType, QPoint graphicPos);
    void RemoveFromSelection(R8element* pElement);
    void MarkCurrentThumb();

    QString curFile;
    QAction* separatorAct = nullptr;
    QAction* recentFileActs[MaxRecentFiles] = {};
    QList<R8element*> m_ToolBox;
    QList<R8undo*> m_UndoList;
    QList<R8element*> m_Elements;
    ScreenLayout* m_Layouts[R8_PAGE_COUNT] = {};
    ScreenThumb* m_Thumbs[R8_PAGE_COUNT] = {};
    float m_fScale = 2.0f;
    QDomDocument m_XmlDoc;
    QNetworkAccessManager m_NetManager;
    QNetworkReply* m_pDownloadReply = nullptr;
    WorkArea* m_pWorkArea = nullptr;
    int m_iLastWorkX = -1;
    int m_iLastWorkY = -1;
    R8elementProp* m_pElementProp = nullptr;
    int m_iModified = 0;
    int m_iCurrentPage = 0;

    QAction* newAct = nullptr;
    QAction* openAct = nullptr;
    QAction* saveAct = nullptr;
    QAction* saveAsAct = nullptr;
    QAction* sendAct = nullptr;
    QAction* receiveAct = nullptr;
    QAction* undoAct = nullptr;
    QAction* deleteAct = nullptr;
    QAction* propertiesAct = nullptr;
    QAction* preferencesAct = nullptr;
    QAction* aboutAct = nullptr;
    QAction* formatToolBarAct = nullptr;
    QAction* fileToolBarAct = nullptr;
    QAction* alignTopAct = nullptr;
    QAction* alignBottomAct = nullptr;
    QAction* alignLeftAct = nullptr;
    QAction* alignRightAct = nullptr;
    QAction* alignCenterAct = nullptr;
    QAction* alignMiddleAct = nullptr;
    QAction* alignHeightAct = nullptr;
    QAction* alignWidthAct = nullptr;
    QAction* alignJoinVAct = nullptr;
    QAction* alignJoinHAct = nullptr;
    QAction* textAlignRightAct = nullptr;
    QAction* textAlignCenterAct = nullptr;
    QAction* textAlignLeftAct = nullptr;
    QAction* airSpaceAct = nullptr;
    QAction* firmwareAct = nullptr;
    QAction* largeFontAct = nullptr;
    QAction* normalFontAct = nullptr;
    QAction* tinyFontAct = nullptr;
    QAction* autoSizeAct = nullptr;

    QMenu* fileMenu = nullptr;
    QMenu* editMenu = nullptr;
    QMenu* viewMenu = nullptr;
    QMenu* formatMenu = nullptr;
    QMenu* toolsMenu = nullptr;
    QMenu* helpMenu = nullptr;

    QString m_strCurrentLayoutPath;
    QToolBar* FormatingToolBar = nullptr;
    QToolBar* FileToolBar = nullptr;
    QToolBar* EditingToolBar = nullptr;

    QPoint m_DragPos;
    R8element* m_pDragged = nullptr;

    QThread* m_pSenderThread = nullptr;
    ZvCommandSender* m_pCommandSender = nullptr;
    Progress* m_pProgress = nullptr;
};
