#pragma once
#include "pageprops.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

class R8element;

// The layout file: XML with a root element (written "ZarvinLayout"), sixteen
// "Page" entries and one "Object" per element that lies on a page.
namespace LayoutFile {

// One "Object" entry as read, before an element is made from it.
struct ObjectRecord {
    int Type = 0;
    float X = 0.0f;
    float Y = 0.0f;
    int W = 0;
    int H = 0;
    int Screens = 0;
    int FieldID = -1;
    int Field = -1; // per-model sequence number of older files
    int Attrib = 0;
    float RangeMin = 0.0f;
    float RangeMax = 0.0f;
};

// One "Page" entry as read; absent attributes stay unset.
struct PageRecord {
    int PageID = 0;
    QString Name;
    std::optional<double> Trigger; // older files: a single trigger number
    std::optional<int> PageTrig;
    int Disabled = 0;
};

struct Content {
    QString root; // name of the document element
    QVector<ObjectRecord> objects;
    QVector<PageRecord> pages;
};

struct ParseError {
    QString message;
    int line = 0;
    int column = 0;
};

// Parses a whole file. A document that is not well-formed XML is refused
// (false, with the parser's message and line) so nothing gets replaced by a
// half-read layout.
bool Parse(const QByteArray& data, Content* content, ParseError* error);

// Reading rules for attribute text.
int ReadInt(const QString& text);     // 32-bit decimal; bad or out of range -> 0
float ReadFloat(const QString& text); // bad, infinite or nan -> 0
int TruncateToInt(float value);       // toward zero, clamped to int; nan -> 0

// Updates pages[rec.PageID] (ignored outside 0..15).
void ApplyPage(const PageRecord& rec, QVector<PageProps>& pages);

// Field id an object record stands for under the current catalogue: the
// catalogue's base id for "Field" when given, else "FieldID".
int FieldFor(const ObjectRecord& rec);

// Gives a freshly added element the record's geometry, field, attributes,
// pages and range, then rebuilds it at its present zoom.
void ApplyObject(const ObjectRecord& rec, R8element* element);

// The whole document, UTF-8, no declaration, four-space indentation.
QByteArray Write(const QList<R8element*>& elements, const QVector<PageProps>& pages);

// Puts parsed content into pages and elements made by addElement(type).
void Apply(const Content& content, QVector<PageProps>& pages, const std::function<R8element*(int)>& addElement);

// The clipboard carries elements as a fragment of a layout file: the root
// element with "Object" entries only, under a MIME type of our own and as
// plain text. A fragment saved as a file opens as a layout.
extern const char* const kFragmentMimeType;
QByteArray WriteFragment(const QList<R8element*>& elements);
// The element entries of a fragment. False for anything else: text that is
// not well-formed XML, another document, or one without an element of a
// known type (entries of unknown types are left out).
bool ParseFragment(const QByteArray& data, QVector<ObjectRecord>* objects);

// Reads a file into pages and elements made by addElement(type) (which must
// append the element to the caller's list). Returns false with a message
// naming the file when it cannot be read or parsed; nothing is touched then.
bool Load(const QString& path, QVector<PageProps>& pages, const std::function<R8element*(int)>& addElement,
          QString* message);

} // namespace LayoutFile
