#include "aspacelist.h"
#include "airspace.h"
#include "progress.h"
#include "ui_aspacelist.h"
#include "zvcommandsender.h"
#include "zvcomport.h"

#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QSignalBlocker>
#include <QThread>
#include <cmath>

namespace {

constexpr int kNameColumnWidth = 300;
// A closing dialog lets a running batch end; past this the batch is cut.
constexpr unsigned long kBatchEndWaitMs = 60000;
constexpr float kSamePointRad = 1e-7f;
constexpr float kNoPreviousPoint = 999999.0f;

bool IsShape(int kind)
{
    return kind == AirNodePoint || kind == AirNodeCircle || kind == AirNodeArc;
}

bool IsWarnings(const QTreeWidgetItem* item)
{
    return item->type() == QTreeWidgetItem::Type && item->data(0, AirKindRole).toInt() == AirNodeWarnings;
}

void SetSubtree(QTreeWidgetItem* item, Qt::CheckState state)
{
    for (int i = 0; i < item->childCount(); ++i) {
        QTreeWidgetItem* child = item->child(i);
        if (IsWarnings(child))
            continue;
        child->setCheckState(0, state);
        SetSubtree(child, state);
    }
}

} // namespace

ASpaceList::ASpaceList(QWidget* parent)
    : QDialog(parent), ui(new Ui_ASpaceList)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowCloseButtonHint);
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

    ui->treeWidget->setHeaderLabels({tr("Airspace"), tr("Class"), tr("Bytes")});
    ui->treeWidget->setColumnWidth(0, kNameColumnWidth);
    connect(ui->pushButton, &QPushButton::clicked, this, &ASpaceList::onUpload);
    ConnectTree(true);
    connect(ui->pushButton_2, &QPushButton::clicked, this, &ASpaceList::onOpenFile);
    ui->progressBar->setRange(0, R8_AIRSPACE_CAPACITY);
    ui->progressBar->setValue(0);
    setFixedSize(size());
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
    delete ui;
}

void ASpaceList::ConnectTree(bool bConnect)
{
    if (bConnect)
        connect(ui->treeWidget, &QTreeWidget::itemChanged, this, &ASpaceList::onTreeItemChange);
    else
        disconnect(ui->treeWidget, &QTreeWidget::itemChanged, this, &ASpaceList::onTreeItemChange);
}

QTreeWidget* ASpaceList::Tree() const
{
    return ui->treeWidget;
}

QList<QTreeWidgetItem*> ASpaceList::FileItems() const
{
    QList<QTreeWidgetItem*> files;
    for (int i = 0; i < ui->treeWidget->topLevelItemCount(); ++i)
        files.append(ui->treeWidget->topLevelItem(i));
    return files;
}

QString ASpaceList::MemoryText() const
{
    return ui->textOverflow->text();
}

int ASpaceList::MemoryBarValue() const
{
    return ui->progressBar->value();
}

bool ASpaceList::UploadEnabled() const
{
    return ui->pushButton->isEnabled();
}

void ASpaceList::onOpenFile()
{
    setCursor(Qt::BusyCursor);
    const QStringList paths =
        QFileDialog::getOpenFileNames(this, tr("Openair files"), QDir::homePath(), tr("txt Files (*.txt)"));
    for (const QString& path : paths)
        LoadData(path);
    setCursor(Qt::ArrowCursor);
}

void ASpaceList::LoadData(const QString& strPath)
{
    QTreeWidgetItem* file = new QTreeWidgetItem;
    file->setText(0, strPath);
    file->setFlags(file->flags() | Qt::ItemIsUserCheckable);
    file->setCheckState(0, Qt::Checked);
    AirSpace reader;
    const int total = reader.LoadFromFile(file, strPath);
    qDebug() << "airspace file" << strPath << "estimate" << total << "bytes";
    if (!reader.ErrorString().isEmpty()) {
        file->setToolTip(0, tr("This file could not be read: %1").arg(reader.ErrorString()));
        file->setText(1, tr("not read"));
    }
    if (!reader.Warnings().isEmpty()) {
        file->setText(1, tr("%n warning(s)", nullptr, reader.Warnings().size()));
        auto* list = new QTreeWidgetItem(file);
        list->setText(0, tr("Warnings"));
        list->setData(0, AirKindRole, AirNodeWarnings);
        list->setFlags(Qt::ItemIsEnabled);
        for (const AirWarning& w : reader.Warnings()) {
            auto* row = new QTreeWidgetItem(list);
            row->setText(0, tr("line %1: %2").arg(w.line).arg(w.message));
            row->setToolTip(0, row->text(0));
            row->setFlags(Qt::ItemIsEnabled);
        }
    }
    ui->treeWidget->addTopLevelItem(file);
    iMemoryUsed = GetSize();
    UpdateMemoryOcupation(iMemoryUsed);
}

