// Firmware image pre-checks on arbitrary files: header, model, body size and
// block packets. Nothing may be read from outside the image.
#include "firmwareimage.h"
#include "firmwaretodevice.h"

#include <QString>

using namespace FirmwareImage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char*>(data), int(size));
    Header header;
    const QString message = firmwareToDevice::CheckHeader(file.left(kHeaderSize), &header);
    if (!message.isEmpty())
        return 0;
    const QByteArray body = file.mid(kHeaderSize);
    firmwareToDevice::CheckBodySize(body.size());
    firmwareToDevice::CheckInstrument(header, true, header.iModelNumber, QString::number(header.iFamily));
    const quint32 blocks = BlockCount(body.size());
    for (quint32 i = 0; i <= blocks && i < 8; ++i) {
        const QByteArray packet = BlockPacket(body, i);
        if (i < blocks && packet.size() != kBlockPacketSize)
            abort();
        if (i == blocks && !packet.isEmpty())
            abort(); // one past the last block is never served
    }
    BlockPacket(body, 0xFFFFFFFFu);
    return 0;
}
