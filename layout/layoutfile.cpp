#include "layoutfile.h"
#include "appglobals.h"
#include "datafields.h"
#include "r8element.h"

#include <QCoreApplication>
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>
#include <limits>

namespace LayoutFile {

int ReadInt(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

float ReadFloat(const QString& text)
{
    // "nan", "inf" and numbers beyond a float are no values for a layout.
    bool ok = false;
    const float value = text.toFloat(&ok);
    return ok && std::isfinite(value) ? value : 0.0f;
}

int TruncateToInt(float value)
{
    // Converting a float beyond int is undefined: clamp first.
    if (!std::isfinite(value))
        return 0;
    if (value <= -2147483648.0f)
        return std::numeric_limits<int>::min();
    if (value >= 2147483648.0f)
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

namespace {

int IntAttr(const QXmlStreamAttributes& a, QLatin1String name, int absent)
{
    return a.hasAttribute(name) ? ReadInt(a.value(name).toString()) : absent;
}

float FloatAttr(const QXmlStreamAttributes& a, QLatin1String name)
{
    return a.hasAttribute(name) ? ReadFloat(a.value(name).toString()) : 0.0f;
}

ObjectRecord ReadObject(const QXmlStreamAttributes& a)
{
    ObjectRecord rec;
    rec.Type = IntAttr(a, QLatin1String("ID"), 0);
    rec.X = FloatAttr(a, QLatin1String("X"));
    rec.Y = FloatAttr(a, QLatin1String("Y"));
    rec.W = IntAttr(a, QLatin1String("W"), 0);
    rec.H = IntAttr(a, QLatin1String("H"), 0);
    rec.Screens = IntAttr(a, QLatin1String("Screens"), 0);
    rec.FieldID = IntAttr(a, QLatin1String("FieldID"), -1);
    rec.Field = IntAttr(a, QLatin1String("Field"), -1);
    rec.Attrib = IntAttr(a, QLatin1String("Attrib"), 0);
    rec.RangeMin = FloatAttr(a, QLatin1String("RangeMin"));
    rec.RangeMax = FloatAttr(a, QLatin1String("RangeMax"));
    return rec;
}

PageRecord ReadPage(const QXmlStreamAttributes& a)
{
    PageRecord rec;
    rec.PageID = IntAttr(a, QLatin1String("PageID"), 0);
    rec.Name = a.value(QLatin1String("Name")).toString();
    if (a.hasAttribute(QLatin1String("Trigger"))) {
        bool ok = false;
        const double value = a.value(QLatin1String("Trigger")).toDouble(&ok);
        rec.Trigger = ok ? value : 0.0;
    }
    if (a.hasAttribute(QLatin1String("PageTrig")))
        rec.PageTrig = ReadInt(a.value(QLatin1String("PageTrig")).toString());
    rec.Disabled = IntAttr(a, QLatin1String("Disabled"), 0);
    return rec;
}

} // namespace

bool Parse(const QByteArray& data, Content* content, ParseError* error)
{
    // The whole document is read before anything is handed back, so a file
    // that is not well-formed is refused as a whole.
    Content read;
    QXmlStreamReader xml(data);
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (depth == 1)
                read.root = xml.name().toString();
            // The document element is the root whatever it is called; only
            // its own children are entries.
            if (depth == 2) {
                if (xml.name() == QLatin1String("Object"))
                    read.objects.append(ReadObject(xml.attributes()));
                else if (xml.name() == QLatin1String("Page"))
                    read.pages.append(ReadPage(xml.attributes()));
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    if (xml.hasError()) {
        if (error) {
            error->message = xml.errorString();
            error->line = int(xml.lineNumber());
            error->column = int(xml.columnNumber());
        }
        return false;
    }
    *content = std::move(read);
    return true;
}

void ApplyPage(const PageRecord& rec, QVector<PageProps>& pages)
{
    if (rec.PageID < 0 || rec.PageID >= R8_PAGE_COUNT || rec.PageID >= pages.size())
        return;
    PageProps& page = pages[rec.PageID];
    page.Name = rec.Name;
    if (rec.Trigger) {
        // 1 stands for bit 0, 2 for bit 1 ...; 0 (2^-1 truncated) for none.
        const double mask = std::pow(2.0, *rec.Trigger - 1.0);
        page.Trigger = mask >= 1.0 && mask < 4294967296.0 ? static_cast<quint32>(mask) : 0u;
    }
    if (rec.PageTrig)
        page.Trigger = static_cast<quint32>(*rec.PageTrig);
    page.Disabled = rec.Disabled;
}

int FieldFor(const ObjectRecord& rec)
{
    if (rec.Field != -1)
        return g_DataFields.GetBaseId(rec.Field);
    return rec.FieldID;
}

void ApplyObject(const ObjectRecord& rec, R8element* element)
{
    // The size is settled first (within the screen, then as the element's
    // outline makes it), so the position is pulled inside the screen for
    // the size the element really has.
    element->RestoreSize(QSize(qBound(0, rec.W, R8_SCREEN_WIDTH), qBound(0, rec.H, R8_SCREEN_HEIGHT)));
    element->RestoreField(FieldFor(rec));
    element->RestoreAttribs(static_cast<unsigned>(rec.Attrib));
    element->RestorePages(static_cast<unsigned>(rec.Screens));
    element->SetRangeMin(rec.RangeMin);
    element->SetRangeMax(rec.RangeMax);
    element->SetZoom(-1.0f);
    element->RestorePosition(QPoint(TruncateToInt(rec.X), TruncateToInt(rec.Y)));
}

namespace {

const QString s_Root = QStringLiteral("ZarvinLayout");

void WriteObject(QXmlStreamWriter& xml, const R8element* element)
{
    xml.writeEmptyElement(QStringLiteral("Object"));
    xml.writeAttribute(QStringLiteral("ID"), QString::number(element->GetType()));
    xml.writeAttribute(QStringLiteral("X"), QString::number(element->GetPosition().x()));
    xml.writeAttribute(QStringLiteral("Y"), QString::number(element->GetPosition().y()));
    xml.writeAttribute(QStringLiteral("W"), QString::number(element->GetSize().width()));
    xml.writeAttribute(QStringLiteral("H"), QString::number(element->GetSize().height()));
    xml.writeAttribute(QStringLiteral("Screens"), QString::number(element->OnPages()));
    xml.writeAttribute(QStringLiteral("FieldID"), QString::number(element->GetField()));
    xml.writeAttribute(QStringLiteral("Attrib"), QString::number(element->GetAttribs()));
    xml.writeAttribute(QStringLiteral("RangeMin"), QString::number(element->GetRangeMin(), 'g', 6));
    xml.writeAttribute(QStringLiteral("RangeMax"), QString::number(element->GetRangeMax(), 'g', 6));
}

// The document around what writeBody writes, UTF-8, four-space indentation.
QByteArray WriteDocument(const std::function<void(QXmlStreamWriter&)>& writeBody)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartElement(s_Root);
    writeBody(xml);
    xml.writeEndElement();
    // Auto-formatting starts with a line break when there is no declaration.
    if (out.startsWith('\n'))
        out.remove(0, 1);
    if (!out.endsWith('\n'))
        out.append('\n');
    return out;
}

} // namespace

QByteArray Write(const QList<R8element*>& elements, const QVector<PageProps>& pages)
{
    return WriteDocument([&](QXmlStreamWriter& xml) {
        for (int i = 0; i < R8_PAGE_COUNT; ++i) {
            const PageProps page = i < pages.size() ? pages.at(i) : PageProps();
            xml.writeEmptyElement(QStringLiteral("Page"));
            xml.writeAttribute(QStringLiteral("PageID"), QString::number(i));
            xml.writeAttribute(QStringLiteral("Name"), page.Name);
            xml.writeAttribute(QStringLiteral("PageTrig"), QString::number(static_cast<qint32>(page.Trigger)));
            xml.writeAttribute(QStringLiteral("Disabled"), QString::number(page.Disabled));
        }
        for (const R8element* element : elements)
            if (element && element->OnPages() != 0) // removed from every page: dropped from the file
                WriteObject(xml, element);
    });
}

const char* const kFragmentMimeType = "application/x-r8designer-elements";

QByteArray WriteFragment(const QList<R8element*>& elements)
{
    return WriteDocument([&](QXmlStreamWriter& xml) {
        for (const R8element* element : elements)
            if (element)
                WriteObject(xml, element);
    });
}

bool ParseFragment(const QByteArray& data, QVector<ObjectRecord>* objects)
{
    Content content;
    if (!Parse(data, &content, nullptr) || content.root != s_Root)
        return false;
    QVector<ObjectRecord> known;
    for (const ObjectRecord& rec : qAsConst(content.objects))
        if (std::find(std::begin(R8ElementTypes), std::end(R8ElementTypes), rec.Type) != std::end(R8ElementTypes))
            known.append(rec);
    if (known.isEmpty())
        return false;
    *objects = known;
    return true;
}

bool Load(const QString& path, QVector<PageProps>& pages, const std::function<R8element*(int)>& addElement,
          QString* message)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (message)
            *message = QCoreApplication::translate("LayoutFile", "Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    Content content;
    ParseError error;
    if (!Parse(file.readAll(), &content, &error)) {
        if (message)
            *message = QCoreApplication::translate("LayoutFile", "%1 is not a layout file (line %2: %3).")
                           .arg(path)
                           .arg(error.line)
                           .arg(error.message);
        return false;
    }
    Apply(content, pages, addElement);
    return true;
}

void Apply(const Content& content, QVector<PageProps>& pages, const std::function<R8element*(int)>& addElement)
{
    pages.resize(R8_PAGE_COUNT);
    for (const PageRecord& rec : qAsConst(content.pages))
        ApplyPage(rec, pages);
    for (const ObjectRecord& rec : qAsConst(content.objects))
        if (R8element* element = addElement(rec.Type))
            ApplyObject(rec, element);
}

} // namespace LayoutFile
