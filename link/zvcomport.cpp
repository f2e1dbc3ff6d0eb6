#include "zvcomport.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QThread>
#include <cstring>

Q_LOGGING_CATEGORY(lcLink, "r8.link")

const KnownNmeaCommand KnownNmeaCommands[R8_KNOWN_NMEA_COUNT] = {
    {"PZVSNP", 1}, {"PZVFLO", 2}, {"PZVCTR", 4}, {"PZVCTT", 5},
    {"PZVCTD", 6}, {"PZVCTP", 7}, {"PZVCTC", 8}, {"PZVRLO", 9},
};

namespace {

constexpr int kTickMs = 100;        // unit of every serial wait
constexpr int kSdOpenDelayMs = 100; // the instrument's USB interface settles
constexpr int kFlushWriteMs = 500;
constexpr int kFlushChunk = 1024;
constexpr int kFlushMaxRounds = 1024; // 1 MiB of stale input at most
constexpr int kReadChunk = 64;
constexpr int kIdentWaitTicks = 10; // 1 s for an older instrument to answer
// The whole identification window: a device behind a converter that streams
// data of its own (a GPS logger, another instrument) is given up after it,
// however many bytes it sends.
constexpr int kIdentWindowMs = kIdentWaitTicks * kTickMs;
// Bytes that keep coming without a reply end a wait after this many windows.
constexpr int kReplyWindows = 5;
constexpr qint32 kConverterBaud = 57600;

struct SdModel {
    quint16 iProduct;
    const char* szName;
};
const SdModel kSdModels[] = {
    {0xD901, "ALVO SD"}, {0xD902, "OSK SD"}, {0xD903, "TEY SD+"}, {0xD904, "TEY SD"}, {0xD905, "DULAN SD"},
};

struct ConverterModel {
    const char* szName;
    int iModel;
};
const ConverterModel kConverterModels[] = {
    {"Alvo", 0xD801},
    {"Osk", 0xD802},
    {"Tey", 0xD804},
    {"Dulan", 0xD805},
};

bool IsPortFailure(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError
           || error == QSerialPort::PermissionError || error == QSerialPort::DeviceNotFoundError;
}

} // namespace

QString PortOpenProblem(const R8PortInfo& info, QSerialPort::SerialPortError error)
{
    if (error != QSerialPort::PermissionError)
        return QString();
    // Qt reports a port held by another program (its lock file, or an
    // exclusive open) and one this user may not open alike; the device
    // node's permissions tell which.
    const QFileInfo file(info.strLocation);
    if (file.exists() && !(file.isReadable() && file.isWritable()))
        return QCoreApplication::translate("ZVcomPort", "%1: permission denied — see README: dialout group.")
            .arg(info.strName);
    return QCoreApplication::translate("ZVcomPort", "%1: in use by another program.").arg(info.strName);
}

quint8 SentenceChecksum(const QByteArray& body)
{
    quint8 sum = 0;
    for (char c : body)
        sum ^= static_cast<quint8>(c);
    return sum;
}

QByteArray FrameSentence(const QByteArray& body)
{
    if (body.size() > R8_MAX_BODY_BYTES)
        return QByteArray();
    static const char kHex[] = "0123456789abcdef";
    const quint8 sum = SentenceChecksum(body);
    QByteArray line;
    line.reserve(body.size() + 6);
    line += '$';
    line += body;
    line += ",*";
    line += sum < 0x10 ? ' ' : kHex[sum >> 4];
    line += kHex[sum & 0x0F];
    line += '\n';
    return line;
}

bool SdModelFromProduct(quint16 productId, int* piModel, QString* pstrModel)
{
    for (const SdModel& m : kSdModels) {
        if (m.iProduct == productId) {
            *piModel = m.iProduct;
            *pstrModel = QString::fromLatin1(m.szName);
            return true;
        }
    }
    *piModel = 0;
    pstrModel->clear();
    return false;
}

