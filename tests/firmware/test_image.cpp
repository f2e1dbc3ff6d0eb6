// The image header checks and the bytes of the block protocol, on plain data.
#include "firmwareimage.h"
#include "firmwaretodevice.h"
#include "testsupport.h"

#include <QtTest>

using namespace FirmwareImage;

class TestFirmwareImage : public QObject
{
    Q_OBJECT
private slots:
    void headerChecks_data();
    void headerChecks();
    void modelNamesAndCodes();
    void instrumentChecks();
    void bodySizeLimit();
    void startPacket();
    void readyReply();
    void checksums();
    void blockPacketCarriesFileBytes();
    void blocksOutsideTheBody();
};

namespace {

QByteArray HeaderBytes(const QByteArray& magic, const QByteArray& name)
{
    return Build(magic, name, QByteArray());
}

} // namespace

void TestFirmwareImage::headerChecks_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("code");

    QTest::newRow("63 bytes") << HeaderBytes(kMagicSD, "Tey").left(63) << "Invalid file!" << 0;
    QTest::newRow("empty") << QByteArray() << "Invalid file!" << 0;
    QTest::newRow("bad magic") << HeaderBytes("ZVF_R7", "Tey") << "Corrupt firmware file!" << 0;
    QTest::newRow("magic lower case") << HeaderBytes("zvf_r9", "Tey") << "Corrupt firmware file!" << 0;
    QTest::newRow("tey") << HeaderBytes(kMagicSD, "tey") << "unknown model!" << 0;
    QTest::newRow("name with a blank") << HeaderBytes(kMagicSD, "Tey ") << "unknown model!" << 0;
    QTest::newRow("empty name") << HeaderBytes(kMagicSD, "") << "unknown model!" << 0;
    // A name that fills the header has no terminator and matches nothing.
    QTest::newRow("no terminator") << HeaderBytes(kMagicSD, "Tey" + QByteArray(55, 'x')) << "unknown model!" << 0;
    QTest::newRow("bytes after the name are free")
        << HeaderBytes(kMagicSD, QByteArray("Tey\0garbage", 11)) << QString() << 0xD904;
    QTest::newRow("older family") << HeaderBytes(kMagicOld, "Osk") << QString() << 0xD802;
    QTest::newRow("header and body") << Build(kMagicSD, "Dulan", QByteArray(5000, 'b')) << QString() << 0xD905;
}

void TestFirmwareImage::headerChecks()
{
    QFETCH(QByteArray, header);
    QFETCH(QString, message);
    QFETCH(int, code);
    FirmwareImage::Header parsed;
    QCOMPARE(firmwareToDevice::CheckHeader(header, &parsed), message);
    if (message.isEmpty())
        QCOMPARE(parsed.Code(), code);
}

void TestFirmwareImage::modelNamesAndCodes()
{
    const struct {
        const char* name;
        int code;
    } table[] = {{"Alvo", 0xD901}, {"Osk", 0xD902}, {"TeyP", 0xD903}, {"Tey", 0xD904}, {"Dulan", 0xD905}};
    for (const auto& row : table) {
        FirmwareImage::Header parsed;
        QCOMPARE(ParseHeader(HeaderBytes(kMagicSD, row.name), &parsed), HeaderStatus::Ok);
        QCOMPARE(parsed.Code(), row.code);
        QCOMPARE(QByteArray(ModelName(parsed.iModelNumber)), QByteArray(row.name));
        QCOMPARE(ParseHeader(HeaderBytes(kMagicOld, row.name), &parsed), HeaderStatus::Ok);
        QCOMPARE(parsed.Code(), row.code - 0x100);
    }
    QVERIFY(!ModelName(0));
    QVERIFY(!ModelName(6));
}

void TestFirmwareImage::instrumentChecks()
{
    FirmwareImage::Header sdTey;
    QVERIFY(ParseHeader(HeaderBytes(kMagicSD, "Tey"), &sdTey) == HeaderStatus::Ok);
    FirmwareImage::Header oldTey;
    QVERIFY(ParseHeader(HeaderBytes(kMagicOld, "Tey"), &oldTey) == HeaderStatus::Ok);

    // The connection is looked at before the family.
    QCOMPARE(firmwareToDevice::CheckInstrument(oldTey, false, 0, QString()), QString("No instrument is connected!"));
    QCOMPARE(firmwareToDevice::CheckInstrument(sdTey, false, 0xD904, "TEY SD"), QString("No instrument is connected!"));
    QCOMPARE(firmwareToDevice::CheckInstrument(oldTey, true, 0xD804, "Tey"),
             QString("Please use Podrum application for the non SD instruments."));
    QCOMPARE(firmwareToDevice::CheckInstrument(sdTey, true, 0xD903, "TEY SD+"),
             QString("This firmware is not for the TEY SD+"));
    QCOMPARE(firmwareToDevice::CheckInstrument(sdTey, true, 0xD804, "Tey"), QString("This firmware is not for the Tey"));
    QCOMPARE(firmwareToDevice::CheckInstrument(sdTey, true, 0xD904, "TEY SD"), QString());
}

