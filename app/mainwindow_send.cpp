// The window's links to the outside: the layout transfer to the instrument,
// the catalogue download and the tool dialogs.
#include "mainwindow.h"
#include "flightpreview.h"
#include "appglobals.h"
#include "aspacelist.h"
#include "catalogueupdate.h"
#include "datafields.h"
#include "firmwaresender.h"
#include "layoutcheck.h"
#include "layouttransfer.h"
#include "preferencesdialog.h"
#include "progress.h"
#include "r8elementprop.h"
#include "zvcommandsender.h"

#include <QAction>
#include <QMessageBox>
#include <QNetworkReply>
#include <QThread>
#include <algorithm>

void MainWindow::StartCommandSender()
{
    m_pProgress = new Progress(this);
    m_pSenderThread = new QThread();
    m_pCommandSender = new ZvCommandSender();
    m_pCommandSender->SupportedDevices(R8_MODELS_DEFAULT);
    connect(this, &MainWindow::startSend, m_pCommandSender, &ZvCommandSender::doWork);
    m_pCommandSender->moveToThread(m_pSenderThread);
    m_pSenderThread->start(QThread::InheritPriority);
    connect(m_pCommandSender, &ZvCommandSender::started, this, &MainWindow::onSendStarted);
    connect(m_pCommandSender, &ZvCommandSender::ended, this, &MainWindow::onSendEnded);
    connect(m_pCommandSender, &ZvCommandSender::message, this, &MainWindow::onSendMessage);
    connect(m_pCommandSender, &ZvCommandSender::progress, this, &MainWindow::onSendProgress);
}

void MainWindow::StopCommandSender()
{
    FinishSenderThread(m_pSenderThread, m_pCommandSender);
    m_pCommandSender = nullptr;
    if (m_pSenderThread && m_pSenderThread->isFinished())
        delete m_pSenderThread;
    // A thread that would not stop is left running rather than destroyed
    // under its own feet; the process is ending anyway.
    m_pSenderThread = nullptr;
}

void MainWindow::onSendStarted(int iProgressMax)
{
    m_pProgress->SetProgresMax(iProgressMax);
    m_pProgress->UpdateProgress(0);
    m_pProgress->show();
}

void MainWindow::onSendProgress(int iCurrent)
{
    m_pProgress->UpdateProgress(iCurrent);
}

void MainWindow::onSendMessage(const QString& strMessage)
{
    m_pProgress->ShowMessage(strMessage);
}

void MainWindow::onSendEnded()
{
    sendAct->setEnabled(true);
    m_pProgress->hide();
}

void MainWindow::SendToDevice()
{
    // The queue may only be filled while no batch runs.
    if (!sendAct->isEnabled())
        return;
    const QStringList batch = BuildLayoutBatch(m_Elements, PagesProps());
    if (batch.isEmpty()) {
        QMessageBox box(QMessageBox::Warning, tr("Zarvin Designer"), tr("Layout has no elements!"));
        box.exec();
        return;
    }
    if (!ConfirmSendWithProblems())
        return;
    m_pCommandSender->AddCommands(batch);
    sendAct->setEnabled(false);
    emit startSend();
}

void MainWindow::ReceiveLayout()
{
    emit startSend();
}

void MainWindow::StartCatalogueDownload()
{
    connect(&m_NetManager, &QNetworkAccessManager::finished, this, &MainWindow::downloadFinished);
    // Without a settings store (tests) there is no download address either.
    if (theSettings)
        m_pDownloadReply = CatalogueUpdate::Start(m_NetManager, *theSettings);
}

void MainWindow::downloadFinished(QNetworkReply* reply)
{
    if (reply == m_pDownloadReply)
        m_pDownloadReply = nullptr;
    // Replaces the catalogue only with a complete catalogue database, then
    // reloads the fields.
    CatalogueUpdate::Apply(reply, strDbName);
}

void MainWindow::PreferencesAction()
{
    PreferencesDialog dialog;
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int iModelBefore = g_iTargetModel;
    dialog.SaveValues();
    g_DataFields.LoadFromDB(g_pDB);
    m_pElementProp->BuildUi();
    ApplyGrid();
    RefreshCheckLater();
    // Fields the new model lacks would reach the instrument unnoticed.
    if (g_iTargetModel != iModelBefore) {
        const QVector<LayoutCheck::Problem> problems = LayoutCheck::CheckWithCatalogue(m_Elements, PagesProps());
        if (std::any_of(problems.begin(), problems.end(),
                        [](const LayoutCheck::Problem& p) { return p.kind == LayoutCheck::Kind::FieldNotOffered; }))
            CheckLayout();
    }
}

AirspaceStore* MainWindow::Airspaces()
{
    if (!m_pAirspaces)
        m_pAirspaces = new AirspaceStore;
    return m_pAirspaces;
}

void MainWindow::OpenAirSpace()
{
    auto* dialog = new ASpaceList(Airspaces(), this);
    dialog->exec();
    delete dialog;
    ShareAirspaces(this); // a flight preview warns of what the instrument would hold
}

void MainWindow::OpenFirmware()
{
    auto* dialog = new firmwareSender(this);
    dialog->exec();
    delete dialog;
}
