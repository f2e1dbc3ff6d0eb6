#pragma once
#include "airspacefilter.h"
#include "airspacestore.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class AirspaceMapView;
class AirspaceModel;
class Progress;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QModelIndex;
class QProgressBar;
class QPushButton;
class QThread;
class QTreeView;
class QTreeWidgetItem;
class ZvCommandSender;

// Models the airspace upload may go to: all but Dulan, DULAN SD and R7OSK.
constexpr unsigned int R8_AIRSPACE_MODELS = 247;

// The airspace tool: the OpenAir files of a store in a checkable tree and on
// a map, filters that choose what fits the instrument, the memory the
// checked airspaces need, and their upload.
class ASpaceList : public QDialog
{
    Q_OBJECT
public:
    // With a store of its own, or showing one that outlives the dialog (the
    // main window's: files loaded stay loaded when the dialog reopens).
    explicit ASpaceList(QWidget* parent = nullptr);
    ASpaceList(AirspaceStore* pStore, QWidget* parent);
    ~ASpaceList() override;

    // Reads a file into the store, with a progress dialog that can cancel
    // for big files.
    void LoadData(const QString& strPath);
    int GetSize();
    void UpdateMemoryOcupation(int iSize);
    // Sets the check state of a file or airspace row (and what follows from it).
    void ModifyChecks(const QModelIndex& index, Qt::CheckState state);

    // The same batch and estimate over tree items made by AirSpace.
    static int ComputeSize(const QList<QTreeWidgetItem*>& files);
    static QStringList BuildBatch(const QList<QTreeWidgetItem*>& files);
    static QString AirspaceSentence(const QTreeWidgetItem* airspace);
    static QString SentenceName(const QString& strName, int iRoom);
    static QString Latin1Name(const QString& strName);

    AirspaceStore* Store() const { return store; }
    AirspaceModel* Model() const { return model; }
    QTreeView* View() const { return view; }
    AirspaceMapView* Map() const { return map; }
    AirspaceFilter Filter() const;
    void SetFilter(const AirspaceFilter& filter);
    const QVector<int>& Matching() const { return matching; }
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
    void onSendStarted(int iCount);
    void onSendEnded();
    void onSendProgress(int iCurrent);
    void onSendMessage(const QString& strMessage);
    void onFilterChanged();
    void onCheckMatching();
    void onUncheckOthers();
    void onFillToFit();

public:
    // Closing while a batch runs waits for its end (each sentence is bounded
    // by the sender's reply time-out), so the instrument is not left halfway.
    void done(int r) override;

private:
    void BuildForm();
    void RestoreFilter();
    void SaveFilter() const;
    void RefreshClasses();
    void ChecksChanged();
    void SelectAirspace(int iAirspace);

    AirspaceStore* store;
    AirspaceStore* ownStore = nullptr;
    AirspaceModel* model = nullptr;
    QTreeView* view = nullptr;
    AirspaceMapView* map = nullptr;
    QVector<int> matching;
    int iMemoryUsed = 0;
    QThread* pThread = nullptr;
    ZvCommandSender* pSender = nullptr;
    Progress* pProgress = nullptr;
    bool bSending = false;
    bool bClosePending = false;
    int iPendingResult = 0;

    QProgressBar* bar = nullptr;
    QLabel* memoryText = nullptr;
    QPushButton* uploadButton = nullptr;
    QCheckBox* nearCheck = nullptr;
    QLineEdit* placeEdit = nullptr;
    QDoubleSpinBox* radiusSpin = nullptr;
    QCheckBox* floorCheck = nullptr;
    QDoubleSpinBox* floorSpin = nullptr;
    QComboBox* floorUnit = nullptr;
    QLineEdit* nameEdit = nullptr;
    QListWidget* classList = nullptr;
    QLabel* matchLabel = nullptr;
};
