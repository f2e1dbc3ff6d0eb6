#include "mainwindow.h"
#include "startup.h"

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    theMainWindow = this;
    setWindowTitle(tr("Zarvin Designer"));
}
