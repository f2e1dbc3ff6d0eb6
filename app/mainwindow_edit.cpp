// Placeholder slots until the page canvas is available.
#include "mainwindow.h"

void MainWindow::UpdateLayouts(quint32 uiPages)
{
    for (int i = 0; i < R8_PAGE_COUNT; ++i)
        if (uiPages & (1u << i))
            emit UpdateLayout(i);
}
int MainWindow::AddElement(int) { return -1; }
R8undo* MainWindow::addUndo(int, int, R8element*) { return nullptr; }
void MainWindow::UnselectAllElements() {}
void MainWindow::CleanAllElements() {}
void MainWindow::CleanUnusedElements() {}
ScreenLayout* MainWindow::Page(int) const { return nullptr; }
ScreenThumb* MainWindow::Thumb(int) const { return nullptr; }
QVector<PageProps> MainWindow::PagesProps() const { return QVector<PageProps>(R8_PAGE_COUNT); }
void MainWindow::SetPagesProps(const QVector<PageProps>&) {}
void MainWindow::downloadFinished(QNetworkReply*) {}
void MainWindow::onSendStarted(int) {}
void MainWindow::onSendEnded() {}
void MainWindow::onSendProgress(int) {}
void MainWindow::onSendMessage(const QString&) {}
void MainWindow::PropertiesAction() {}
void MainWindow::PreferencesAction() {}
void MainWindow::AdjustGeometry() {}
void MainWindow::RefreshPage(int iPage) { emit UpdateLayout(iPage); }
void MainWindow::EditElement(R8element*) {}
void MainWindow::MultiSelect(int) {}
void MainWindow::VerifyTriggers(int, int) {}
void MainWindow::SelectPage(ScreenLayout*) {}
void MainWindow::UnDo() {}
void MainWindow::ReDo() {}
void MainWindow::DeleteElement() {}
void MainWindow::ElementGeometryChanging(int) {}
void MainWindow::ElementFieldChanging(int) {}
void MainWindow::SendToDevice() {}
void MainWindow::ReceiveLayout() { emit startSend(); }
void MainWindow::AlignTop() {}
void MainWindow::AlignBottom() {}
void MainWindow::AlignLeft() {}
void MainWindow::AlignRight() {}
void MainWindow::AlignCenter() {}
void MainWindow::AlignMiddle() {}
void MainWindow::AlignHeight() {}
void MainWindow::AlignWidth() {}
void MainWindow::AlignJoinHorizontal() {}
void MainWindow::AlignJoinVertical() {}
void MainWindow::LargeFont() {}
void MainWindow::NormalFont() {}
void MainWindow::TinyFont() {}
void MainWindow::TextAlignRight() {}
void MainWindow::TextAlignCenter() {}
void MainWindow::TextAlignLeft() {}
void MainWindow::AutoSize() {}
void MainWindow::ApplyProperties() {}
void MainWindow::CancelProperties() {}
void MainWindow::OpenAirSpace() {}
void MainWindow::OpenFirmware() {}
void MainWindow::paintEvent(QPaintEvent* e) { QMainWindow::paintEvent(e); }
void MainWindow::keyPressEvent(QKeyEvent* e) { QMainWindow::keyPressEvent(e); }
void MainWindow::mousePressEvent(QMouseEvent* e) { QMainWindow::mousePressEvent(e); }
void MainWindow::mouseMoveEvent(QMouseEvent* e) { QMainWindow::mouseMoveEvent(e); }
void MainWindow::mouseReleaseEvent(QMouseEvent* e) { QMainWindow::mouseReleaseEvent(e); }
