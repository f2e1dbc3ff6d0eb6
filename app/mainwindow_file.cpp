// Layout document commands: new, open, save, recent files, closing.
#include "mainwindow.h"
#include "appglobals.h"
#include "layoutfile.h"
#include "r8element.h"

#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QToolBar>
#include <QUndoStack>

namespace {

const char* const kRecentFiles = "recentFileList";
const char* const kLastFolder = "LastFolder"; // where the file dialogs start

QSettings& Settings()
{
    // Start-up always sets theSettings; tools and tests may not.
    static QSettings fallback;
    return theSettings ? *theSettings : fallback;
}

} // namespace

QString MainWindow::WithLayoutExtension(const QString& fileName)
{
    if (fileName.endsWith(QLatin1String(".zvl")) || fileName.endsWith(QLatin1String(".xml")))
        return fileName;
    return fileName + QLatin1String(".zvl");
}

void MainWindow::NewLayout()
{
    if (!AboutToLooseLayout())
        return;
    CleanAllElements();
    // A new layout starts with default pages too.
    SetPagesProps(QVector<PageProps>(R8_PAGE_COUNT));
    m_XmlDoc.clear();
    m_strCurrentLayoutPath.clear();
    UpdateTitle();
    m_XmlDoc.appendChild(m_XmlDoc.createElement(QStringLiteral("ZarvinLayout")));
    UpdateLayouts(0xFFFF);
    m_pUndoStack->setClean();
}

void MainWindow::OpenLayout()
{
    if (!AboutToLooseLayout())
        return;
    const QString fileName = QFileDialog::getOpenFileName(
        this, tr("Load Layout"), LastFolder(), tr("Layouts(*.zvl *.xml);;Layout Files(*.zvl);;xml Files (*.xml)"));
    if (!fileName.isEmpty())
        loadFile(fileName);
}

void MainWindow::SaveLayouts()
{
    if (m_strCurrentLayoutPath.isEmpty())
        SaveAs();
    else
        Save(m_strCurrentLayoutPath);
}

void MainWindow::SaveAs()
{
    const QString proposed =
        m_strCurrentLayoutPath.isEmpty() ? LastFolder() + QLatin1String("/layout.zvl") : m_strCurrentLayoutPath;
    QString fileName = QFileDialog::getSaveFileName(this, tr("Save Layout"), proposed, tr("Layout Files (*.zvl)"));
    if (fileName.isEmpty())
        return;
    fileName = WithLayoutExtension(fileName);
    // Only a file that was really written becomes the layout's file.
    if (!Save(fileName))
        return;
    m_strCurrentLayoutPath = fileName;
    UpdateTitle();
}

void MainWindow::openRecentFile()
{
    auto* action = qobject_cast<QAction*>(sender());
    // Like Open: unsaved changes are not dropped without asking.
    if (action && AboutToLooseLayout())
        loadFile(action->data().toString());
}

void MainWindow::loadFile(const QString& fileName)
{
    if (!ReadLayout(fileName))
        return;
    m_strCurrentLayoutPath = fileName;
    UpdateTitle();
    setCurrentFile(fileName);
    RememberFolder(fileName);
    m_pUndoStack->setClean();
}

bool MainWindow::ReadLayout(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(this, tr("Load Layout"),
                             tr("Cannot read %1:\n%2").arg(QDir::toNativeSeparators(fileName), file.errorString()));
        return false;
    }
    const QByteArray data = file.readAll();
    LayoutFile::Content content;
    LayoutFile::ParseError error;
    // Refuse a damaged file before anything of the open layout is touched.
    if (!LayoutFile::Parse(data, &content, &error)) {
        QMessageBox::warning(this, tr("Load Layout"),
                             tr("%1 is not a valid layout file.\nLine %2: %3")
                                 .arg(QDir::toNativeSeparators(fileName))
                                 .arg(error.line)
                                 .arg(error.message));
        return false;
    }

    CleanAllElements();
    m_XmlDoc.clear();

    // Pages the file does not list are default pages, not the old layout's.
    QVector<PageProps> pages(R8_PAGE_COUNT);
    for (const LayoutFile::PageRecord& rec : qAsConst(content.pages))
        LayoutFile::ApplyPage(rec, pages);
    SetPagesProps(pages);
    for (const LayoutFile::ObjectRecord& rec : qAsConst(content.objects)) {
        const int index = AddElement(rec.Type);
        LayoutFile::ApplyObject(rec, m_Elements.at(index));
    }

    UpdateLayouts(0xFFFF);
    // Rebuilding the outlines may have recorded steps: the layout just
    // read is where the history starts.
    m_pUndoStack->clear();
    return true;
}

bool MainWindow::Save(const QString& fileName)
{
    // Written beside the target and renamed only when complete, so a full
    // disk or a crash never leaves a half-written layout.
    QSaveFile file(fileName);
    QString reason;
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
    } else {
        const QByteArray data = LayoutFile::Write(m_Elements, PagesProps());
        if (file.write(data) != data.size() || !file.commit())
            reason = file.errorString();
    }
    if (!reason.isEmpty()) {
        file.cancelWriting();
        QMessageBox::warning(
            this, tr("Save Layout"),
            tr("The layout could not be saved to %1:\n%2").arg(QDir::toNativeSeparators(fileName), reason));
        return false;
    }
    m_pUndoStack->setClean();
    RememberFolder(fileName);
    return true;
}