void TestFirmwareImage::bodySizeLimit()
{
    QCOMPARE(firmwareToDevice::CheckBodySize(0), QString());
    QCOMPARE(firmwareToDevice::CheckBodySize(kMaxBodySize - 1), QString());
    QCOMPARE(firmwareToDevice::CheckBodySize(kMaxBodySize), QString("Firmware file is too large!"));
    QCOMPARE(firmwareToDevice::CheckBodySize(10 * kMaxBodySize), QString("Firmware file is too large!"));
}

void TestFirmwareImage::startPacket()
{
    QCOMPARE(BlockCount(102800), 100u);
    QCOMPARE(StartPacket(BlockCount(102800)), QByteArray::fromHex("2146412164000000"));
    QCOMPARE(StartPacket(BlockCount(0)), QByteArray::fromHex("2146412100000000"));
    QCOMPARE(BlockCount(1027), 0u);
    QCOMPARE(BlockCount(2 * 1028 + 1027), 2u);
    QCOMPARE(StartPacket(0x01020304u), QByteArray::fromHex("2146412104030201"));
}

void TestFirmwareImage::readyReply()
{
    QCOMPARE(ReadyReply(3), QByteArray("READY3"));
    QCOMPARE(ReadyReply(5), QByteArray("READY5"));
}

void TestFirmwareImage::checksums()
{
    QByteArray block(kBlockSize, '\0');
    uchar* p = reinterpret_cast<uchar*>(block.data());
    QCOMPARE(BlockChecksum(p), quint16(0x0001));

    // One word set: the checksum is that word XOR the folded indices (1).
    p[0] = 0x34;
    p[1] = 0x12;
    QCOMPARE(BlockChecksum(p), quint16(0x1235));

    // A load address 0x08000400: words 0x0400 and 0x0800.
    WriteLE32(p, 0x08000400u);
    QCOMPARE(BlockChecksum(p), quint16(0x0C01));
    QCOMPARE(BlockAddress(p), 0x08000400u);

    // Word i equal to i cancels its own index: zero.
    for (int i = 0; i < kBlockSize / 2; ++i) {
        p[2 * i] = uchar(i);
        p[2 * i + 1] = uchar(i >> 8);
    }
    QCOMPARE(BlockChecksum(p), quint16(0x0000));

    // A word in the last place: still folded with all 514 indices.
    block.fill('\0');
    p[2 * 513] = 0xAA;
    p[2 * 513 + 1] = 0x55;
    QCOMPARE(BlockChecksum(p), quint16(0x55AA ^ 0x0001));
}

void TestFirmwareImage::blockPacketCarriesFileBytes()
{
    const QByteArray body = SampleBody(12, 0x08000000u, 7);
    const QByteArray file = Build(kMagicSD, "TeyP", body);
    const QByteArray packet = BlockPacket(body, 7);
    QCOMPARE(packet.size(), kBlockPacketSize);
    QCOMPARE(packet.left(kBlockSize), file.mid(64 + 7 * 1028, 1028));
    const uchar* p = reinterpret_cast<const uchar*>(packet.constData());
    const quint16 sum = quint16(p[1028] | p[1029] << 8);
    QCOMPARE(sum, BlockChecksum(p));
    QCOMPARE(BlockAddress(p), 0x08000000u + 7 * 1024);

    // Blocks differ from one another, so a wrong index would show.
    QVERIFY(BlockPacket(body, 6) != packet);
    QVERIFY(BlockPacket(body, 8).left(kBlockSize) != packet.left(kBlockSize));

    // An all-zero block goes out with checksum bytes 01 00.
    const QByteArray zeros(3 * kBlockSize, '\0');
    QCOMPARE(BlockPacket(zeros, 2).right(2), QByteArray::fromHex("0100"));
}

void TestFirmwareImage::blocksOutsideTheBody()
{
    const QByteArray body = SampleBody(2, 0, 1) + QByteArray(10, 'x'); // 10 trailing bytes
    QCOMPARE(BlockPacket(body, 1).size(), kBlockPacketSize);
    QVERIFY(BlockPacket(body, 2).isEmpty());
    QVERIFY(BlockPacket(body, 0xFFFFFFFFu).isEmpty());
    QVERIFY(BlockPacket(QByteArray(), 0).isEmpty());
}

QTEST_MAIN(TestFirmwareImage)
#include "test_image.moc"
