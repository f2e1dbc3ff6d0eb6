#include "firmwaresender.h"

#include <algorithm>
#include "appglobals.h"
#include "firmwaretodevice.h"
#include "progress.h"
#include "ui_firmwaresender.h"
#include "zvcomport.h"

#include <QCloseEvent>
#include <QCompleter>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSettings>
#include <QStandardPaths>
#include <QtDebug>

namespace {
const char kLastFirmwareKey[] = "LastFW";
}

firmwareSender::firmwareSender(QWidget* parent)
    : QDialog(parent)
    , form(new Ui_firmwareSender)
{
    form->setupUi(this);
    // The form's fixed width clips the button's text in larger fonts: it
    // grows to the left, away from Close.
    QRect send = form->buttonSend->geometry();
    send.setLeft(std::min(send.left(), send.right() + 1 - form->buttonSend->sizeHint().width()));
    form->buttonSend->setGeometry(send);
    form->progressBar->setValue(0);
    form->getLayout->hide();

    auto* completer = new QCompleter(this);
    auto* model = new QFileSystemModel(completer);
    model->setRootPath(QString());
    completer->setModel(model);
    form->firmwareFile->setCompleter(completer);

    QString lastFile;
    if (theSettings)
        lastFile = theSettings->value(QLatin1String(kLastFirmwareKey)).toString();
    if (lastFile.isEmpty())
        lastFile = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    form->firmwareFile->setText(lastFile);

    connect(form->buttonSend, &QPushButton::clicked, this, &firmwareSender::onSend);
    connect(form->buttonBrowse, &QPushButton::clicked, this, &firmwareSender::onBrowseFiles);
    connect(form->getLayout, &QPushButton::clicked, this, &firmwareSender::onGetLayout);
    connect(form->buttonClose, &QPushButton::clicked, this, &QWidget::close);
}

firmwareSender::~firmwareSender()
{
    if (theSettings)
        theSettings->setValue(QLatin1String(kLastFirmwareKey), form->firmwareFile->text());
    if (worker) {
        // Only when the dialog goes with its parent mid-transfer: the worker
        // stops at its next start and deletes itself.
        disconnect(worker, nullptr, this, nullptr);
        worker->requestInterruption();
    }
    delete form;
}

bool firmwareSender::IsSending() const
{
    return worker != nullptr;
}

void firmwareSender::onSend()
{
    form->buttonClose->setEnabled(false);
    form->buttonSend->setEnabled(false);
    // A new transfer starts with an empty bar, whatever the last one left.
    form->progressBar->setRange(0, 1);
    form->progressBar->setValue(0);
    bStopping = false;
    strLastMessage.clear();
    worker = new firmwareToDevice(this);
    worker->strFileName = form->firmwareFile->text();
    connect(worker, &firmwareToDevice::resultReady, this, &firmwareSender::sendMsgs);
    connect(worker, &firmwareToDevice::progressPercentage, this, &firmwareSender::showProgress);
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    connect(worker, &QThread::finished, this, &firmwareSender::onThreadEnd);
    worker->start();
}

void firmwareSender::sendMsgs(const QString& text)
{
    qCDebug(lcFirmware) << text;
    strLastMessage = text;
    if (!bStopping)
        form->messageOut->setText(text);
}

void firmwareSender::showProgress(int value, int maximum)
{
    ShowBarProgress(form->progressBar, value, maximum);
}

void firmwareSender::onThreadEnd()
{
    form->buttonClose->setEnabled(true);
    form->buttonSend->setEnabled(true);
    if (bStopping)
        form->messageOut->setText(worker && worker->Succeeded() ? strLastMessage : tr("Stopped."));
    bStopping = false;
    worker = nullptr;
}

void firmwareSender::onBrowseFiles()
{
    const QString file = QFileDialog::getOpenFileName(this, tr("Firmware files"), form->firmwareFile->text(),
                                                      tr("firmware files (*.zvf)"));
    if (!file.isEmpty())
        form->firmwareFile->setText(file);
}

void firmwareSender::onGetLayout()
{
    ZVcomPort link;
    if (!link.ConnectToInstrument())
        return;
    qCDebug(lcFirmware) << "Connected!";
    link.flush();
}

bool firmwareSender::RefuseToClose()
{
    if (!worker || !worker->isRunning())
        return false;
    worker->requestInterruption();
    // The worker stops at its next wait; say at once that it was heard.
    bStopping = true;
    form->messageOut->setText(tr("Stopping…"));
    return true;
}

void firmwareSender::closeEvent(QCloseEvent* event)
{
    if (RefuseToClose())
        event->ignore();
    else
        event->accept();
}

void firmwareSender::reject()
{
    // Escape would otherwise close the dialog under a running transfer.
    if (!RefuseToClose())
        QDialog::reject();
}

void firmwareSender::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const int dw = event->oldSize().isValid() ? event->size().width() - event->oldSize().width() : 0;
    form->splitter->setStretchFactor(0, 10);
    form->splitter->setStretchFactor(1, 1);
    const int rowWidth = form->splitter->minimumWidth() + dw;
    form->splitter->setMinimumWidth(rowWidth);
    form->splitter->setMaximumWidth(rowWidth);
    // The bar follows the file row exactly.
    form->progressBar->setMinimumWidth(rowWidth);
    form->progressBar->setMaximumWidth(rowWidth);
    form->buttonSend->move(form->buttonSend->x() + dw, form->buttonSend->y());
    form->buttonClose->move(form->buttonClose->x() + dw, form->buttonClose->y());
}
