#pragma once
#include "airspacestore.h"
#include "geo.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QTreeWidgetItem>
#include <QVector>
#include <Qt>
#include <cstdio>

// Keyword table: searched in order, ended by a record with an empty key.
struct _DATA_TABS {
    char key[32];
    qint32 id;
};

extern const _DATA_TABS AIRRECORDS[];
extern const _DATA_TABS AIRCLASSES[];

enum AirRecordId {
    AIR_AC = 1,
    AIR_AN = 2,
    AIR_AL = 3,
    AIR_AH = 4,
    AIR_DP = 5,
    AIR_DC = 6,
    AIR_DA = 7,
    AIR_DB = 8,
    AIR_V = 10
};

// Item data of the airspace tree (column 0).
enum AirItemRole {
    AirKindRole = Qt::UserRole + 1,    // int, AirNodeKind
    AirClassRole = Qt::UserRole + 2,   // string, class token after AC
    AirFloorRole = Qt::UserRole + 3,   // float, metres
    AirCeilingRole = Qt::UserRole + 4, // float, metres
    AirLatRole = Qt::UserRole + 5,     // double, radians
    AirLonRole = Qt::UserRole + 6,     // double, radians, east positive
    AirRadiusRole = Qt::UserRole + 7,  // float, kilometres
    AirAngle1Role = Qt::UserRole + 8,  // double, radians
    AirAngle2Role = Qt::UserRole + 9,  // double, radians
    AirMinLonRole = Qt::UserRole + 10, // float, radians
    AirMaxLonRole = Qt::UserRole + 11, // float, radians
    // Kept by the reader so the memory estimate need not walk every shape:
    AirShapeBytesRole = Qt::UserRole + 12, // int, bytes of the shapes below
    AirShapeCountRole = Qt::UserRole + 13, // int, shapes that figure covers
    AirClockwiseRole = Qt::UserRole + 14   // bool, arc: direction in force at its DA record
};

enum AirNodeKind { AirNodeAirspace = 1, AirNodePoint = 2, AirNodeCircle = 3, AirNodeArc = 4 };

// Instrument memory taken by each part of an airspace.
constexpr int R8_AIRSPACE_BYTES = 32;
constexpr int R8_POINT_BYTES = 10;
constexpr int R8_CIRCLE_BYTES = 14;
constexpr int R8_ARC_BYTES = 0;
constexpr int R8_TOKEN_MAX = 255; // bytes kept of a token or a line; buffers hold one more
// Larger files are refused: no real airspace file comes near, and reading
// a device or a runaway file must not exhaust memory.
constexpr qint64 R8_OPENAIR_MAX_BYTES = 256LL * 1024 * 1024;

// Bytes of an OpenAir file held in memory, read front to back.
struct OpenAirText {
    const char* pos;
    const char* end;
};

// Tokenizer: one token (restOfLine 0) or the rest of the line (restOfLine 1)
// into szToken, at most iMaxLen bytes plus the terminating NUL.
// 0 nothing read (null argument), 1 ended at a delimiter, 2 at a line end,
// 3 at the end of the data.
int GetToken(FILE* pFile, char* szToken, int iMaxLen, int iRestOfLine);
int GetToken(OpenAirText* pText, char* szToken, int iMaxLen, int iRestOfLine);

