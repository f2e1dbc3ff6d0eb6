#include "firmwareimage.h"

#include <cstddef>
#include <cstring>

namespace FirmwareImage {

const char kMagicSD[] = "ZVF_R9";
const char kMagicOld[] = "ZVF_R8";

namespace {

// Index + 1 is the model number; names compare byte for byte.
const char* const kModelNames[] = {"Alvo", "Osk", "TeyP", "Tey", "Dulan"};
constexpr int kModelCount = int(sizeof(kModelNames) / sizeof(kModelNames[0]));

} // namespace

quint32 ReadLE32(const uchar* p)
{
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

void WriteLE32(uchar* p, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uchar(value >> (8 * i));
}

int ModelNumber(const char* nameField, int fieldSize)
{
    const void* end = std::memchr(nameField, 0, size_t(fieldSize));
    if (!end)
        return 0;
    const size_t length = size_t(static_cast<const char*>(end) - nameField);
    for (int i = 0; i < kModelCount; ++i)
        if (std::strlen(kModelNames[i]) == length && std::memcmp(kModelNames[i], nameField, length) == 0)
            return i + 1;
    return 0;
}

const char* ModelName(int iModelNumber)
{
    return iModelNumber >= 1 && iModelNumber <= kModelCount ? kModelNames[iModelNumber - 1] : nullptr;
}

HeaderStatus ParseHeader(const QByteArray& header, Header* out)
{
    if (header.size() < kHeaderSize)
        return HeaderStatus::TooShort;
    Header h;
    const char* data = header.constData();
    if (std::memcmp(data, kMagicSD, kMagicSize) == 0)
        h.iFamily = kFamilySD;
    else if (std::memcmp(data, kMagicOld, kMagicSize) == 0)
        h.iFamily = kFamilyOld;
    else
        return HeaderStatus::BadMagic;
    h.iModelNumber = ModelNumber(data + kMagicSize, kHeaderSize - kMagicSize);
    if (h.iModelNumber == 0)
        return HeaderStatus::UnknownModel;
    if (out)
        *out = h;
    return HeaderStatus::Ok;
}

quint32 BlockCount(qint64 bodySize)
{
    return bodySize <= 0 ? 0 : quint32(bodySize / kBlockSize);
}

QByteArray StartPacket(quint32 blockCount)
{
    QByteArray packet("!FA!\0\0\0\0", kStartPacketSize);
    WriteLE32(reinterpret_cast<uchar*>(packet.data()) + 4, blockCount);
    return packet;
}

QByteArray ReadyReply(int iModelNumber)
{
    return QByteArray("READY") + char('0' + iModelNumber);
}

quint16 BlockChecksum(const uchar* block)
{
    quint32 c = 0;
    for (std::ptrdiff_t i = 0; i < kBlockSize / 2; ++i) {
        c ^= quint32(i);
        c ^= quint32(block[2 * i]) | quint32(block[2 * i + 1]) << 8;
    }
    return quint16(c);
}

quint32 BlockAddress(const uchar* block)
{
    return ReadLE32(block);
}

QByteArray BlockPacket(const QByteArray& body, quint32 index)
{
    if (index >= BlockCount(body.size()))
        return QByteArray();
    QByteArray packet = body.mid(int(index) * kBlockSize, kBlockSize); // index < BlockCount: fits
    const quint16 sum = BlockChecksum(reinterpret_cast<const uchar*>(packet.constData()));
    packet.append(char(sum & 0xFF));
    packet.append(char(sum >> 8));
    return packet;
}

QByteArray Build(const QByteArray& magic, const QByteArray& modelName, const QByteArray& body)
{
    QByteArray image(kHeaderSize, '\0');
    std::memcpy(image.data(), magic.constData(), size_t(qMin(magic.size(), kMagicSize)));
    // The name keeps room for its terminator unless it fills the whole field.
    const int nameRoom = kHeaderSize - kMagicSize;
    std::memcpy(image.data() + kMagicSize, modelName.constData(), size_t(qMin(modelName.size(), nameRoom)));
    return image + body;
}

QByteArray SampleBody(int blocks, quint32 baseAddress, quint32 seed)
{
    QByteArray body(qMax(blocks, 0) * kBlockSize, '\0');
    uchar* p = reinterpret_cast<uchar*>(body.data());
    quint32 state = seed * 2654435761u + 1u;
    for (int b = 0; b < blocks; ++b, p += kBlockSize) {
        WriteLE32(p, baseAddress + quint32(b) * kBlockDataSize);
        for (int i = 4; i < kBlockSize; ++i) {
            state = state * 1664525u + 1013904223u; // LCG: cheap, repeatable
            p[i] = uchar(state >> 24);
        }
    }
    return body;
}

} // namespace FirmwareImage
