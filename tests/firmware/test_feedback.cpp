// What the firmware tools tell the pilot while they wait and transfer: a
// hint once the instrument has been silent for 10 s, a bar that starts
// empty for every transfer and is never left as a busy indicator.
#include "firmwareimage.h"
#include "firmwaresender.h"
#include "firmwaresim.h"
#include "progress.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace FirmwareTest;
using namespace FirmwareImage;

namespace {
constexpr int kTransferMs = 20000;
}

class TestFirmwareFeedback : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void silentInstrumentGetsHint()
    {
        SimProcess sim;
        QVERIFY(sim.Start(SimArgs(QStringLiteral("d904"), m_dir.filePath(QStringLiteral("never.bin")),
                                  {QStringLiteral("silent=1")})));
        ExtraPorts use(sim.ports);
        const QString image =
            WriteImage(m_dir.filePath(QStringLiteral("tey.zvf")), kMagicSD, "Tey", SampleBody(3, 0, 5));
        QElapsedTimer clock;
        qint64 hintAtMs = -1;
        clock.start();
        const Outcome outcome = RunWorker(image, kTransferMs, [&](firmwareToDevice* worker, const QString& text) {
            if (text == firmwareToDevice::SilenceHint() && hintAtMs < 0) {
                hintAtMs = clock.elapsed();
                worker->requestInterruption();
            }
        });
        QVERIFY2(hintAtMs >= 0, "no hint within the transfer's time");
        QVERIFY2(hintAtMs >= firmwareToDevice::SilenceHintMs,
                 qPrintable(QStringLiteral("hint after %1 ms").arg(hintAtMs)));
        // Before it, the usual count; after the stop request, nothing more.
        QVERIFY(outcome.messages.contains(QStringLiteral("Waiting...31")));
        QCOMPARE(outcome.messages.last(), firmwareToDevice::SilenceHint());
        QVERIFY(!outcome.bSucceeded);
    }

    void barsNeverBusy_data()
    {
        QTest::addColumn<int>("blocks");
        QTest::newRow("an image of 3 blocks") << 3;
        QTest::newRow("an image without blocks") << 0;
    }
    void barsNeverBusy()
    {
        // Each transfer follows a finished one that left the bar full.
        QFETCH(int, blocks);
        const QString first =
            WriteImage(m_dir.filePath(QStringLiteral("first.zvf")), kMagicSD, "Tey", SampleBody(5, 0, 6));
        const QString image =
            WriteImage(m_dir.filePath(QStringLiteral("image.zvf")), kMagicSD, "Tey", SampleBody(blocks, 0, 7));
        firmwareSender dlg;
        dlg.show();
        auto* bar = dlg.findChild<QProgressBar*>(QStringLiteral("progressBar"));
        auto* file = dlg.findChild<QLineEdit*>(QStringLiteral("firmwareFile"));
        auto* send = dlg.findChild<QPushButton*>(QStringLiteral("buttonSend"));
        {
            // The simulated instrument takes one image, then goes.
            SimProcess sim;
            QVERIFY(sim.Start(SimArgs(QStringLiteral("d904"), m_dir.filePath(QStringLiteral("first.bin")))));
            ExtraPorts use(sim.ports);
            file->setText(first);
            QTest::mouseClick(send, Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(!dlg.IsSending(), kTransferMs);
            QCOMPARE(bar->value(), 5);
        }
        SimProcess sim;
        QVERIFY(sim.Start(SimArgs(QStringLiteral("d904"), m_dir.filePath(QStringLiteral("received.bin")))));
        ExtraPorts use(sim.ports);
        file->setText(image);
        QTest::mouseClick(send, Qt::LeftButton);
        QVERIFY(dlg.IsSending());
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->minimum());
        QTRY_VERIFY_WITH_TIMEOUT(!dlg.IsSending(), kTransferMs);
        QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("messageOut"))->text(), QStringLiteral("Done"));
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
    }

    void emptyBatchNotBusy()
    {
        // The send progress dialog for a batch of nothing: done, not busy.
        Progress dialog;
        dialog.SetProgresMax(0);
        dialog.UpdateProgress(0);
        auto* bar = dialog.findChild<QProgressBar*>(QStringLiteral("progressBar"));
        QCOMPARE(dialog.ProgressMax(), 0);
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
    }
};

QTEST_MAIN(TestFirmwareFeedback)
#include "test_feedback.moc"