void MainWindow::setCurrentFile(const QString& fileName)
{
    curFile = fileName;
    setWindowFilePath(curFile);

    QStringList files = Settings().value(QLatin1String(kRecentFiles)).toStringList();
    files.removeAll(fileName);
    files.prepend(fileName);
    while (files.size() > MaxRecentFiles)
        files.removeLast();
    Settings().setValue(QLatin1String(kRecentFiles), files);

    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* widget : windows)
        if (auto* window = qobject_cast<MainWindow*>(widget))
            window->updateRecentFileActions();
}

void MainWindow::updateRecentFileActions()
{
    const QStringList files = Settings().value(QLatin1String(kRecentFiles)).toStringList();
    const int numRecentFiles = qMin(files.size(), int(MaxRecentFiles));
    for (int i = 0; i < numRecentFiles; ++i) {
        if (!recentFileActs[i])
            continue;
        recentFileActs[i]->setText(tr("&%1 %2").arg(i + 1).arg(strippedName(files[i])));
        recentFileActs[i]->setData(files[i]);
        recentFileActs[i]->setVisible(true);
    }
    for (int j = numRecentFiles; j < MaxRecentFiles; ++j)
        if (recentFileActs[j])
            recentFileActs[j]->setVisible(false);
    if (separatorAct)
        separatorAct->setVisible(numRecentFiles > 0);
}

QString MainWindow::LastFolder() const
{
    const QString folder = Settings().value(QLatin1String(kLastFolder)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void MainWindow::RememberFolder(const QString& fileName)
{
    Settings().setValue(QLatin1String(kLastFolder), QFileInfo(fileName).absolutePath());
}

// ---- crash recovery ------------------------------------------------------------

void MainWindow::ScheduleRecovery()
{
    if (!IsModified()) {
        m_pRecoveryTimer->stop();
        m_Recovery.Remove();
    } else if (!m_pRecoveryTimer->isActive()) {
        // Changes gather for a moment; the copy is never older than that.
        m_pRecoveryTimer->start();
    }
}

void MainWindow::WriteRecovery()
{
    if (!IsModified())
        return;
    QString error;
    if (!m_Recovery.Write(LayoutFile::Write(m_Elements, PagesProps()), m_strCurrentLayoutPath, &error))
        qDebug().noquote() << "recovery copy not written:" << error;
}

void MainWindow::OfferRecovery()
{
    const QList<RecoveryFile::Stale> staleFiles = m_Recovery.StaleFiles();
    for (const RecoveryFile::Stale& stale : staleFiles) {
        QMessageBox box(this);
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(tr("Recover Layout"));
        box.setText(tr("The designer was not closed properly. A recovery copy of your layout was kept."));
        const QString name = stale.originalPath.isEmpty() ? tr("a layout not saved yet")
                                                          : QDir::toNativeSeparators(stale.originalPath);
        box.setInformativeText(
            tr("Restore %1, as it was at %2?").arg(name, QLocale().toString(stale.written, QLocale::ShortFormat)));
        QPushButton* restore = box.addButton(tr("Restore"), QMessageBox::AcceptRole);
        box.addButton(QMessageBox::Discard);
        box.setDefaultButton(restore);
        box.exec();
        if (box.clickedButton() == restore) {
            if (!AboutToLooseLayout() || !RestoreRecovery(stale))
                return; // kept for the next start
        }
        RecoveryFile::Discard(stale);
    }
}

bool MainWindow::RestoreRecovery(const RecoveryFile::Stale& stale)
{
    if (!ReadLayout(stale.path))
        return false;
    // The layout's own file again, so Save writes there; and modified, as
    // that file does not hold these changes.
    m_strCurrentLayoutPath = stale.originalPath;
    UpdateTitle();
    m_pUndoStack->resetClean();
    WriteRecovery(); // this run's own copy, before the old one goes
    return true;
}

void MainWindow::UpdateTitle()
{
    // "[*]" shows the modified mark, which follows the history's clean state.
    const QString app = tr("Zarvin Designer");
    if (m_strCurrentLayoutPath.isEmpty())
        setWindowTitle(app + QLatin1String("[*]"));
    else
        setWindowTitle(tr("%1[*] - %2").arg(strippedName(m_strCurrentLayoutPath), app));
}

QString MainWindow::strippedName(const QString& fullFileName)
{
    return QFileInfo(fullFileName).fileName();
}

bool MainWindow::AboutToLooseLayout()
{
    if (!IsModified())
        return true;
    QMessageBox box;
    box.setText(tr("The layout has been modified."));
    box.setInformativeText(tr("Do you want to save your changes?"));
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        SaveLayouts();
        return !IsModified();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (AboutToLooseLayout()) {
        Settings().setValue(QStringLiteral("FileToolBarVisible"), FileToolBar && !FileToolBar->isHidden());
        event->accept();
    } else {
        event->ignore();
    }
}
