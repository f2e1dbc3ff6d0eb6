#include "command.h"
#include "firmwareimage.h"

#include <QSaveFile>
#include <QTextStream>

namespace {

using namespace FirmwareImage;

// Whole-number option value; hex with a 0x prefix.
bool NumberArg(const QStringList& args, int* i, qint64* value)
{
    if (*i + 1 >= args.size())
        return false;
    bool ok = false;
    *value = args.at(++*i).toLongLong(&ok, 0);
    return ok && *value >= 0;
}

int RunFirmwareMake(const QStringList& args)
{
    QByteArray magic = kMagicSD;
    QByteArray model;
    qint64 blocks = -1;
    qint64 extra = 0;
    qint64 address = 0x08000000;
    qint64 seed = 1;
    bool zero = false;
    QString output;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        qint64* number = arg == QLatin1String("--blocks")    ? &blocks
                         : arg == QLatin1String("--extra")   ? &extra
                         : arg == QLatin1String("--address") ? &address
                         : arg == QLatin1String("--seed")    ? &seed
                                                             : nullptr;
        if (number) {
            if (!NumberArg(args, &i, number))
                return UsageError(QStringLiteral("firmware-make: %1 needs a whole number").arg(arg));
        } else if (arg == QLatin1String("--zero")) {
            zero = true;
        } else if ((arg == QLatin1String("--model") || arg == QLatin1String("--magic") || arg == QLatin1String("-o"))
                   && i + 1 < args.size()) {
            const QString& value = args.at(++i);
            if (arg == QLatin1String("--model"))
                model = value.toLatin1();
            else if (arg == QLatin1String("--magic"))
                magic = value.toLatin1();
            else
                output = value;
        } else {
            return UsageError(QStringLiteral("firmware-make: unknown argument '%1'").arg(arg));
        }
    }
    if (model.isEmpty() || blocks < 0 || output.isEmpty())
        return UsageError(QStringLiteral("firmware-make: --model, --blocks and -o are needed"));
    if ((blocks * kBlockSize + extra) > 8 * kMaxBodySize)
        return Fail(QStringLiteral("firmware-make: %1 blocks is far beyond any instrument").arg(blocks));

    QByteArray body =
        zero ? QByteArray(int(blocks) * kBlockSize, '\0') : SampleBody(int(blocks), quint32(address), quint32(seed));
    body.append(QByteArray(int(extra), '\xA5'));
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly) || file.write(Build(magic, model, body)) < 0 || !file.commit())
        return Fail(QStringLiteral("cannot write %1: %2").arg(output, file.errorString()));
    QTextStream(stdout) << output << ": " << blocks << " blocks, " << body.size() << " body bytes\n";
    return 0;
}

const ToolCommand command(
    "firmware-make",
    "firmware-make --model NAME --blocks N [--magic ZVF_R9] [--extra BYTES] [--address A] [--seed S] [--zero] -o "
    "FILE.zvf\n"
    "                                          write a test firmware image (name and magic written as given)",
    RunFirmwareMake);

} // namespace
