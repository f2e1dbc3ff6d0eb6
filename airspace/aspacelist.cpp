#include "aspacelist.h"
#include "airspace.h"
#include "airspacemap.h"
#include "airspacemodel.h"
#include "progress.h"
#include "zvcommandsender.h"
#include "zvcomport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QThread>
#include <QTreeView>
#include <QTreeWidgetItem>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int kNameColumnWidth = 260;
constexpr int kButtonWidth = 114;
// A closing dialog lets a running batch end; past this the batch is cut.
constexpr unsigned long kBatchEndWaitMs = 60000;
// Files from this size on are read with a progress dialog that can cancel.
constexpr qint64 kProgressFromBytes = qint64(8) * 1024 * 1024;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kMaxRadiusKm = 5000.0;
constexpr double kDefaultRadiusKm = 100.0;

const char kKeyNear[] = "AirspaceFilter/Near";
const char kKeyPlace[] = "AirspaceFilter/Place";
const char kKeyRadius[] = "AirspaceFilter/RadiusKm";
const char kKeyHiddenClasses[] = "AirspaceFilter/HiddenClasses";
const char kKeyFloorBelow[] = "AirspaceFilter/FloorBelow";
const char kKeyFloorHeight[] = "AirspaceFilter/FloorHeight";
const char kKeyFloorFeet[] = "AirspaceFilter/FloorInFeet";

} // namespace

ASpaceList::ASpaceList(QWidget* parent)
    : ASpaceList(nullptr, parent)
{
}

