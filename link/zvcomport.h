#pragma once
#include <QByteArray>
#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <atomic>

// The link's diagnostics ("r8.link"); the tools show them with --verbose.
Q_DECLARE_LOGGING_CATEGORY(lcLink)

// Sentence names the reply parser knows, each with its parsing type.
struct KnownNmeaCommand {
    char szName[8]; // at most 7 characters, zero padded
    unsigned char iType;
};
constexpr int R8_KNOWN_NMEA_COUNT = 8;
extern const KnownNmeaCommand KnownNmeaCommands[R8_KNOWN_NMEA_COUNT];

// Parsing types of KnownNmeaCommands (3 is unused).
enum : int {
    R8_NMEA_IDENT = 1,   // PZVSNP
    R8_NMEA_LAYOUT = 2,  // PZVFLO
    R8_NMEA_READBACK = 9 // PZVRLO: recognised, nothing kept
};

// Result codes of ParseChar and WaitResponse.
enum : int {
    R8_REPLY_PORT_LOST = -1, // the port reported a read error (cable pulled, device gone)
    R8_REPLY_NONE = 0,       // nothing yet, or time-out
    R8_REPLY_IDENT = 1,      // identification reply (serial number read)
    R8_REPLY_ACK = 15,
    R8_REPLY_NAK = 16
};

// Longest body the instrument takes; longer ones are never sent.
constexpr int R8_MAX_BODY_BYTES = 255;

// USB ids of the instruments.
constexpr quint16 R8_VENDOR_SD = 0x5E17;        // instruments with their own USB interface
constexpr quint16 R8_VENDOR_CONVERTER = 0x0403; // older instruments behind a serial converter

// XOR of every byte of the body.
quint8 SentenceChecksum(const QByteArray& body);
// "$<body>,*<hh>\n", hh lower-case hex right-aligned in two places padded
// with a blank. Empty when the body is longer than R8_MAX_BODY_BYTES.
QByteArray FrameSentence(const QByteArray& body);

// Model code and name of an instrument with its own USB interface; false for
// a product id outside the table.
bool SdModelFromProduct(quint16 productId, int* piModel, QString* pstrModel);
// Model code of an older instrument from the name in its identification reply
// (0 when the name is not one of ours).
int ConverterModelFromName(const QString& strName);

// Reply parser: one per link, so two links may parse at the same time.
class NmeaReplyParser
{
public:
    void Reset(); // as if a "$" had been received
    int ParseChar(char c);
    bool InIdentification() const { return iParsingType == R8_NMEA_IDENT; }

    // Set by an identification reply (fields 1, 3 and 4).
    QString strModel;
    QString strSerial;
    QString strInfo;

private:
    static constexpr int kFieldSize = 128;
    char szField[kFieldSize] = {};
    int iFieldPos = 0;
    int iField = -1;
    int iParsingType = 0;
    int iRetVal = 0;
};

// A serial port as the link sees it: where it is and its USB ids.
struct R8PortInfo {
    QString strName;     // as listed ("ttyUSB0", "/dev/pts/7")
    QString strLocation; // device node that is opened
    bool bHasVendor = false;
    quint16 iVendor = 0;
    quint16 iProduct = 0;
};
// Ports named in R8_EXTRA_PORTS ("/dev/pts/7=5e17:d901;...", ids in hex),
// presented as USB ports, then the ports the system lists.
QList<R8PortInfo> AvailableR8Ports();
// Why a port that exists could not be opened, in words for the user (named
// as listed, "ttyUSB0"); empty for an error that needs no explanation.
QString PortOpenProblem(const R8PortInfo& info, QSerialPort::SerialPortError error);
// Parses an R8_EXTRA_PORTS value; malformed entries are skipped with a debug line.
QList<R8PortInfo> ParseExtraPorts(const QString& strValue);

// The connection to one instrument. Created for one transfer; destroying it
// closes the port. Used by one thread at a time.
class ZVcomPort : public QObject
{
public:
    ZVcomPort();
    ~ZVcomPort() override;

    // 1 connected (port open, model known), 0 not. The search is bounded in
    // time: every converter port gets one identification window, whatever
    // it sends meanwhile.
    int ConnectToInstrument();
    // After a failed search: why a port that was found could not be opened
    // (the last such port), or empty.
    QString OpenProblem() const { return strOpenProblem; }

    // Raw transfer; 0 when the port is not open, else the port's count
    // (negative on a port error).
    int write(unsigned char* pData, int iCount);
    int read(unsigned char* pData, int iCount);
    // t in units of 100 ms.
    bool HasData(int t);
    bool WaitForWrite(int t);
    void flush();

    // Frames and writes one sentence; false when the port is closed, the
    // body is too long (nothing is written) or the write fails.
    bool SendCommand(const char* szBody);
    bool SendCommand(const QByteArray& body);
    // Parses replies until a non-zero result; 0 after t x 100 ms without a
    // byte or, when bytes keep coming without a reply, after iTotalMs
    // (default: five such windows); R8_REPLY_PORT_LOST when the port fails.
    int WaitResponse(int t, int iTotalMs = -1);
    int ParseChar(char c);

    // True once the port reported a read or resource error.
    bool PortLost() const { return bPortLost; }
    // A flag another thread may set to cut waits short (may be null).
    void SetInterruptFlag(const std::atomic<bool>* pFlag) { pInterrupt = pFlag; }

    QString strModel;
    QString strSerial;
    QString strInfo;
    int iModel = 0;
    QSerialPort port;

private:
    bool Interrupted() const { return pInterrupt && pInterrupt->load(); }
    bool WaitForBytes(int t);
    void NotePortError();
    void GiveUpPort();
    bool OpenPort(const R8PortInfo& info);
    int OpenSdPort(const R8PortInfo& info);
    int TryConverterPort(const R8PortInfo& info, bool* pbEndSearch);

    NmeaReplyParser parser;
    bool bPortLost = false;
    const std::atomic<bool>* pInterrupt = nullptr;
    QString strOpenProblem;
};
