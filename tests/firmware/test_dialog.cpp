// The firmware dialog: its form, the remembered file, browsing, sending and
// the refusal to close while a transfer runs.
#include "appglobals.h"
#include "firmwareimage.h"
#include "firmwaresender.h"
#include "firmwaresim.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace FirmwareTest;

class TestFirmwareDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void form();
    void lastFileRemembered();
    void resizeFollowsWidth();
    void browse();
    void sendWithoutFile();
    void sendToInstrument();
    void closeRefusedWhileSending();

private:
    template <class T> static T* Child(const QWidget& dlg, const char* name)
    {
        T* w = dlg.findChild<T*>(QLatin1String(name));
        if (!w)
            qWarning() << "no widget" << name;
        return w;
    }
    static QString FileField(const firmwareSender& dlg) { return Child<QLineEdit>(dlg, "firmwareFile")->text(); }
    // Answers the next modal file dialog: picks `file`, or cancels when empty.
    struct FileDialogSeen {
        bool bSeen = false;
        QString strTitle;
        QStringList filters;
        QString strStart;
    };
    static void AnswerFileDialog(const QString& file, FileDialogSeen* pSeen, int triesLeft = 100);

    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;
};

namespace {
constexpr int kTransferMs = 20000;
}

void TestFirmwareDialog::initTestCase()
{
    QVERIFY(dir.isValid());
    qunsetenv("R8_EXTRA_PORTS");
}

void TestFirmwareDialog::init()
{
    settings.reset(new QSettings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat));
    settings->clear();
    theSettings = settings.get();
}

void TestFirmwareDialog::cleanupTestCase()
{
    theSettings = nullptr;
}