ASpaceList::ASpaceList(AirspaceStore* pStore, QWidget* parent)
    : QDialog(parent)
    , store(pStore)
{
    if (!store)
        store = ownStore = new AirspaceStore;
    setObjectName(QStringLiteral("ASpaceList"));
    setWindowTitle(tr("Airspaces"));
    setWindowFlags(windowFlags() | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/images/airspace.png")));

    pProgress = new Progress(this);
    pThread = new QThread;
    pSender = new ZvCommandSender;
    connect(this, &ASpaceList::startSend, pSender, &ZvCommandSender::doWork);
    pSender->moveToThread(pThread);
    pThread->start();
    connect(pSender, &ZvCommandSender::started, this, &ASpaceList::onSendStarted);
    connect(pSender, &ZvCommandSender::ended, this, &ASpaceList::onSendEnded);
    connect(pSender, &ZvCommandSender::message, this, &ASpaceList::onSendMessage);
    connect(pSender, &ZvCommandSender::progress, this, &ASpaceList::onSendProgress);

    BuildForm();
    RestoreFilter();
    RefreshClasses();
    onFilterChanged();
    map->FitAll();
    // A store kept from an earlier run of the dialog shows its estimate at once.
    if (store->FileCount() > 0)
        ChecksChanged();
}

ASpaceList::~ASpaceList()
{
    // Normally idle here: done() waited for a running batch.
    pThread->quit();
    if (pThread->wait(kBatchEndWaitMs)) {
        delete pSender;
        delete pThread;
    } else {
        FinishSenderThread(pThread, pSender);
        if (pThread->isRunning())
            qDebug() << "airspace sender thread still running; left alone";
        else
            delete pThread;
    }
    delete model;
    delete ownStore;
}

void ASpaceList::BuildForm()
{
    model = new AirspaceModel(store);
    view = new QTreeView;
    view->setObjectName(QStringLiteral("treeView"));
    view->setModel(model);
    view->setUniformRowHeights(true);
    view->header()->resizeSection(AirspaceModel::NameColumn, kNameColumnWidth);
    map = new AirspaceMapView(store);
    map->setObjectName(QStringLiteral("map"));

    auto* filters = new QGroupBox(tr("Choose what fits"));
    auto* grid = new QGridLayout(filters);
    nearCheck = new QCheckBox(tr("Around"));
    placeEdit = new QLineEdit;
    placeEdit->setPlaceholderText(tr("45.5 N 6.25 E, or Ctrl+click on the map"));
    radiusSpin = new QDoubleSpinBox;
    radiusSpin->setRange(1.0, kMaxRadiusKm);
    radiusSpin->setValue(kDefaultRadiusKm);
    radiusSpin->setSuffix(tr(" km"));
    grid->addWidget(nearCheck, 0, 0);
    grid->addWidget(placeEdit, 0, 1, 1, 2);
    grid->addWidget(radiusSpin, 0, 3);
    floorCheck = new QCheckBox(tr("Floor at or below"));
    floorSpin = new QDoubleSpinBox;
    floorSpin->setRange(0.0, 30000.0);
    floorSpin->setDecimals(0);
    floorUnit = new QComboBox;
    floorUnit->addItems({tr("m"), tr("ft")});
    grid->addWidget(floorCheck, 1, 0);
    grid->addWidget(floorSpin, 1, 1);
    grid->addWidget(floorUnit, 1, 2);
    nameEdit = new QLineEdit;
    nameEdit->setPlaceholderText(tr("Part of the name"));
    grid->addWidget(new QLabel(tr("Name")), 2, 0);
    grid->addWidget(nameEdit, 2, 1, 1, 3);
    classList = new QListWidget;
    classList->setFlow(QListView::LeftToRight);
    classList->setWrapping(true);
    classList->setMaximumHeight(52);
    grid->addWidget(new QLabel(tr("Classes")), 3, 0);
    grid->addWidget(classList, 3, 1, 1, 3);
    auto* checkMatching = new QPushButton(tr("Check matching"));
    auto* uncheckOthers = new QPushButton(tr("Uncheck all others"));
    auto* fill = new QPushButton(tr("Fill to fit"));
    fill->setToolTip(tr("Checks the matching airspaces nearest the place first, as many as the instrument holds"));
    for (QPushButton* b : {checkMatching, uncheckOthers, fill})
        b->setAutoDefault(false);
    matchLabel = new QLabel;
    auto* actions = new QHBoxLayout;
    actions->addWidget(checkMatching);
    actions->addWidget(uncheckOthers);
    actions->addWidget(fill);
    actions->addWidget(matchLabel, 1);
    grid->addLayout(actions, 4, 0, 1, 4);

    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(view, 1);
    leftLayout->addWidget(filters);
    auto* splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(map);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({540, 460});

    auto* caption = new QLabel(tr("Memory used on instrument."));
    caption->setObjectName(QStringLiteral("label"));
    bar = new QProgressBar;
    bar->setObjectName(QStringLiteral("progressBar"));
    bar->setRange(0, R8_AIRSPACE_CAPACITY);
    bar->setValue(0);
    bar->setTextVisible(false);
    memoryText = new QLabel;
    memoryText->setObjectName(QStringLiteral("textOverflow"));
    memoryText->setAlignment(Qt::AlignCenter);
    auto* gauge = new QGridLayout;
    gauge->addWidget(bar, 0, 0);
    gauge->addWidget(memoryText, 0, 0); // lies over the bar

    auto* openButton = new QPushButton(tr("Open file"));
    openButton->setObjectName(QStringLiteral("pushButton_2"));
    uploadButton = new QPushButton(tr("Upload"));
    uploadButton->setObjectName(QStringLiteral("pushButton"));
    uploadButton->setAutoDefault(false);
    auto* closeButton = new QPushButton(tr("Close"));
    closeButton->setObjectName(QStringLiteral("pushButton_3"));
    // As wide as they always were: scripts find them by place.
    for (QPushButton* b : {openButton, uploadButton, closeButton})
        b->setMinimumWidth(kButtonWidth);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(openButton);
    buttons->addWidget(uploadButton);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(caption);
    layout->addLayout(gauge);
    layout->addLayout(buttons);
    setTabOrder(openButton, uploadButton);
    setTabOrder(uploadButton, closeButton);
    setTabOrder(closeButton, view);
    resize(1000, 680);

    connect(openButton, &QPushButton::clicked, this, &ASpaceList::onOpenFile);
    connect(uploadButton, &QPushButton::clicked, this, &ASpaceList::onUpload);
    connect(closeButton, &QPushButton::clicked, this, &ASpaceList::reject);
    connect(checkMatching, &QPushButton::clicked, this, &ASpaceList::onCheckMatching);
    connect(uncheckOthers, &QPushButton::clicked, this, &ASpaceList::onUncheckOthers);
    connect(fill, &QPushButton::clicked, this, &ASpaceList::onFillToFit);
    connect(model, &AirspaceModel::checksChanged, this, &ASpaceList::ChecksChanged);
    for (QCheckBox* c : {nearCheck, floorCheck})
        connect(c, &QCheckBox::toggled, this, &ASpaceList::onFilterChanged);
    for (QLineEdit* e : {placeEdit, nameEdit})
        connect(e, &QLineEdit::textChanged, this, &ASpaceList::onFilterChanged);
    for (QDoubleSpinBox* b : {radiusSpin, floorSpin})
        connect(b, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &ASpaceList::onFilterChanged);
    connect(floorUnit, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ASpaceList::onFilterChanged);
    connect(classList, &QListWidget::itemChanged, this, &ASpaceList::onFilterChanged);
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        map->Painter().SetSelected(model->AirspaceOf(current));
        map->update();
    });
    connect(map, &AirspaceMapView::airspaceClicked, this, &ASpaceList::SelectAirspace);
    connect(map, &AirspaceMapView::airspaceDoubleClicked, this, [this](int a) {
        store->SetAirspaceChecked(a, !store->Airspace(a).checked);
        model->RefreshChecks();
    });
    connect(map, &AirspaceMapView::placePicked, this, [this](double lat, double lon) {
        placeEdit->setText(PlaceText({lat, lon}));
        nearCheck->setChecked(true);
    });
}