void Trim(char* sz);
int GetID(char* sz, const _DATA_TABS* pTable);
// Comma-separated numbers; returns how many were read.
int GetFloats(char* sz, float* pValues, int iMaxCount);
float GetCoordinate(char* sz);
// Positions such as "45:30:00 N 006:15:00 E"; returns how many positions
// from the first on got both latitude and longitude.
// Lower-case hemisphere letters are read too and reported in *pLowerCase.
int GetCoordinates(char* sz, _GEO_COORDS* pCoords, int iMaxCount, bool* pLowerCase = nullptr);
float GetAltitude(char* sz);
// As GetAltitude; false when the text holds no altitude (the value is then 0).
// A number followed by a unit keeps it: "2480M AMSL" is metres, "1500F"
// feet; a bare number is feet.
bool ReadAltitude(char* sz, float* pMetres);
// Locale-independent number at the start of sz, 0 when there is none.
double ReadNumber(const char* sz);
// The same, into *pValue; returns the end of the number, or null when sz
// does not start (after white space) with one.
const char* ScanNumber(const char* sz, double* pValue);
// Every 15-degree grid bearing strictly inside a DB arc from dStartDeg to
// dEndDeg (degrees), in the order flown.
QVector<double> ArcGridBearings(double dStartDeg, double dEndDeg, bool bClockwise);
// Name bytes: UTF-8 when valid, otherwise Latin-1.
QString DecodeName(const char* sz, int iLen);
// The bytes of an OpenAir file as UTF-8 or Latin-1 text: a UTF-16 file with
// its byte-order mark is converted; empty with *pError set when the bytes are
// not text.
QByteArray OpenAirBytes(const QByteArray& raw, QString* pError);

// A point, circle or arc of the tree. Holds its numbers in members and
// answers the item-data roles from them: a large file has tens of thousands
// of shapes, and a role list per item costs several allocations each.
class AirShapeItem : public QTreeWidgetItem
{
public:
    // The item type is ShapeTypeBase + the node kind, which is fixed when
    // the item is made (setting AirKindRole does not change it).
    enum { ShapeTypeBase = QTreeWidgetItem::UserType + 100 };
    AirShapeItem(QTreeWidgetItem* parent, const QString& strText, int iKind, double dLat, double dLon);

    int Kind() const { return iKind; }

    QVariant data(int column, int role) const override;
    void setData(int column, int role, const QVariant& value) override;

    void SetRadius(float fKm) { fRadius = fKm; }
    void SetAngles(double dFirst, double dSecond)
    {
        dAngle1 = dFirst;
        dAngle2 = dSecond;
    }

private:
    QString strText;
    double dLat;
    double dLon;
    double dAngle1 = 0.0;
    double dAngle2 = 0.0;
    float fRadius = 0.0f;
    qint8 iKind;
    qint8 iCheck = -1;    // Qt::CheckState, -1 while the item has no check box
    bool bOwnText = true; // false once someone set the text through the item
};

// Node kind of a tree item (AirKindRole), quick for shapes made by the reader.
inline int AirNodeKindOf(const QTreeWidgetItem* item)
{
    const int kind = item->type() - AirShapeItem::ShapeTypeBase;
    if (kind >= AirNodePoint && kind <= AirNodeArc)
        return kind;
    return item->data(0, AirKindRole).toInt();
}

// The translated display names of the classes of AIRCLASSES, by id.
QStringList AirClassNames();

// Reads one OpenAir file into a branch of the airspace tree, through an
// AirspaceStore (which the airspace dialog and r8tool use directly).
class AirSpace
{
    Q_DECLARE_TR_FUNCTIONS(AirSpace)
public:
    AirSpace();

    // One checked airspace item per AC record under pFileItem; returns the
    // byte estimate of all airspaces read, 0 when the file cannot be read.
    int LoadFromFile(QTreeWidgetItem* pFileItem, const QString& strPath);
    // The same for bytes already in memory (a UTF-8 byte-order mark is skipped).
    int LoadFromData(QTreeWidgetItem* pFileItem, const QByteArray& data);

    // The branch of the last file read into a store (a file item, or none).
    int ToTree(const AirspaceStore& store, QTreeWidgetItem* pFileItem);

    // Why the last LoadFromFile read nothing; empty after a good read.
    QString ErrorString() const { return strError; }
    // What the last read could not use as written.
    const QVector<AirWarning>& Warnings() const { return warnings; }
    const QStringList& ClassNames() const { return classNames; }

    // The file's bytes, or empty with *pError set: devices, directories,
    // files over R8_OPENAIR_MAX_BYTES and files that are not text are refused.
    static QByteArray ReadOpenAirFile(const QString& strPath, QString* pError);

private:
    QStringList classNames;
    QString strError;
    QVector<AirWarning> warnings;
};
