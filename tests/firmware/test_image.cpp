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
        QTest::addColumn<int>("code");
        const QByteArray none;
        QTest::newRow("63 bytes") << Build(kMagicSD, "Tey", none).left(63) << "Invalid file!" << 0;
        QTest::newRow("empty") << QByteArray() << "Invalid file!" << 0;
        QTest::newRow("bad magic") << Build("ZVF_R7", "Tey", none) << "Corrupt firmware file!" << 0;
        QTest::newRow("magic lower case") << Build("zvf_r9", "Tey", none) << "Corrupt firmware file!" << 0;
        QTest::newRow("tey") << Build(kMagicSD, "tey", none) << "unknown model!" << 0;
        QTest::newRow("name with a blank") << Build(kMagicSD, "Tey ", none) << "unknown model!" << 0;
        QTest::newRow("empty name") << Build(kMagicSD, "", none) << "unknown model!" << 0;
        // A name that fills the header has no terminator and matches nothing.
        QTest::newRow("no terminator") << Build(kMagicSD, "Tey" + QByteArray(55, 'x'), none) << "unknown model!"
                                       << 0;
        QTest::newRow("bytes after the name are free")
            << Build(kMagicSD, QByteArray("Tey\0garbage", 11), none) << QString() << 0xD904;
        QTest::newRow("Alvo") << Build(kMagicSD, "Alvo", none) << QString() << 0xD901;
        QTest::newRow("TeyP") << Build(kMagicSD, "TeyP", none) << QString() << 0xD903;
        QTest::newRow("older family") << Build(kMagicOld, "Osk", none) << QString() << 0xD802;
        QTest::newRow("header and body") << Build(kMagicSD, "Dulan", QByteArray(5000, 'b')) << QString() << 0xD905;
    }
    void headerChecks()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QFETCH(int, code);
        Header parsed;
        QCOMPARE(firmwareToDevice::CheckHeader(file, &parsed), message);
        if (message.isEmpty())
            QCOMPARE(parsed.Code(), code);
    }

    void instrumentChecks_data()
    {
        QTest::addColumn<QByteArray>("magic");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        // The connection is looked at before the family.
        QTest::newRow("older image, nothing connected")
            << QByteArray(kMagicOld) << false << 0 << QString() << "No instrument is connected!";
        QTest::newRow("nothing connected") << QByteArray(kMagicSD) << false << 0xD904 << "TEY SD"
                                           << "No instrument is connected!";
        QTest::newRow("older image") << QByteArray(kMagicOld) << true << 0xD804 << "Tey"
                                     << "Please use Podrum application for the non SD instruments.";
        QTest::newRow("another model") << QByteArray(kMagicSD) << true << 0xD903 << "TEY SD+"
                                       << "This firmware is not for the TEY SD+";
        QTest::newRow("older instrument") << QByteArray(kMagicSD) << true << 0xD804 << "Tey"
                                          << "This firmware is not for the Tey";
        QTest::newRow("its instrument") << QByteArray(kMagicSD) << true << 0xD904 << "TEY SD" << QString();
    }
    void instrumentChecks()
    {
        QFETCH(QByteArray, magic);
        QFETCH(bool, connected);
        QFETCH(int, model);
        QFETCH(QString, name);
        QFETCH(QString, message);
        Header tey;
        QVERIFY(ParseHeader(Build(magic, "Tey", QByteArray()), &tey) == HeaderStatus::Ok);
        QCOMPARE(firmwareToDevice::CheckInstrument(tey, connected, model, name), message);
    }

    void sizesAndStartPacket()
    {
        QCOMPARE(firmwareToDevice::CheckBodySize(kMaxBodySize - 1), QString());
        QCOMPARE(firmwareToDevice::CheckBodySize(kMaxBodySize), QStringLiteral("Firmware file is too large!"));
        QCOMPARE(BlockCount(1027), 0u);
        QCOMPARE(BlockCount(2 * 1028 + 1027), 2u);
        QCOMPARE(StartPacket(BlockCount(102800)), QByteArray::fromHex("2146412164000000"));
        QCOMPARE(StartPacket(0x01020304u), QByteArray::fromHex("2146412104030201"));
    }

    void checksums()
    {
        QByteArray block(kBlockSize, '\0');
        uchar* p = reinterpret_cast<uchar*>(block.data());
        // All zero: the folded indices 0 ^ 1 ^ ... ^ 513 alone.
        QCOMPARE(BlockChecksum(p), quint16(0x0001));
        WriteLE32(p, 0x08000400u); // words 0x0400 and 0x0800
        QCOMPARE(BlockChecksum(p), quint16(0x0C01));
        QCOMPARE(BlockAddress(p), 0x08000400u);
        // Word i equal to i cancels its own index.
        for (int i = 0; i < kBlockSize / 2; ++i) {
            p[2 * i] = uchar(i);
            p[2 * i + 1] = uchar(i >> 8);
        }
        QCOMPARE(BlockChecksum(p), quint16(0x0000));
        block.fill('\0');
        p[2 * 513] = 0xAA; // the last word
        p[2 * 513 + 1] = 0x55;
        QCOMPARE(BlockChecksum(p), quint16(0x55AA ^ 0x0001));
    }

    void blockPackets()
    {
        const QByteArray body = SampleBody(12, 0x08000000u, 7);
        const QByteArray file = Build(kMagicSD, "TeyP", body);
        const QByteArray packet = BlockPacket(body, 7);
        QCOMPARE(packet.size(), kBlockPacketSize);
        QCOMPARE(packet.left(kBlockSize), file.mid(64 + 7 * 1028, 1028));
        const uchar* p = reinterpret_cast<const uchar*>(packet.constData());
        QCOMPARE(quint16(p[1028] | p[1029] << 8), BlockChecksum(p));
        QCOMPARE(BlockAddress(p), 0x08000000u + 7 * 1024);
        QVERIFY(BlockPacket(body, 6) != packet);
        QCOMPARE(BlockPacket(QByteArray(3 * kBlockSize, '\0'), 2).right(2), QByteArray::fromHex("0100"));

        // No whole block of that index: nothing.
        const QByteArray tail = SampleBody(2, 0, 1) + QByteArray(10, 'x');
        QCOMPARE(BlockPacket(tail, 1).size(), kBlockPacketSize);
        QVERIFY(BlockPacket(tail, 2).isEmpty());
        QVERIFY(BlockPacket(tail, 0xFFFFFFFFu).isEmpty());
        QVERIFY(BlockPacket(QByteArray(), 0).isEmpty());
    }
};

QTEST_MAIN(TestFirmwareImage)
#include "test_image.moc"