void ASpaceList::SelectAirspace(int iAirspace)
{
    const QModelIndex index = model->AirspaceIndex(iAirspace);
    if (!index.isValid())
        return;
    view->setCurrentIndex(index);
    view->scrollTo(index);
}

AirspaceFilter ASpaceList::Filter() const
{
    AirspaceFilter f;
    f.bNear = nearCheck->isChecked() && ParsePlace(placeEdit->text(), &f.place);
    f.radiusKm = radiusSpin->value();
    f.bFloorBelow = floorCheck->isChecked();
    f.floorBelowMetres = float(floorSpin->value() * (floorUnit->currentIndex() == 1 ? kMetresPerFoot : 1.0));
    f.nameSearch = nameEdit->text().trimmed();
    bool bAll = true;
    QStringList chosen;
    for (int i = 0; i < classList->count(); ++i) {
        if (classList->item(i)->checkState() == Qt::Checked)
            chosen << classList->item(i)->data(Qt::UserRole).toString();
        else
            bAll = false;
    }
    if (!bAll)
        f.classes = chosen.isEmpty() ? QStringList{QString(QChar(0))} : chosen; // none chosen: nothing matches
    return f;
}

void ASpaceList::SetFilter(const AirspaceFilter& f)
{
    const QSignalBlocker blocks[] = {
        QSignalBlocker(nearCheck), QSignalBlocker(placeEdit), QSignalBlocker(radiusSpin), QSignalBlocker(floorCheck),
        QSignalBlocker(floorSpin), QSignalBlocker(floorUnit), QSignalBlocker(nameEdit),   QSignalBlocker(classList)};
    nearCheck->setChecked(f.bNear);
    if (f.bNear)
        placeEdit->setText(PlaceText(f.place));
    radiusSpin->setValue(f.radiusKm);
    floorCheck->setChecked(f.bFloorBelow);
    floorUnit->setCurrentIndex(0);
    floorSpin->setValue(f.floorBelowMetres);
    nameEdit->setText(f.nameSearch);
    for (int i = 0; i < classList->count(); ++i) {
        const QString token = classList->item(i)->data(Qt::UserRole).toString();
        classList->item(i)->setCheckState(f.classes.isEmpty() || f.classes.contains(token) ? Qt::Checked
                                                                                           : Qt::Unchecked);
    }
    onFilterChanged();
}