void TestFirmwareDialog::form()
{
    firmwareSender dlg;
    QCOMPARE(dlg.objectName(), QStringLiteral("firmwareSender"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Firmware upload"));
    QCOMPARE(dlg.size(), QSize(637, 194));
    QCOMPARE(dlg.minimumSize(), QSize(637, 194));
    QCOMPARE(dlg.maximumSize(), QSize(16777215, 194));
    QCOMPARE(Child<QPushButton>(dlg, "buttonSend")->text(), QStringLiteral("Send to Instrument"));
    QCOMPARE(Child<QPushButton>(dlg, "buttonClose")->text(), QStringLiteral("Close"));
    QCOMPARE(Child<QPushButton>(dlg, "buttonBrowse")->text(), QStringLiteral("..."));
    QCOMPARE(Child<QLabel>(dlg, "label")->text(), QStringLiteral("Firmware file name:"));
    QCOMPARE(Child<QLabel>(dlg, "messageOut")->text(), QString());
    QCOMPARE(Child<QProgressBar>(dlg, "progressBar")->value(), 0);
    QCOMPARE(Child<QProgressBar>(dlg, "progressBar")->geometry(), QRect(20, 80, 591, 23));
    QCOMPARE(Child<QSplitter>(dlg, "splitter")->geometry(), QRect(20, 40, 591, 23));
    QCOMPARE(Child<QSplitter>(dlg, "splitter")->handleWidth(), 8);
    QVERIFY(Child<QLineEdit>(dlg, "firmwareFile")->completer());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(!Child<QPushButton>(dlg, "getLayout")->isVisible());
    QVERIFY(Child<QPushButton>(dlg, "buttonSend")->isVisible());
}

void TestFirmwareDialog::lastFileRemembered()
{
    {
        firmwareSender dlg;
        // First run: the download folder.
        QCOMPARE(FileField(dlg), QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
        Child<QLineEdit>(dlg, "firmwareFile")->setText(QStringLiteral("/tmp/typed but never sent.zvf"));
    }
    QCOMPARE(settings->value(QStringLiteral("LastFW")).toString(), QStringLiteral("/tmp/typed but never sent.zvf"));
    firmwareSender again;
    QCOMPARE(FileField(again), QStringLiteral("/tmp/typed but never sent.zvf"));
}

void TestFirmwareDialog::resizeFollowsWidth()
{
    firmwareSender dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto* row = Child<QSplitter>(dlg, "splitter");
    auto* bar = Child<QProgressBar>(dlg, "progressBar");
    auto* send = Child<QPushButton>(dlg, "buttonSend");
    auto* close = Child<QPushButton>(dlg, "buttonClose");
    const int rowWidth = row->width();
    const int sendX = send->x();
    const int closeX = close->x();

    dlg.resize(dlg.width() + 100, 300);
    QTRY_COMPARE(row->width(), rowWidth + 100);
    QCOMPARE(send->x(), sendX + 100);
    QCOMPARE(close->x(), closeX + 100);
    QCOMPARE(bar->width(), row->width());
    QCOMPARE(dlg.height(), 194);

    dlg.resize(dlg.width() - 60, 194);
    QTRY_COMPARE(row->width(), rowWidth + 40);
    QCOMPARE(send->x(), sendX + 40);
    QCOMPARE(close->x(), closeX + 40);
    QCOMPARE(bar->width(), row->width());
    // Right edges stay in step with the dialog's.
    QCOMPARE(dlg.width() - (close->x() + close->width()), 637 - (530 + 81));
}

void TestFirmwareDialog::AnswerFileDialog(const QString& file, FileDialogSeen* pSeen, int triesLeft)
{
    QTimer::singleShot(50, [file, pSeen, triesLeft] {
        auto* fd = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!fd) {
            if (triesLeft > 0)
                AnswerFileDialog(file, pSeen, triesLeft - 1); // not up yet
            return;
        }
        pSeen->bSeen = true;
        pSeen->strTitle = fd->windowTitle();
        pSeen->filters = fd->nameFilters();
        pSeen->strStart = fd->directory().absolutePath();
        if (file.isEmpty()) {
            fd->reject();
        } else {
            // As if typed: the dialog's model may still be reading the folder.
            if (auto* edit = fd->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                edit->setText(file);
            static_cast<QDialog*>(fd)->done(QDialog::Accepted); // past the dialog's own checks
        }
    });
}

void TestFirmwareDialog::browse()
{
    const QString image = WriteFile(dir.path(), QStringLiteral("picked.zvf"), QByteArray(64, 'x'));
    settings->setValue(QStringLiteral("LastFW"), dir.filePath(QStringLiteral("start.zvf")));
    firmwareSender dlg;
    dlg.show();

    FileDialogSeen seen;
    AnswerFileDialog(QString(), &seen);
    dlg.onBrowseFiles();
    QVERIFY(seen.bSeen);
    QCOMPARE(seen.strTitle, QStringLiteral("Firmware files"));
    QCOMPARE(seen.filters, QStringList{QStringLiteral("firmware files (*.zvf)")});
    QCOMPARE(seen.strStart, dir.path()); // starts from the field's file
    QCOMPARE(FileField(dlg), dir.filePath(QStringLiteral("start.zvf")));

    seen = FileDialogSeen();
    AnswerFileDialog(image, &seen);
    dlg.onBrowseFiles();
    QVERIFY(seen.bSeen);
    QCOMPARE(FileField(dlg), image);
}

void TestFirmwareDialog::sendWithoutFile()
{
    firmwareSender dlg;
    dlg.show();
    Child<QLineEdit>(dlg, "firmwareFile")->setText(dir.filePath(QStringLiteral("missing.zvf")));
    QTest::mouseClick(Child<QPushButton>(dlg, "buttonSend"), Qt::LeftButton);
    QVERIFY(dlg.IsSending());
    QVERIFY(!Child<QPushButton>(dlg, "buttonSend")->isEnabled());
    QVERIFY(!Child<QPushButton>(dlg, "buttonClose")->isEnabled());
    QTRY_VERIFY(!dlg.IsSending());
    QCOMPARE(Child<QLabel>(dlg, "messageOut")->text(), QStringLiteral("File does not exist!"));
    QVERIFY(Child<QPushButton>(dlg, "buttonSend")->isEnabled());
    QVERIFY(Child<QPushButton>(dlg, "buttonClose")->isEnabled());
}

void TestFirmwareDialog::sendToInstrument()
{
    const QByteArray body = FirmwareImage::SampleBody(40, 0x08000000u, 21);
    const QString image = WriteFile(dir.path(), QStringLiteral("dulan.zvf"),
                                    FirmwareImage::Build(FirmwareImage::kMagicSD, "Dulan", body));
    const QString out = dir.filePath(QStringLiteral("dialog-received.bin"));
    Sim sim;
    QVERIFY(sim.Start(QStringLiteral("d905"), out));
    firmwareSender dlg;
    dlg.show();
    Child<QLineEdit>(dlg, "firmwareFile")->setText(image);
    QTest::mouseClick(Child<QPushButton>(dlg, "buttonSend"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.IsSending(), kTransferMs);
    QCOMPARE(Child<QLabel>(dlg, "messageOut")->text(), QStringLiteral("Done"));
    QCOMPARE(Child<QProgressBar>(dlg, "progressBar")->maximum(), 40);
    QCOMPARE(Child<QProgressBar>(dlg, "progressBar")->value(), 40);
    sim.Report();
    QFile received(out);
    QVERIFY(received.open(QIODevice::ReadOnly));
    QCOMPARE(received.readAll(), body);
}

void TestFirmwareDialog::closeRefusedWhileSending()
{
    const QString image = WriteFile(dir.path(), QStringLiteral("tey.zvf"),
                                    FirmwareImage::Build(FirmwareImage::kMagicSD, "Tey",
                                                         FirmwareImage::SampleBody(3, 0, 22)));
    Sim sim;
    QVERIFY(sim.Start(QStringLiteral("d904"), dir.filePath(QStringLiteral("never.bin")), {QStringLiteral("silent=1")}));
    firmwareSender dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    Child<QLineEdit>(dlg, "firmwareFile")->setText(image);
    QTest::mouseClick(Child<QPushButton>(dlg, "buttonSend"), Qt::LeftButton);
    auto* message = Child<QLabel>(dlg, "messageOut");
    QTRY_VERIFY_WITH_TIMEOUT(message->text().startsWith(QLatin1String("Waiting...")), kTransferMs);

    // Neither the window's close nor Escape gets through; the close is
    // answered at once.
    QVERIFY(!dlg.close());
    QVERIFY(dlg.isVisible());
    QCOMPARE(message->text(), QStringLiteral("Stopping…"));
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QVERIFY(dlg.isVisible());
    QVERIFY(dlg.IsSending());

    // The worker stops at its next wait; then the dialog closes.
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.IsSending(), kTransferMs);
    QCOMPARE(message->text(), QStringLiteral("Stopped."));
    QVERIFY(dlg.close());
    QVERIFY(!dlg.isVisible());
}

QTEST_MAIN(TestFirmwareDialog)
#include "test_dialog.moc"
