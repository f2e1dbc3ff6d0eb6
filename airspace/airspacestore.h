#pragma once
#include "geo.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <vector>

// Something the reader could not use as written, with its line (from 1).
struct AirWarning {
    int line;
    QString message;
};

// Instrument memory for airspaces.
constexpr int R8_AIRSPACE_CAPACITY = 131068; // 0x1FFFC

// One shape of an airspace: a point (DP or made from a DB arc), a circle or
// a DA arc. Circles and arcs keep their sizes in the store's arc list, so a
// point, by far the most common shape, costs 24 bytes.
struct AirShape {
    enum Label : quint8 { Point, PointZ1, PointX, PointZ2, Circle, Arc };
    double lat;   // radians; the centre of a circle or an arc
    double lon;   // radians, east positive
    qint32 arc;   // index into AirspaceStore::Arcs(), -1 for a point
    quint8 kind;  // AirNodePoint, AirNodeCircle or AirNodeArc
    quint8 label; // Label
};

struct AirArc {
    float radius;  // kilometres
    double angle1; // radians, as in the DA record
    double angle2;
    bool clockwise; // direction in force at the DA record
};

// One airspace: an AC record with what followed it.
struct AirRecord {
    QString name;
    int token;                      // index into AirspaceStore::Tokens() (class as written after AC)
    int classId;                    // index into the class table, -1 when not in it
    float floor;                    // metres
    float ceiling;                  // metres
    float minLon, maxLon;           // radians, of the shapes' own positions (as sent)
    float south, north, west, east; // degrees, the extent with circles and arcs
    int firstShape;
    int shapeCount;
    int bytes; // estimate as read: 32 + its shapes
    int line;  // of its AC record
    int file;
    bool checked;
};

struct AirFile {
    QString path;
    int firstAirspace = 0;
    int airspaceCount = 0;
    QVector<AirWarning> warnings;
    QString error; // why it was not read; empty after a good read
    bool checked = true;
};

// Every loaded airspace file in plain arrays: files, airspaces and their
// shapes, the reader's warnings, check states and the byte estimate. The
// upload batch and the estimate are built from it; widgets only show it.
class AirspaceStore
{
public:
    AirspaceStore();
    ~AirspaceStore();

    // Called while reading with bytes done and the total; false cancels.
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    // Reads a file and adds it (also when it cannot be read: it then has an
    // error and no airspaces). Returns its index, or -1 when cancelled.
    int LoadFile(const QString& strPath, const Progress& progress = Progress());
    // The same for bytes in memory, named strName.
    int LoadData(const QString& strName, const QByteArray& data, const Progress& progress = Progress());
    void Clear();

    int FileCount() const { return files.size(); }
    const AirFile& File(int i) const { return files.at(i); }
    int AirspaceCount() const { return airspaces.size(); }
    const AirRecord& Airspace(int i) const { return airspaces.at(i); }
    const AirShape& Shape(int i) const { return shapes.at(i); }
    const AirArc& ArcOf(const AirShape& s) const { return arcs.at(s.arc); }
    const QString& Token(int i) const { return tokens.at(i); }
    const QStringList& Tokens() const { return tokens; }
    // The translated display name of a class id, empty for -1.
    QString ClassName(int iClassId) const;

    // Check states: checking an airspace checks its file; a file's state
    // goes to all its airspaces.
    void SetFileChecked(int iFile, bool bChecked);
    void SetAirspaceChecked(int iAirspace, bool bChecked);
    void SetAllChecked(bool bChecked);

    // Grows with every change of files or check states, so a view can tell
    // whether what it drew is still current.
    quint64 Generation() const { return generation; }

    // Bytes an airspace takes when sent: 0 without shapes.
    int Cost(int iAirspace) const;
    // The estimate of all checked airspaces.
    int ComputeSize() const;
    // The upload batch: "PZVCTR,", the checked airspaces, "PZVCTT,".
    QStringList BuildBatch() const;

    // For a flight replay: an airspace's boundary as latitude/longitude in
    // degrees (its points as sent; circles and arcs walked every 5 degrees),
    // with its floor and ceiling in metres.
    struct Outline {
        QVector<_GEO_COORDS> points;
        float floor;
        float ceiling;
    };
    Outline AirspaceOutline(int iAirspace) const;

private:
    friend class AirspaceReader;
    QVector<AirFile> files;
    QVector<AirRecord> airspaces;
    QVector<AirShape> shapes;
    std::vector<AirArc> arcs;
    QStringList tokens;
    QStringList classNames;
    quint64 generation = 0;
};

// A name fit for a sentence: letters outside Latin-1 without their accents
// ("Kędzierzyn" gives "Kedzierzyn"; what has no Latin-1 form is left out),
// no field or frame characters, at most iRoom characters.
QString Latin1Name(const QString& strName);
QString SentenceName(const QString& strName, int iRoom);

// What one shape sends, in the single precision the sentences use.
struct ShapeValues {
    int kind; // AirNodeKind
    float lat, lon, radius, angle1, angle2;
};
// Before an airspace's first point: no point is skipped as a repeat.
constexpr float R8_NO_PREVIOUS_POINT = 999999.0f;
// Appends the sentence of a shape; a point that repeats the previous one
// (*pPrevLat, *pPrevLon, updated here) is skipped.
void AppendShapeSentence(QStringList& batch, const ShapeValues& s, float* pPrevLat, float* pPrevLon);

// The airspace sentence of an airspace: "PZVCTD,floor,ceiling,0,minLon,maxLon,name",
// the name cut to what the framing takes.
QString AirspaceHeadSentence(float fFloor, float fCeiling, float fMinLon, float fMaxLon, const QString& strName);