void ASpaceList::RestoreFilter()
{
    const QSettings settings;
    const QSignalBlocker blocks[] = {QSignalBlocker(nearCheck),  QSignalBlocker(placeEdit),
                                     QSignalBlocker(radiusSpin), QSignalBlocker(floorCheck),
                                     QSignalBlocker(floorSpin),  QSignalBlocker(floorUnit)};
    placeEdit->setText(settings.value(QLatin1String(kKeyPlace)).toString());
    nearCheck->setChecked(settings.value(QLatin1String(kKeyNear), false).toBool());
    radiusSpin->setValue(settings.value(QLatin1String(kKeyRadius), kDefaultRadiusKm).toDouble());
    floorCheck->setChecked(settings.value(QLatin1String(kKeyFloorBelow), false).toBool());
    floorUnit->setCurrentIndex(settings.value(QLatin1String(kKeyFloorFeet), false).toBool() ? 1 : 0);
    floorSpin->setValue(settings.value(QLatin1String(kKeyFloorHeight), 0.0).toDouble());
}

void ASpaceList::SaveFilter() const
{
    QSettings settings;
    settings.setValue(QLatin1String(kKeyNear), nearCheck->isChecked());
    settings.setValue(QLatin1String(kKeyPlace), placeEdit->text());
    settings.setValue(QLatin1String(kKeyRadius), radiusSpin->value());
    settings.setValue(QLatin1String(kKeyFloorBelow), floorCheck->isChecked());
    settings.setValue(QLatin1String(kKeyFloorHeight), floorSpin->value());
    settings.setValue(QLatin1String(kKeyFloorFeet), floorUnit->currentIndex() == 1);
    QStringList hidden = settings.value(QLatin1String(kKeyHiddenClasses)).toStringList();
    for (int i = 0; i < classList->count(); ++i) {
        const QString token = classList->item(i)->data(Qt::UserRole).toString();
        hidden.removeAll(token);
        if (classList->item(i)->checkState() != Qt::Checked)
            hidden << token;
    }
    settings.setValue(QLatin1String(kKeyHiddenClasses), hidden);
}

void ASpaceList::RefreshClasses()
{
    const QSignalBlocker block(classList);
    const QStringList hidden = QSettings().value(QLatin1String(kKeyHiddenClasses)).toStringList();
    QVector<int> counts(store->Tokens().size(), 0);
    for (int a = 0; a < store->AirspaceCount(); ++a)
        ++counts[store->Airspace(a).token];
    QStringList present;
    for (int t = 0; t < store->Tokens().size(); ++t)
        if (counts.at(t) > 0 && !present.contains(store->Token(t)))
            present << store->Token(t);
    present.sort();
    classList->clear();
    for (const QString& token : qAsConst(present)) {
        auto* item = new QListWidgetItem(token.isEmpty() ? tr("(none)") : token, classList);
        item->setData(Qt::UserRole, token);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(hidden.contains(token) ? Qt::Unchecked : Qt::Checked);
    }
}

void ASpaceList::onFilterChanged()
{
    const AirspaceFilter f = Filter();
    matching = MatchingAirspaces(*store, f);
    model->ShowOnly(matching, f.IsEmpty());
    int bytes = 0;
    for (const int a : qAsConst(matching))
        bytes += store->Cost(a);
    matchLabel->setText(
        tr("%1 of %2 airspaces match, %3 bytes").arg(matching.size()).arg(store->AirspaceCount()).arg(bytes));
    map->Painter().SetPlace(f.bNear, f.place, f.radiusKm);
    map->update();
    SaveFilter();
}

void ASpaceList::onCheckMatching()
{
    for (const int a : qAsConst(matching))
        store->SetAirspaceChecked(a, true);
    model->RefreshChecks();
}

