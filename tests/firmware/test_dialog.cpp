// The firmware dialog: the remembered file, sending with a bar that starts
// empty for every transfer and is never left as a busy indicator, and the
// refusal to close while a transfer runs.
#include "appglobals.h"
#include "firmwaresender.h"
#include "firmwaresim.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace FirmwareTest;

class TestFirmwareDialog : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;

    template <class T>
    static T* Child(const QWidget& dlg, const char* name)
    {
        return dlg.findChild<T*>(QLatin1String(name));
    }
    static QLineEdit* FileField(const firmwareSender& dlg) { return Child<QLineEdit>(dlg, "firmwareFile"); }
    static QString Message(const firmwareSender& dlg) { return Child<QLabel>(dlg, "messageOut")->text(); }
    static void Send(firmwareSender& dlg, const QString& file)
    {
        dlg.show();
        FileField(dlg)->setText(file);
        QTest::mouseClick(Child<QPushButton>(dlg, "buttonSend"), Qt::LeftButton);
    }

private slots:
    void init()
    {
        settings.reset(new QSettings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat));
        settings->clear();
        theSettings = settings.get();
    }
    void cleanupTestCase() { theSettings = nullptr; }

    void lastFileRemembered()
    {
        {
            firmwareSender dlg;
            // First run: the download folder.
            QCOMPARE(FileField(dlg)->text(), QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
            FileField(dlg)->setText(QStringLiteral("/tmp/typed but never sent.zvf"));
        }
        firmwareSender again;
        QCOMPARE(FileField(again)->text(), QStringLiteral("/tmp/typed but never sent.zvf"));
    }

    void sendToInstrument()
    {
        // An image without blocks follows a finished one of 40 that left the bar full.
        firmwareSender dlg;
        auto* bar = Child<QProgressBar>(dlg, "progressBar");
        for (const int n : {40, 0}) {
            const QByteArray body = FirmwareImage::SampleBody(n, 0x08000000u, quint32(n));
            const QString out = dir.filePath(QStringLiteral("received%1.bin").arg(n));
            SimProcess sim; // takes one image, then goes
            QVERIFY(sim.Start(SimArgs("d905", out)));
            ExtraPorts use(sim.ports);
            Send(dlg, WriteImage(dir.filePath(QStringLiteral("dulan.zvf")), FirmwareImage::kMagicSD, "Dulan", body));
            QVERIFY(dlg.IsSending());
            QCOMPARE(bar->value(), bar->minimum());
            QTRY_VERIFY_WITH_TIMEOUT(!dlg.IsSending(), 20000);
            QCOMPARE(Message(dlg), QStringLiteral("Done"));
            QCOMPARE(bar->maximum(), std::max(n, 1)); // never 0: that would be a busy bar
            QCOMPARE(bar->value(), bar->maximum());
            sim.Output();
            QCOMPARE(TestEnv::ReadFile(out), body);
        }
    }

    void closeRefusedWhileSending()
    {
        SimProcess sim;
        QVERIFY(sim.Start(SimArgs("d904", dir.filePath(QStringLiteral("never.bin")), {"silent=1"})));
        ExtraPorts use(sim.ports);
        firmwareSender dlg;
        Send(dlg, WriteImage(dir.filePath(QStringLiteral("tey.zvf")), FirmwareImage::kMagicSD, "Tey",
                             FirmwareImage::SampleBody(3, 0, 22)));
        QTRY_VERIFY_WITH_TIMEOUT(Message(dlg).startsWith(QLatin1String("Waiting...")), 20000);
        // Neither the window's close nor Escape gets through.
        QVERIFY(!dlg.close());
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QVERIFY(dlg.isVisible() && dlg.IsSending());
        // The worker stops at its next start; then the dialog closes.
        QTRY_VERIFY_WITH_TIMEOUT(!dlg.IsSending(), 20000);
        QCOMPARE(Message(dlg), QStringLiteral("Stopped."));
        QVERIFY(dlg.close());
    }
};

QTEST_MAIN(TestFirmwareDialog)
#include "test_dialog.moc"
