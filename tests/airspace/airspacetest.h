#pragma once
// Helpers of the airspace tests: OpenAir text or a file read into a branch
// of the airspace tree (as the dialog's estimate and batch see it), and
// data rows taken from a table.
#include "airspace.h"

#include <QStringList>
#include <QTest>
#include <QTreeWidgetItem>

struct ReadTree {
    QTreeWidgetItem file;
    int total = 0;

    ReadTree() = default;
    explicit ReadTree(const QByteArray& text) { total = reader.LoadFromData(&file, text); }
    void LoadFile(const QString& path) { total = reader.LoadFromFile(&file, path); }
    QTreeWidgetItem* Air(int i) const { return file.child(i); }
    const QVector<AirWarning>& Warnings() const { return reader.Warnings(); }

private:
    AirSpace reader;
};

// A shape's position in degrees.
inline double Lat(const QTreeWidgetItem* shape)
{
    return shape->data(0, AirLatRole).toDouble() * R8_DEG_PER_RAD;
}
inline double Lon(const QTreeWidgetItem* shape)
{
    return shape->data(0, AirLonRole).toDouble() * R8_DEG_PER_RAD;
}

inline QStringList Names(const QTreeWidgetItem* parent)
{
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i)
        names << parent->child(i)->text(0);
    return names;
}

inline QString Pos(double lat, double lon)
{
    return QStringLiteral("%1 N %2 E").arg(lat, 0, 'f', 6).arg(lon, 0, 'f', 6);
}

// A rectangle as an airspace, corners in degrees north and east.
inline QByteArray Box(const char* name, double south, double west, double north, double east, const char* cls = "R")
{
    return QStringLiteral("AC %1\nAN %2\nAL SFC\nAH 3000ft\nDP %3\nDP %4\nDP %5\nDP %6\n")
        .arg(QLatin1String(cls), QLatin1String(name), Pos(south, west), Pos(north, west), Pos(north, east),
             Pos(south, east))
        .toLatin1();
}

// Here and Here Q (class Q) hold 46 N 7 E; Far lies 660 km south.
inline QByteArray HereAndFar()
{
    return Box("Here", 45.9, 6.9, 46.1, 7.1) + Box("Far", 40, 6, 40.1, 6.1)
           + Box("Here Q", 45.9, 6.9, 46.1, 7.1, "Q");
}

// One data row per entry of a table whose entries start with their text;
// the test reads the entry back by its index, the column "row".
template <class Row, size_t N>
void AddRows(const Row (&rows)[N])
{
    QTest::addColumn<int>("row");
    for (size_t i = 0; i < N; ++i)
        QTest::newRow(rows[i].text[0] ? rows[i].text : "(empty)") << int(i);
}