void ASpaceList::onUncheckOthers()
{
    QVector<bool> keep(store->AirspaceCount(), false);
    for (const int a : qAsConst(matching))
        keep[a] = true;
    for (int a = 0; a < store->AirspaceCount(); ++a)
        if (!keep.at(a))
            store->SetAirspaceChecked(a, false);
    model->RefreshChecks();
}

void ASpaceList::onFillToFit()
{
    FillToFit(*store, Filter());
    model->RefreshChecks();
}

void ASpaceList::ChecksChanged()
{
    iMemoryUsed = GetSize();
    UpdateMemoryOcupation(iMemoryUsed);
    map->update();
}

QString ASpaceList::MemoryText() const
{
    return memoryText->text();
}

int ASpaceList::MemoryBarValue() const
{
    return bar->value();
}

bool ASpaceList::UploadEnabled() const
{
    return uploadButton->isEnabled();
}

void ASpaceList::onOpenFile()
{
    setCursor(Qt::BusyCursor);
    const QStringList paths =
        QFileDialog::getOpenFileNames(this, tr("Openair files"), QDir::homePath(), tr("txt Files (*.txt)"));
    for (const QString& path : paths) {
        const int before = store->FileCount();
        LoadData(path);
        // The file's row says it too, but a refusal must not pass unseen.
        if (store->FileCount() > before && !store->File(before).error.isEmpty())
            QMessageBox::warning(this, tr("Airspaces"),
                                 tr("%1 could not be read: %2").arg(path, store->File(before).error));
    }
    setCursor(Qt::ArrowCursor);
}

void ASpaceList::LoadData(const QString& strPath)
{
    AirspaceStore::Progress progress;
    QProgressDialog* dialog = nullptr;
    if (QFileInfo(strPath).size() >= kProgressFromBytes) {
        dialog =
            new QProgressDialog(tr("Reading %1").arg(QFileInfo(strPath).fileName()), tr("Cancel"), 0, 1000, this);
        dialog->setWindowModality(Qt::WindowModal);
        dialog->setMinimumDuration(0);
        progress = [dialog](qint64 done, qint64 total) {
            dialog->setValue(int(total > 0 ? done * 1000 / total : 0));
            QCoreApplication::processEvents();
            return !dialog->wasCanceled();
        };
    }
    const bool bFirst = store->FileCount() == 0;
    const int file = store->LoadFile(strPath, progress);
    delete dialog;
    if (file < 0) {
        qDebug() << "airspace file" << strPath << "not loaded: cancelled";
        return;
    }
    qDebug() << "airspace file" << strPath << store->File(file).airspaceCount << "airspaces,"
             << store->File(file).warnings.size() << "warnings";
    map->Painter().Invalidate();
    RefreshClasses();
    onFilterChanged();
    if (bFirst)
        map->FitAll();
    ChecksChanged();
}

int ASpaceList::GetSize()
{
    return store->ComputeSize();
}

void ASpaceList::ModifyChecks(const QModelIndex& index, Qt::CheckState state)
{
    if (index.isValid())
        model->setData(index.sibling(index.row(), 0), state, Qt::CheckStateRole);
}

int ASpaceList::ComputeSize(const QList<QTreeWidgetItem*>& files)
{
    int total = 0;
    for (const QTreeWidgetItem* file : files) {
        for (int i = 0; i < file->childCount(); ++i) {
            const QTreeWidgetItem* air = file->child(i);
            if (air->checkState(0) != Qt::Checked || air->childCount() == 0)
                continue;
            total += R8_AIRSPACE_BYTES;
            const QVariant counted = air->data(0, AirShapeCountRole);
            if (counted.isValid() && counted.toInt() == air->childCount()) {
                total += air->data(0, AirShapeBytesRole).toInt();
                continue;
            }
            for (int k = 0; k < air->childCount(); ++k) {
                switch (AirNodeKindOf(air->child(k))) {
                case AirNodePoint:
                    total += R8_POINT_BYTES;
                    break;
                case AirNodeCircle:
                    total += R8_CIRCLE_BYTES;
                    break;
                case AirNodeArc:
                    total += R8_ARC_BYTES;
                    break;
                default:
                    break;
                }
            }
        }
    }
    return total;
}