int ConverterModelFromName(const QString& strName)
{
    for (const ConverterModel& m : kConverterModels)
        if (strName == QLatin1String(m.szName))
            return m.iModel;
    return 0;
}

// ---------------------------------------------------------------------------

void NmeaReplyParser::Reset()
{
    iRetVal = 0;
    iParsingType = 0;
    iField = -1;
    iFieldPos = 0;
}

int NmeaReplyParser::ParseChar(char c)
{
    if (c == '$') {
        Reset();
        return 0;
    }
    if (c != ',' && c != '\r' && c != '\n') {
        if (iFieldPos < kFieldSize - 1)
            szField[iFieldPos++] = c;
        return 0;
    }

    ++iField;
    szField[iFieldPos] = '\0';
    iFieldPos = 0;
    if (iField == 0) {
        for (const KnownNmeaCommand& cmd : KnownNmeaCommands) {
            if (std::strcmp(szField, cmd.szName) == 0) {
                iParsingType = cmd.iType;
                break;
            }
        }
    } else {
        switch (iParsingType) {
        case R8_NMEA_IDENT:
            if (iField == 1)
                strModel = QString::fromLatin1(szField);
            else if (iField == 3) {
                strSerial = QString::fromLatin1(szField);
                iRetVal = R8_REPLY_IDENT;
            } else if (iField == 4)
                strInfo = QString::fromLatin1(szField);
            break;
        case 2:
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
            if (iField == 1) {
                if (std::strcmp(szField, "ACK") == 0)
                    iRetVal = R8_REPLY_ACK;
                else if (std::strcmp(szField, "NAK") == 0)
                    iRetVal = R8_REPLY_NAK;
            }
            break;
        default:
            break; // PZVRLO and unknown sentences: nothing kept
        }
    }
    if (c == ',')
        return 0;
    iField = -1;
    return iRetVal;
}

// ---------------------------------------------------------------------------

QList<R8PortInfo> ParseExtraPorts(const QString& strValue)
{
    QList<R8PortInfo> ports;
    const QStringList entries = strValue.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& entry : entries) {
        const int eq = entry.lastIndexOf(QLatin1Char('='));
        const QStringList ids = entry.mid(eq + 1).split(QLatin1Char(':'));
        bool okVendor = false;
        bool okProduct = false;
        R8PortInfo info;
        if (eq > 0 && ids.size() == 2) {
            const uint vendor = ids.at(0).trimmed().toUInt(&okVendor, 16);
            const uint product = ids.at(1).trimmed().toUInt(&okProduct, 16);
            okVendor = okVendor && vendor <= 0xFFFF;
            okProduct = okProduct && product <= 0xFFFF;
            info.iVendor = static_cast<quint16>(vendor);
            info.iProduct = static_cast<quint16>(product);
        }
        if (!okVendor || !okProduct) {
            qCDebug(lcLink) << "R8_EXTRA_PORTS: ignoring" << entry;
            continue;
        }
        info.strLocation = entry.left(eq).trimmed();
        info.strName = info.strLocation;
        info.bHasVendor = true;
        ports.append(info);
    }
    return ports;
}

QList<R8PortInfo> AvailableR8Ports()
{
    QList<R8PortInfo> ports = ParseExtraPorts(qEnvironmentVariable("R8_EXTRA_PORTS"));
    const QList<QSerialPortInfo> system = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& sp : system) {
        R8PortInfo info;
        info.strName = sp.portName();
        info.strLocation = sp.systemLocation();
        info.bHasVendor = sp.hasVendorIdentifier();
        info.iVendor = sp.vendorIdentifier();
        info.iProduct = sp.hasProductIdentifier() ? sp.productIdentifier() : 0;
        ports.append(info);
    }
    return ports;
}

// ---------------------------------------------------------------------------

ZVcomPort::ZVcomPort() = default;

ZVcomPort::~ZVcomPort()
{
    if (port.isOpen())
        port.close();
}

