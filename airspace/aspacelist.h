#pragma once
#include "airspacestore.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class Progress;
class QThread;
class QTreeWidget;
class QTreeWidgetItem;
class Ui_ASpaceList;
class ZvCommandSender;

// Models the airspace upload may go to: all but Dulan, DULAN SD and R7OSK.
constexpr unsigned int R8_AIRSPACE_MODELS = 247;

// The airspace tool: OpenAir files in a checkable tree, the instrument
// memory they need, and the upload of the checked airspaces.
class ASpaceList : public QDialog
{
    Q_OBJECT
public:
    explicit ASpaceList(QWidget* parent = nullptr);
    ~ASpaceList() override;

    void LoadData(const QString& strPath);
    int GetSize();
    void UpdateMemoryOcupation(int iSize);
    void ModifyChecks(QTreeWidgetItem* item, Qt::CheckState state);

    // Plain functions over file items (top-level items of the tree), so the
    // batch can be built without a dialog.
    static int ComputeSize(const QList<QTreeWidgetItem*>& files);
    static QStringList BuildBatch(const QList<QTreeWidgetItem*>& files);
    static QString AirspaceSentence(const QTreeWidgetItem* airspace);
    // A name fit for a sentence: no field or frame characters, at most
    // iRoom characters.
    static QString SentenceName(const QString& strName, int iRoom);
    // The name as the instrument can show it: one byte per character, so
    // letters outside Latin-1 lose their accents ("Kędzierzyn" gives
    // "Kedzierzyn") and what has no Latin-1 form is left out.
    static QString Latin1Name(const QString& strName);

    QTreeWidget* Tree() const;
    QList<QTreeWidgetItem*> FileItems() const;
    int MemoryUsed() const { return iMemoryUsed; }
    QString MemoryText() const;
    int MemoryBarValue() const;
    bool UploadEnabled() const;
    bool Sending() const { return bSending; }
    ZvCommandSender* Sender() const { return pSender; }
    Progress* ProgressDialog() const { return pProgress; }

signals:
    void startSend();

public slots:
    void onOpenFile();
    void onUpload();
    void onTreeItemChange(QTreeWidgetItem* item, int column);
    void onSendStarted(int iCount);
    void onSendEnded();
    void onSendProgress(int iCurrent);
    void onSendMessage(const QString& strMessage);

public:
    // Closing while a batch runs waits for its end (each sentence is bounded
    // by the sender's reply time-out), so the instrument is not left halfway.
    void done(int r) override;

private:
    void ConnectTree(bool bConnect);

    int iMemoryUsed = 0;
    QThread* pThread = nullptr;
    ZvCommandSender* pSender = nullptr;
    Progress* pProgress = nullptr;
    Ui_ASpaceList* ui = nullptr;
    bool bSending = false;
    bool bClosePending = false;
    int iPendingResult = 0;
};