void ASpaceList::UpdateMemoryOcupation(int iSize)
{
    const QString percent = QString::number(iSize * 100.0 / R8_AIRSPACE_CAPACITY, 'f', 0);
    if (iSize <= R8_AIRSPACE_CAPACITY) {
        memoryText->setText(tr("%1%").arg(percent));
        bar->setMaximum(R8_AIRSPACE_CAPACITY);
        bar->setValue(iSize);
    } else {
        memoryText->setText(tr("Overflow!! %1%").arg(percent));
        bar->setValue(R8_AIRSPACE_CAPACITY);
    }
}

QString ASpaceList::Latin1Name(const QString& strName)
{
    return ::Latin1Name(strName);
}

QString ASpaceList::SentenceName(const QString& strName, int iRoom)
{
    return ::SentenceName(strName, iRoom);
}

QString ASpaceList::AirspaceSentence(const QTreeWidgetItem* air)
{
    return AirspaceHeadSentence(air->data(0, AirFloorRole).toFloat(), air->data(0, AirCeilingRole).toFloat(),
                                air->data(0, AirMinLonRole).toFloat(), air->data(0, AirMaxLonRole).toFloat(),
                                air->text(0));
}

QStringList ASpaceList::BuildBatch(const QList<QTreeWidgetItem*>& files)
{
    QStringList batch;
    batch << QStringLiteral("PZVCTR,");
    for (const QTreeWidgetItem* file : files) {
        for (int i = 0; i < file->childCount(); ++i) {
            const QTreeWidgetItem* air = file->child(i);
            if (air->checkState(0) != Qt::Checked)
                continue;
            if (air->childCount() > 0)
                batch << AirspaceSentence(air);
            // Each airspace is a shape of its own: its first point is sent
            // even when the airspace before ended on the same spot.
            float prevLat = R8_NO_PREVIOUS_POINT;
            float prevLon = R8_NO_PREVIOUS_POINT;
            for (int k = 0; k < air->childCount(); ++k) {
                const QTreeWidgetItem* shape = air->child(k);
                AppendShapeSentence(batch,
                                    {AirNodeKindOf(shape), shape->data(0, AirLatRole).toFloat(),
                                     shape->data(0, AirLonRole).toFloat(), shape->data(0, AirRadiusRole).toFloat(),
                                     shape->data(0, AirAngle1Role).toFloat(),
                                     shape->data(0, AirAngle2Role).toFloat()},
                                    &prevLat, &prevLon);
            }
        }
    }
    batch << QStringLiteral("PZVCTT,");
    return batch;
}

void ASpaceList::onUpload()
{
    if (bSending)
        return;
    pSender->SupportedDevices(R8_AIRSPACE_MODELS);
    const QStringList batch = store->BuildBatch();
    for (const QString& body : batch)
        pSender->AddCommand(body);
    uploadButton->setEnabled(false);
    bSending = true;
    emit startSend();
}

void ASpaceList::onSendStarted(int iCount)
{
    pProgress->SetProgresMax(iCount);
    pProgress->UpdateProgress(0);
    pProgress->show();
}

void ASpaceList::onSendEnded()
{
    uploadButton->setEnabled(true);
    pProgress->hide();
    bSending = false;
    if (bClosePending) {
        bClosePending = false;
        QDialog::done(iPendingResult);
    }
}

void ASpaceList::onSendProgress(int iCurrent)
{
    pProgress->UpdateProgress(iCurrent);
}

void ASpaceList::onSendMessage(const QString& strMessage)
{
    pProgress->ShowMessage(strMessage);
}

void ASpaceList::done(int r)
{
    if (bSending) {
        bClosePending = true;
        iPendingResult = r;
        pProgress->ShowMessage(tr("The window closes when the transfer has ended."));
        return;
    }
    QDialog::done(r);
}