void ZVcomPort::NotePortError()
{
    if (IsPortFailure(port.error())) {
        if (!bPortLost)
            qCDebug(lcLink) << "port failed:" << port.errorString();
        bPortLost = true;
    }
}

void ZVcomPort::GiveUpPort()
{
    if (port.isOpen())
        port.close();
    port.clearError();
}

// Opens the port; on failure remembers why (for the user) and leaves the
// port closed with its error cleared.
bool ZVcomPort::OpenPort(const R8PortInfo& info)
{
    if (port.open(QIODevice::ReadWrite)) {
        bPortLost = false; // an earlier port of the search may have failed
        return true;
    }
    qCDebug(lcLink).noquote() << QStringLiteral("have error code: %1").arg(port.error()) << port.errorString();
    const QString problem = PortOpenProblem(info, port.error());
    if (!problem.isEmpty())
        strOpenProblem = problem;
    GiveUpPort();
    return false;
}

int ZVcomPort::OpenSdPort(const R8PortInfo& info)
{
    if (!SdModelFromProduct(info.iProduct, &iModel, &strModel))
        return 0;
    QThread::msleep(kSdOpenDelayMs);
    port.setPortName(info.strLocation);
    if (OpenPort(info))
        return 1;
    iModel = 0;
    strModel.clear();
    return 0;
}

int ZVcomPort::TryConverterPort(const R8PortInfo& info, bool* pbEndSearch)
{
    qCDebug(lcLink).noquote() << QStringLiteral("Old model PortName: %1").arg(info.strName);
    port.setPortName(info.strLocation);
    port.setBaudRate(kConverterBaud, QSerialPort::AllDirections);
    port.setDataBits(QSerialPort::Data8);
    port.setParity(QSerialPort::NoParity);
    port.setFlowControl(QSerialPort::NoFlowControl);
    strModel.clear();
    if (!OpenPort(info)) {
        qCDebug(lcLink) << "clear error";
        return 0;
    }
    qCDebug(lcLink) << "opened!";
    parser.strModel.clear();
    SendCommand("PZVSNP");
    if (WaitResponse(kIdentWaitTicks, kIdentWindowMs) != R8_REPLY_IDENT) {
        GiveUpPort();
        strModel.clear();
        return 0;
    }
    if (strModel.isEmpty()) {
        GiveUpPort();
        qCDebug(lcLink) << "no response!";
        *pbEndSearch = true;
        return 0;
    }
    iModel = ConverterModelFromName(strModel);
    qCDebug(lcLink).noquote() << QStringLiteral("got response! %1").arg(iModel, 0, 16);
    return 1;
}

int ZVcomPort::ConnectToInstrument()
{
    iModel = 0;
    bPortLost = false;
    strOpenProblem.clear();
    if (port.isOpen())
        port.close();
    const QList<R8PortInfo> ports = AvailableR8Ports();
    for (const R8PortInfo& info : ports) {
        if (!info.bHasVendor)
            continue;
        if (Interrupted())
            return 0;
        qCDebug(lcLink).noquote() << QStringLiteral("PortName: %1").arg(info.strLocation);
        if (info.iVendor == R8_VENDOR_SD)
            return OpenSdPort(info);
        if (info.iVendor == R8_VENDOR_CONVERTER) {
            bool bEnd = false;
            if (TryConverterPort(info, &bEnd))
                return 1;
            if (bEnd)
                return 0;
        }
    }
    return 0;
}

int ZVcomPort::write(unsigned char* pData, int iCount)
{
    if (!port.isOpen())
        return 0;
    const qint64 n = port.write(reinterpret_cast<const char*>(pData), iCount);
    if (n < 0)
        NotePortError();
    else
        port.flush(); // hand the bytes to the driver now, without waiting

    return static_cast<int>(n);
}

int ZVcomPort::read(unsigned char* pData, int iCount)
{
    if (!port.isOpen())
        return 0;
    const qint64 n = port.read(reinterpret_cast<char*>(pData), iCount);
    if (n < 0)
        NotePortError();
    return static_cast<int>(n);
}

