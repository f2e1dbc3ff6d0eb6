// The image header checks and the bytes of the block protocol, on plain data.
#include "firmwareimage.h"
#include "firmwaretodevice.h"

#include <QtTest>

using namespace FirmwareImage;

class TestFirmwareImage : public QObject
{
    Q_OBJECT
private slots:
    void headerChecks_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("code"); // of an accepted header
        const QByteArray none;
        QTest::newRow("63 bytes") << Build(kMagicSD, "Tey", none).left(63) << "Invalid file!" << 0;
        QTest::newRow("bad magic") << Build("zvf_r9", "Tey", none) << "Corrupt firmware file!" << 0;
        QTest::newRow("name with a blank") << Build(kMagicSD, "Tey ", none) << "unknown model!" << 0;
        // A name that fills the header has no terminator and matches nothing.
        QTest::newRow("no terminator") << Build(kMagicSD, "Tey" + QByteArray(55, 'x'), none) << "unknown model!"
                                       << 0;
        QTest::newRow("bytes after the name are free")
            << Build(kMagicSD, QByteArray("Tey\0garbage", 11), none) << QString() << 0xD904;
        QTest::newRow("older family") << Build(kMagicOld, "Osk", none) << QString() << 0xD802;
        QTest::newRow("header and body") << Build(kMagicSD, "Dulan", QByteArray(5000, 'b')) << QString() << 0xD905;
    }
    void headerChecks()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        Header parsed;
        QCOMPARE(firmwareToDevice::CheckHeader(file, &parsed), message);
        if (message.isEmpty())
            QTEST(parsed.Code(), "code");
    }

    void sizesAndStartPacket()
    {
        QCOMPARE(firmwareToDevice::CheckBodySize(kMaxBodySize - 1), QString());
        QCOMPARE(firmwareToDevice::CheckBodySize(kMaxBodySize), QStringLiteral("Firmware file is too large!"));
        QCOMPARE(BlockCount(2 * 1028 + 1027), 2u);
    }

    void checksums()
    {
        QByteArray block(kBlockSize, '\0');
        uchar* p = reinterpret_cast<uchar*>(block.data());
        // All zero: the folded indices 0 ^ 1 ^ ... ^ 513 alone.
        QCOMPARE(BlockChecksum(p), quint16(0x0001));
        WriteLE32(p, 0x08000400u); // words 0x0400 and 0x0800
        QCOMPARE(BlockChecksum(p), quint16(0x0C01));
    }

    void blockPackets()
    {
        // Two whole blocks and a tail that is never sent.
        const QByteArray body = SampleBody(2, 0x08000000u, 7) + QByteArray(10, 'x');
        const QByteArray packet = BlockPacket(body, 1);
        QCOMPARE(packet.size(), kBlockPacketSize);
        QCOMPARE(packet.left(kBlockSize), body.mid(kBlockSize, kBlockSize));
        const uchar* p = reinterpret_cast<const uchar*>(packet.constData());
        QCOMPARE(quint16(p[kBlockSize] | p[kBlockSize + 1] << 8), BlockChecksum(p));
        QCOMPARE(BlockAddress(p), 0x08000000u + 1024);
        QVERIFY(BlockPacket(body, 2).isEmpty());
        QVERIFY(BlockPacket(body, 0xFFFFFFFFu).isEmpty());
    }
};

QTEST_MAIN(TestFirmwareImage)
#include "test_image.moc"
