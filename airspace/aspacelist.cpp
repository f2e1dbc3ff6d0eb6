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
            if (air->checkState(0) != Qt::Checked || IsWarnings(air))
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
                                     shape->data(0, AirAngle1Role).toFloat(), shape->data(0, AirAngle2Role).toFloat()},
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
