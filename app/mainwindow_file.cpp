// Layout document commands: new, open, save, recent files, closing.
#include "mainwindow.h"

#include <QCloseEvent>
#include <QFileInfo>

void MainWindow::NewLayout() {}

void MainWindow::OpenLayout() {}

void MainWindow::SaveLayouts() {}

void MainWindow::SaveAs() {}

void MainWindow::openRecentFile() {}

void MainWindow::loadFile(const QString& fileName)
{
    Q_UNUSED(fileName);
}

bool MainWindow::Save(const QString& fileName)
{
    Q_UNUSED(fileName);
    return false;
}

void MainWindow::setCurrentFile(const QString& fileName)
{
    curFile = fileName;
}

void MainWindow::updateRecentFileActions() {}

QString MainWindow::strippedName(const QString& fullFileName)
{
    return QFileInfo(fullFileName).fileName();
}

bool MainWindow::AboutToLooseLayout()
{
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
}
