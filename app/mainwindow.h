#pragma once
#include "elementhost.h"
#include "pageprops.h"
#include "recoveryfile.h"

#include <QDomDocument>
#include <QList>
#include <QMainWindow>
#include <QNetworkAccessManager>
#include <QPoint>
#include <QVector>

class QAction;
class QMenu;
class QScrollArea;
class QThread;
class QTimer;
class QToolBar;
class QNetworkReply;
class QUndoCommand;
class QUndoStack;
class R8element;
class R8elementProp;
class R8undo;
class ScreenLayout;
class ScreenThumb;
class WorkArea;
class LayoutCheckDock;
namespace LayoutFile {
struct ObjectRecord;
}
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

    // Editing (element list and history).
    int AddElement(int iType);
    // What releasing a dragged tool box sample of that type at graphicPos
    // (window coordinates) does: adds it to the current page, selected and
    // new, and opens its properties.
    void DropSample(int iType, QPoint graphicPos);
    R8undo* addUndo(int iKind, int iIndex, R8element* pElement);
    void UnselectAllElements() override;
    void CleanAllElements();
    void CleanUnusedElements();

    // The history. Every change of the layout is a QUndoCommand on this
    // stack; its clean state marks the last load, save or New, so the
    // layout is modified exactly when the history has moved away from it.
    // Element setters record their own steps (addUndo); other code pushes
    // a ready command with PushCommand (QUndoStack::push runs its redo()
    // at once). A change made of several steps becomes one step for the
    // pilot between undoStack()->beginMacro(text) and endMacro(), or as
    // child commands of one parent QUndoCommand.
    QUndoStack* undoStack() const { return m_pUndoStack; }
    void PushCommand(QUndoCommand* pCommand);
    // Element list primitives for commands. InsertElement puts an element
    // (back) at a place in the list; TakeElement takes it out, unselected,
    // and returns its former place (-1 when it was not in the list): it is
    // then the caller's to keep or delete.
    void InsertElement(int iIndex, R8element* pElement);
    int TakeElement(R8element* pElement);

    // Layout document.
    void loadFile(const QString& fileName);
    bool Save(const QString& fileName);
    void setCurrentFile(const QString& fileName);
    void updateRecentFileActions();
    static QString strippedName(const QString& fullFileName);
    // ".zvl" appended unless the name ends in ".zvl" or ".xml" (case-sensitive).
    static QString WithLayoutExtension(const QString& fileName);
    bool AboutToLooseLayout();
    // Crash recovery: asks about the copies that runs which were killed or
    // crashed left behind, and restores the one the pilot picks.
    void OfferRecovery();
    bool RestoreRecovery(const RecoveryFile::Stale& stale);
    // Writes this run's recovery copy now (the timer does it after changes).
    void WriteRecovery();
    const RecoveryFile& Recovery() const { return m_Recovery; }

    // Read access for the document commands and tests.
    const QList<R8element*>& Elements() const override { return m_Elements; }
    // The element records that Undo can still take back, oldest first.
    QList<R8undo*> Undos() const;
    const QList<R8element*>& ToolBox() const { return m_ToolBox; }
    ScreenLayout* Page(int i) const;
    ScreenThumb* Thumb(int i) const;
    int CurrentPage() const { return m_iCurrentPage; }
    float Scale() const { return m_fScale; }
    R8elementProp* PropertiesEditor() const { return m_pElementProp; }
    Progress* ProgressDialog() const { return m_pProgress; }
    ZvCommandSender* CommandSender() const { return m_pCommandSender; }
    bool IsModified() const;
    QVector<PageProps> PagesProps() const;
    void SetPagesProps(const QVector<PageProps>& pages);

    // Pictures of the layout as r8tool render paints them (the current page;
    // all sixteen and the contact sheet). False with a message on failure.
    bool ExportPageImage(const QString& path, float fZoom, QString* message) const;
    bool ExportAllPages(const QString& folder, float fZoom, QString* message) const;
    LayoutCheckDock* CheckDock() const { return m_pCheckDock; }

    // Copies of pages (mainwindow_clipboard.cpp), each one step of the
    // history: the page's elements also shown on the target pages, or
    // copies of them put there; the page emptied; two pages exchanged with
    // their elements, names, triggers and disabled flags.
    void CopyPage(int iFrom, quint32 uTargets, bool bDuplicate);
    void ClearPage(int iPage);
    void SwapPages(int iPage, int iOther);

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
    void PagePropsChanging(int iPage);
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
    // Designing pages (mainwindow_design.cpp).
    void CheckLayout();
    void ExportPageAction();
    void ExportAllAction();
    void ApplyGrid();
    void ShowProblem(int iPage, const QList<R8element*>& elements);
    // The clipboard (mainwindow_clipboard.cpp).
    void CutElements();
    void CopyElements();
    void PasteElements();
    void DuplicateElements();
    void PageContextMenu(int iPage, const QPoint& globalPos);
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
    void UpdateTitle();
    bool ReadLayout(const QString& fileName);
    QString LastFolder() const;
    void RememberFolder(const QString& fileName);
    void ScheduleRecovery();
    void RemoveFromSelection(R8element* pElement);
    void MarkCurrentThumb();
    void ClearSelection();
    void CreateDesignActions();
    bool ConfirmSendWithProblems();
    void RefreshCheckLater();
    bool AskExportZoom(const QString& title, float* pZoom);
    void RunExport(const QString& title, bool bOnePage);
    void CreateClipboardActions();
    QList<R8element*> SelectionOnPage();
    QList<R8element*> MakeCopies(const QVector<LayoutFile::ObjectRecord>& records, int iPage);
    void PlaceCopies(const QVector<LayoutFile::ObjectRecord>& records, const QString& text);

    QString curFile;
    QAction* separatorAct = nullptr;
    QAction* recentFileActs[MaxRecentFiles] = {};
    QList<R8element*> m_ToolBox;
    QUndoStack* m_pUndoStack = nullptr;
    QVector<PageProps> m_PagesBefore; // announced by a page's dialog
    RecoveryFile m_Recovery;
    QTimer* m_pRecoveryTimer = nullptr;
    QList<R8element*> m_Elements;
    ScreenLayout* m_Layouts[R8_PAGE_COUNT] = {};
    ScreenThumb* m_Thumbs[R8_PAGE_COUNT] = {};
    float m_fScale = 2.0f;
    QDomDocument m_XmlDoc;
    QNetworkAccessManager m_NetManager;
    QNetworkReply* m_pDownloadReply = nullptr;
    WorkArea* m_pWorkArea = nullptr;
    QRect m_LastWork;                // the work area's geometry AdjustGeometry last saw
    int m_iBaseWidth = 0;            // the window's width without side tool bars
    QList<QPoint> m_ToolBoxHome;     // sample places with the work area at (0, 0)
    QScrollArea* m_pStrip = nullptr; // holds the thumbnails
    R8elementProp* m_pElementProp = nullptr;
    int m_iCurrentPage = 0;

    QAction* newAct = nullptr;
    QAction* openAct = nullptr;
    QAction* saveAct = nullptr;
    QAction* saveAsAct = nullptr;
    QAction* sendAct = nullptr;
    QAction* receiveAct = nullptr;
    QAction* undoAct = nullptr;
    QAction* redoAct = nullptr;
    QAction* quitAct = nullptr;
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
    QAction* checkAct = nullptr;
    QAction* cutAct = nullptr;
    QAction* copyAct = nullptr;
    QAction* pasteAct = nullptr;
    QAction* duplicateAct = nullptr;
    QAction* exportPageAct = nullptr;
    QAction* exportAllAct = nullptr;
    QAction* showGridAct = nullptr;
    QAction* snapGridAct = nullptr;

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

    LayoutCheckDock* m_pCheckDock = nullptr;
    bool m_bCheckPending = false;
};