// Waits in 100 ms slices so that an interruption or a failed port ends the
// wait early.
bool ZVcomPort::WaitForBytes(int t)
{
    if (!port.isOpen())
        return false;
    if (port.bytesAvailable() > 0)
        return true;
    for (int tick = 0; tick < qMax(t, 1); ++tick) {
        if (Interrupted() || bPortLost)
            return false;
        if (port.waitForReadyRead(t > 0 ? kTickMs : 0))
            return true;
        NotePortError();
        if (bPortLost)
            return false;
    }
    return false;
}

bool ZVcomPort::HasData(int t)
{
    if (!port.isOpen())
        return false;
    const qint64 waiting = port.bytesAvailable();
    if (waiting > 0) {
        qCDebug(lcLink).noquote() << QStringLiteral("have data %1").arg(waiting);
        return true;
    }
    return WaitForBytes(t);
}

bool ZVcomPort::WaitForWrite(int t)
{
    if (!port.isOpen())
        return false;
    if (port.bytesToWrite() == 0)
        return true;
    const bool ok = port.waitForBytesWritten(t * kTickMs);
    if (!ok)
        NotePortError();
    return ok;
}

void ZVcomPort::flush()
{
    if (!port.isOpen())
        return;
    if (port.bytesToWrite() > 0)
        port.waitForBytesWritten(kFlushWriteMs);
    char buf[kFlushChunk];
    for (int round = 0; round < kFlushMaxRounds; ++round) {
        if (port.bytesAvailable() <= 0 && !port.waitForReadyRead(0))
            break;
        if (port.read(buf, sizeof buf) <= 0)
            break;
    }
    NotePortError();
    port.clearError();
}

bool ZVcomPort::SendCommand(const char* szBody)
{
    return SendCommand(QByteArray(szBody));
}

bool ZVcomPort::SendCommand(const QByteArray& body)
{
    parser.Reset();
    if (!port.isOpen())
        return false;
    const QByteArray line = FrameSentence(body);
    if (line.isEmpty()) {
        qCDebug(lcLink) << "body too long, not sent:" << body.size() << "bytes";
        return false;
    }
    const qint64 n = port.write(line);
    if (n != line.size()) {
        NotePortError();
        return false;
    }
    port.flush(); // hand the bytes to the driver now, without waiting
    return true;
}

int ZVcomPort::ParseChar(char c)
{
    const int r = parser.ParseChar(c);
    // Only an identification reply changes what the link knows of the instrument.
    if (parser.InIdentification() && (c == ',' || c == '\r' || c == '\n')) {
        strModel = parser.strModel;
        strSerial = parser.strSerial;
        strInfo = parser.strInfo;
    }
    return r;
}

int ZVcomPort::WaitResponse(int t, int iTotalMs)
{
    if (iTotalMs < 0)
        iTotalMs = kReplyWindows * qMax(t, 1) * kTickMs;
    QElapsedTimer elapsed;
    elapsed.start();
    unsigned char buf[kReadChunk];
    for (;;) {
        const qint64 left = iTotalMs - elapsed.elapsed();
        if (left <= 0)
            break;
        // Never wait past the end of the whole window.
        const int ticks = int(qMin<qint64>(t, (left + kTickMs - 1) / kTickMs));
        if (!WaitForBytes(ticks))
            return bPortLost ? R8_REPLY_PORT_LOST : R8_REPLY_NONE;
        const int n = read(buf, kReadChunk);
        if (n < 0)
            return R8_REPLY_PORT_LOST;
        for (int i = 0; i < n; ++i) {
            const int r = ParseChar(static_cast<char>(buf[i]));
            if (r != 0)
                return r;
        }
    }
    qCDebug(lcLink) << "no reply within" << iTotalMs << "ms";
    return R8_REPLY_NONE;
}