int ASpaceList::GetSize()
{
    return ComputeSize(FileItems());
}

int ASpaceList::ComputeSize(const QList<QTreeWidgetItem*>& files)
{
    int total = 0;
    for (const QTreeWidgetItem* file : files) {
        for (int i = 0; i < file->childCount(); ++i) {
            const QTreeWidgetItem* air = file->child(i);
            if (air->checkState(0) != Qt::Checked || air->childCount() == 0 || IsWarnings(air))
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
        ui->textOverflow->setText(tr("%1%").arg(percent));
        ui->progressBar->setMaximum(R8_AIRSPACE_CAPACITY);
        ui->progressBar->setValue(iSize);
    } else {
        ui->textOverflow->setText(tr("Overflow!! %1%").arg(percent));
        ui->progressBar->setValue(R8_AIRSPACE_CAPACITY);
    }
}

void ASpaceList::onTreeItemChange(QTreeWidgetItem* item, int column)
{
    if (column != 0 || !item)
        return;
    ConnectTree(false);
    ModifyChecks(item, item->checkState(0));
    ConnectTree(true);
    iMemoryUsed = GetSize();
    UpdateMemoryOcupation(iMemoryUsed);
}

void ASpaceList::ModifyChecks(QTreeWidgetItem* item, Qt::CheckState state)
{
    if (!item)
        return;
    {
        // One repaint at the end instead of a model signal per item: a file
        // can hold tens of thousands of shapes.
        const QSignalBlocker blocker(ui->treeWidget->model());
        if (state == Qt::Checked)
            for (QTreeWidgetItem* p = item->parent(); p; p = p->parent())
                p->setCheckState(0, Qt::Checked);
        QTreeWidgetItem* parent = item->parent();
        if (parent && IsShape(AirNodeKindOf(item))) {
            parent->setCheckState(0, state);
            for (int i = 0; i < parent->childCount(); ++i)
                parent->child(i)->setCheckState(0, state);
        }
        // The children's own propagation adds nothing: their parent and
        // siblings take the same state here.
        SetSubtree(item, state);
    }
    ui->treeWidget->viewport()->update();
}

QString ASpaceList::Latin1Name(const QString& strName)
{
    QString name;
    name.reserve(strName.size());
    for (int i = 0; i < strName.size(); ++i) {
        const QChar c = strName.at(i);
        if (c.unicode() <= 0xFF) {
            name.append(c);
            continue;
        }
        // Letters with accents lose them; a few shapes have a plain
        // counterpart; the rest is left out rather than sent as '?'.
        switch (c.unicode()) {
        case 0x0110: name.append(QLatin1Char('D')); continue;
        case 0x0111: name.append(QLatin1Char('d')); continue;
        case 0x0141: name.append(QLatin1Char('L')); continue;
        case 0x0142: name.append(QLatin1Char('l')); continue;
        case 0x0152: name.append(QLatin1String("OE")); continue;
        case 0x0153: name.append(QLatin1String("oe")); continue;
        case 0x2018: case 0x2019: case 0x201A: case 0x201B: name.append(QLatin1Char('\'')); continue;
        case 0x201C: case 0x201D: case 0x201E: case 0x201F: name.append(QLatin1Char('"')); continue;
        case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: name.append(QLatin1Char('-')); continue;
        default: break;
        }
        const bool bPair = c.isHighSurrogate() && i + 1 < strName.size();
        const QString one = bPair ? strName.mid(i++, 2) : QString(c);
        for (const QChar d : one.normalized(QString::NormalizationForm_KD))
            if (d.unicode() <= 0xFF && d.category() != QChar::Mark_NonSpacing)
                name.append(d);
    }
    return name;
}

QString ASpaceList::SentenceName(const QString& strName, int iRoom)
{
    QString name;
    name.reserve(strName.size());
    for (const QChar c : Latin1Name(strName)) {
        // Commas split fields, '*' starts the checksum, '$' a sentence.
        if (c == QLatin1Char(',') || c == QLatin1Char('*') || c == QLatin1Char('$') || c.unicode() < 0x20 ||
            c.unicode() == 0x7F)
            continue;
        name.append(c);
    }
    if (iRoom < 0)
        iRoom = 0;
    // One byte per character from here on: a cut splits nothing.
    name.truncate(iRoom);
    return name;
}

QString ASpaceList::AirspaceSentence(const QTreeWidgetItem* air)
{
    const float floor = air->data(0, AirFloorRole).toFloat();
    const float ceiling = air->data(0, AirCeilingRole).toFloat();
    const float minLon = air->data(0, AirMinLonRole).toFloat();
    const float maxLon = air->data(0, AirMaxLonRole).toFloat();
    const QString head = QStringLiteral("PZVCTD,%1,%2,%3,%4,%5,")
                             .arg(QString::number(floor, 'f', 0), QString::number(ceiling, 'f', 0),
                                  QString::number(0), QString::number(minLon, 'g', 6),
                                  QString::number(maxLon, 'g', 6));
    // The sender sends one byte per character; a body must fit the framing.
    return head + SentenceName(air->text(0), R8_MAX_BODY_BYTES - head.size());
}

QStringList ASpaceList::BuildBatch(const QList<QTreeWidgetItem*>& files)
{
    QStringList batch;
    batch << QStringLiteral("PZVCTR,");
    for (const QTreeWidgetItem* file : files) {
        for (int i = 0; i < file->childCount(); ++i) {
            const QTreeWidgetItem* air = file->child(i);
            if (air->checkState(0) != Qt::Checked || IsWarnings(air))
                continue;
            if (air->childCount() > 0)
                batch << AirspaceSentence(air);
            // Each airspace is a shape of its own: its first point is sent
            // even when the airspace before ended on the same spot.
            float prevLat = kNoPreviousPoint;
            float prevLon = kNoPreviousPoint;
            for (int k = 0; k < air->childCount(); ++k) {
                const QTreeWidgetItem* shape = air->child(k);
                const float lat = shape->data(0, AirLatRole).toFloat();
                const float lon = shape->data(0, AirLonRole).toFloat();
                switch (AirNodeKindOf(shape)) {
                case AirNodePoint: {
                    const float dLat = prevLat - lat;
                    const float dLon = prevLon - lon;
                    if (!(std::fabs(dLat) <= kSamePointRad && std::fabs(dLon) <= kSamePointRad))
                        batch << QStringLiteral("PZVCTP,%1,%2")
                                     .arg(QString::number(lat, 'f', 8), QString::number(lon, 'f', 8));
                    prevLat = lat;
                    prevLon = lon;
                    break;
                }
                case AirNodeCircle:
                    batch << QString::asprintf("PZVCTC,%.9f,%.9f,%f,", double(lat), double(lon),
                                               double(shape->data(0, AirRadiusRole).toFloat()));
                    break;
                case AirNodeArc:
                    batch << QString::asprintf("PZVCTC,%.9f,%.9f,%f,%f,%f,", double(lat), double(lon),
                                               double(shape->data(0, AirRadiusRole).toFloat()),
                                               double(shape->data(0, AirAngle1Role).toFloat()),
                                               double(shape->data(0, AirAngle2Role).toFloat()));
                    break;
                default:
                    break;
                }
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
    const QStringList batch = BuildBatch(FileItems());
    for (const QString& body : batch)
        pSender->AddCommand(body);
    ui->pushButton->setEnabled(false);
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
    ui->pushButton->setEnabled(true);
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
