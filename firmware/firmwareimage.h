#pragma once
#include <QByteArray>
#include <QtGlobal>

// The ".zvf" firmware image and the raw bytes of the block protocol.
//
// File: a 64-byte header (6-byte family magic, then a NUL-terminated model
// name) followed by the body, a run of 1028-byte blocks. Each block is a
// 32-bit little-endian load address and 1024 data bytes; it goes on the wire
// unchanged, followed by its 16-bit checksum.
namespace FirmwareImage {

constexpr int kHeaderSize = 64;
constexpr int kMagicSize = 6;
constexpr int kBlockSize = 1028;
constexpr int kBlockDataSize = 1024;
constexpr int kBlockPacketSize = kBlockSize + 2;
constexpr int kStartPacketSize = 8;
constexpr int kReplySize = 6;           // every instrument reply is 6 bytes
constexpr qint64 kMaxBodySize = 512000; // the body must stay below this
constexpr int kFamilySD = 0xD9;
constexpr int kFamilyOld = 0xD8;
constexpr quint32 kSecondaryBlockBit = 0x80000000u;

extern const char kMagicSD[];  // "ZVF_R9"
extern const char kMagicOld[]; // "ZVF_R8"

enum class HeaderStatus { Ok, TooShort, BadMagic, UnknownModel };

struct Header {
    int iFamily = 0;      // kFamilySD or kFamilyOld
    int iModelNumber = 0; // 1 Alvo, 2 Osk, 3 TeyP, 4 Tey, 5 Dulan
    int Code() const { return iFamily << 8 | iModelNumber; }
};

// Reads the first 64 bytes of an image (steps: size, magic, model name).
HeaderStatus ParseHeader(const QByteArray& header, Header* out);

// Model number for the name field of a header (58 bytes from offset 6);
// 0 when the name is not known or has no terminator inside the field.
int ModelNumber(const char* nameField, int fieldSize);
// The model name an image carries for a model number, or null.
const char* ModelName(int iModelNumber);

quint32 BlockCount(qint64 bodySize);

// "!FA!" and the block count, little-endian.
QByteArray StartPacket(quint32 blockCount);
// "READY" and the model number as one ASCII digit.
QByteArray ReadyReply(int iModelNumber);

quint16 BlockChecksum(const uchar* block); // block of kBlockSize bytes
quint32 BlockAddress(const uchar* block);

// Block `index` of the body with its checksum appended; empty when the body
// holds no whole block of that index.
QByteArray BlockPacket(const QByteArray& body, quint32 index);

// A whole image file from its parts; the name is cut to fit the header.
QByteArray Build(const QByteArray& magic, const QByteArray& modelName, const QByteArray& body);
// A body of `blocks` blocks with consecutive load addresses from `baseAddress`
// and data that differs from block to block (for tests and the simulator).
QByteArray SampleBody(int blocks, quint32 baseAddress, quint32 seed);

quint32 ReadLE32(const uchar* p);
void WriteLE32(uchar* p, quint32 value);

} // namespace FirmwareImage
