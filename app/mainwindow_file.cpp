// Layout document commands: new, open, save, recent files, closing.
#include "mainwindow.h"
#include "appglobals.h"
#include "layoutfile.h"
#include "r8element.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QToolBar>

namespace {

const char* const kRecentFiles = "recentFileList";

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
    m_XmlDoc.clear();
    m_strCurrentLayoutPath.clear();
    setWindowTitle(m_strCurrentLayoutPath);
    m_XmlDoc.appendChild(m_XmlDoc.createElement(QStringLiteral("ZarvinLayout")));
    UpdateLayouts(0xFFFF);
    m_iModified = 0;
}

void MainWindow::OpenLayout()
{
    if (!AboutToLooseLayout())
        return;
    const QString fileName =
        QFileDialog::getOpenFileName(this, tr("Load Layout"), QDir::homePath(),
                                     tr("Layouts(*.zvl *.xml);;Layout Files(*.zvl);;xml Files (*.xml)"));
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
    const QString proposed = m_strCurrentLayoutPath.isEmpty()
                                 ? QDir::homePath() + QLatin1String("/layout.zvl")
                                 : m_strCurrentLayoutPath;
    QString fileName = QFileDialog::getSaveFileName(this, tr("Save Layout"), proposed, tr("Layout Files (*.zvl)"));
    if (fileName.isEmpty())
        return;
    fileName = WithLayoutExtension(fileName);
    // Only a file that was really written becomes the layout's file.
    if (!Save(fileName))
        return;
    m_strCurrentLayoutPath = fileName;
    setWindowTitle(fileName);
}

void MainWindow::openRecentFile()
{
    if (auto* action = qobject_cast<QAction*>(sender()))
        loadFile(action->data().toString());
}

void MainWindow::loadFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(this, tr("Load Layout"),
                             tr("Cannot read %1:\n%2").arg(QDir::toNativeSeparators(fileName), file.errorString()));
        return;
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
        return;
    }

    m_strCurrentLayoutPath = fileName;
    setWindowTitle(fileName);
    CleanAllElements();
    m_XmlDoc.clear();

    QVector<PageProps> pages = PagesProps();
    for (const LayoutFile::PageRecord& rec : qAsConst(content.pages))
        LayoutFile::ApplyPage(rec, pages);
    SetPagesProps(pages);
    for (const LayoutFile::ObjectRecord& rec : qAsConst(content.objects)) {
        const int index = AddElement(rec.Type);
        LayoutFile::ApplyObject(rec, m_Elements.at(index));
    }

    UpdateLayouts(0xFFFF);
    setCurrentFile(fileName);
    m_iModified = 0;
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
        QMessageBox::warning(this, tr("Save Layout"),
                             tr("The layout could not be saved to %1:\n%2")
                                 .arg(QDir::toNativeSeparators(fileName), reason));
        return false;
    }
    m_iModified = 0;
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

QString MainWindow::strippedName(const QString& fullFileName)
{
    return QFileInfo(fullFileName).fileName();
}

bool MainWindow::AboutToLooseLayout()
{
    if (!m_iModified)
        return true;
    QMessageBox box;
    box.setText(tr("The layout has been modified."));
    box.setInformativeText(tr("Do you want to save your changes?"));
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        SaveLayouts();
        return m_iModified == 0;
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
