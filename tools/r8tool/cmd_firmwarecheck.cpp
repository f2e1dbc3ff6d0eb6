#include "command.h"
#include "firmwareimage.h"
#include "firmwaretodevice.h"
#include "zvcomport.h"

#include <QFile>
#include <QTextStream>

namespace {

using namespace FirmwareImage;

QString Hex(quint32 value, int digits)
{
    return QStringLiteral("0x%1").arg(value, digits, 16, QLatin1Char('0'));
}

// Which instrument takes an image with this code.
QString InstrumentFor(const FirmwareImage::Header& header)
{
    if (header.iFamily == kFamilySD) {
        int iModel = 0;
        QString strModel;
        if (SdModelFromProduct(quint16(header.Code()), &iModel, &strModel))
            return strModel;
        return QStringLiteral("none");
    }
    return QStringLiteral("an older %1 (not written by this program)").arg(ModelName(header.iModelNumber));
}

int RunFirmwareCheck(const QStringList& args)
{
    if (args.size() != 1)
        return UsageError(QStringLiteral("firmware-check: one image file is needed"));
    QFile file(args.first());
    if (!file.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("%1: %2").arg(file.fileName(), firmwareToDevice::tr("File does not exist!")));
    FirmwareImage::Header header;
    QString message = firmwareToDevice::CheckHeader(file.read(kHeaderSize), &header);
    if (!message.isEmpty())
        return Fail(QStringLiteral("%1: %2").arg(file.fileName(), message));
    const qint64 bodySize = file.size() - kHeaderSize;

    QTextStream out(stdout);
    out << "family: " << (header.iFamily == kFamilySD ? kMagicSD : kMagicOld) << " ("
        << Hex(quint32(header.iFamily), 2) << ")\n";
    out << "model: " << ModelName(header.iModelNumber) << " (number " << header.iModelNumber << ")\n";
    out << "image code: " << Hex(quint32(header.Code()), 4) << "\n";
    out << "instrument: " << InstrumentFor(header) << "\n";
    out << "body size: " << bodySize << " bytes\n";
    const quint32 blocks = BlockCount(bodySize);
    out << "block count: " << blocks << "\n";
    if (bodySize % kBlockSize)
        out << "trailing bytes never sent: " << bodySize % kBlockSize << "\n";
    message = firmwareToDevice::CheckBodySize(bodySize);
    if (!message.isEmpty())
        return Fail(QStringLiteral("%1: %2").arg(file.fileName(), message));

    const QByteArray body = file.read(bodySize);
    if (body.size() != bodySize)
        return Fail(QStringLiteral("%1: %2").arg(file.fileName(), firmwareToDevice::tr("Invalid file!")));
    out << "# block\taddress\tchecksum\n";
    for (quint32 i = 0; i < blocks; ++i) {
        const uchar* block = reinterpret_cast<const uchar*>(body.constData()) + qint64(i) * kBlockSize;
        const quint32 address = BlockAddress(block);
        out << i << '\t' << Hex(address & ~kSecondaryBlockBit, 8) << '\t' << Hex(BlockChecksum(block), 4)
            << ((address & kSecondaryBlockBit) ? "\tsecondary" : "") << '\n';
    }
    return 0;
}

const ToolCommand command("firmware-check",
                          "firmware-check FILE.zvf                   show an image's family, model and blocks",
                          RunFirmwareCheck);

} // namespace
