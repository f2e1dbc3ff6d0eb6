#include "r8element.h"

#include <QHash>
#include "appglobals.h"
#include "datafields.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QRectF>
#include <algorithm>
#include <climits>

QList<R8element*> R8selectedElements;

const int R8ElementTypes[14] = {R8_TYPE_DATAFIELD, R8_TYPE_BARSCALE, R8_TYPE_DOUBLESCALE, R8_TYPE_TALLSCALE,
                                R8_TYPE_COMPASS,   R8_TYPE_MAP,      R8_TYPE_BATTERY,     R8_TYPE_SPEAKER,
                                R8_TYPE_CELLINFO,  R8_TYPE_SATS,     R8_TYPE_POINTER,     R8_TYPE_WINDROSE,
                                R8_TYPE_GRAPH,     R8_TYPE_DIAL};

namespace {

// How the outline follows the size.
enum class Outline {
    Sized,   // rectangle width x height
    Square,  // square on the width
    Tall,    // rectangle width x fixed height
    Fixed,   // rectangle of a fixed size
    Circle,  // circle of a fixed size
    Capsule, // the vertical bar scale
    Wedge,   // the double bar scale
};

struct TypeInfo {
    int iType;
    unsigned int uProps;
    int iWidth, iHeight; // size after construction
    Outline outline;
    int iOutlineWidth, iOutlineHeight; // fixed parts of the outline
    int iMinWidth, iMinHeight;
    int iResize;
    const char* szIcon; // icon types only
};

constexpr int HV = R8_RESIZE_HORIZONTAL | R8_RESIZE_VERTICAL;
constexpr int HVS = HV | R8_RESIZE_SQUARE;

const TypeInfo s_Types[] = {
    {R8_TYPE_DATAFIELD, 0x3FF, 80, 29, Outline::Sized, 0, 0, 10, 10, HV, nullptr},
    {R8_TYPE_DIAL, 0x1837, 60, 60, Outline::Square, 0, 0, 40, 40, HVS, nullptr},
    {R8_TYPE_BARSCALE, 0x7, 30, 130, Outline::Capsule, 30, 130, 0, 0, 0, nullptr},
    {R8_TYPE_DOUBLESCALE, 0, 70, 200, Outline::Wedge, 70, 200, 0, 0, 0, nullptr},
    {R8_TYPE_TALLSCALE, 0x7, 99, 168, Outline::Tall, 0, 168, 55, 168, HV, nullptr},
    {R8_TYPE_GRAPH, 0xF, 120, 120, Outline::Sized, 0, 0, 50, 30, HV, nullptr},
    {R8_TYPE_COMPASS, 0x7, 110, 110, Outline::Circle, 110, 110, 0, 0, 0, nullptr},
    {R8_TYPE_SPEAKER, 0x3, 25, 16, Outline::Fixed, 25, 16, 25, 16, 0, ":/images/speaker.png"},
    {R8_TYPE_CELLINFO, 0x3, 82, 16, Outline::Fixed, 82, 12, 80, 16, R8_RESIZE_HORIZONTAL, ":/images/cellinfo.png"},
    {R8_TYPE_BATTERY, 0x3, 32, 16, Outline::Fixed, 32, 16, 32, 16, 0, ":/images/battery.png"},
    {R8_TYPE_SATS, 0x3, 28, 16, Outline::Fixed, 28, 16, 28, 16, 0, ":/images/sats.png"},
    {R8_TYPE_MAP, 0x210F, 120, 120, Outline::Sized, 0, 0, 50, 30, HV, nullptr},
    {R8_TYPE_POINTER, 0, 40, 40, Outline::Sized, 0, 0, 20, 20, HVS, nullptr},
    {R8_TYPE_WINDROSE, 0, 110, 110, Outline::Sized, 0, 0, 100, 100, HVS, nullptr},
};

const TypeInfo* FindType(int iType)
{
    for (const TypeInfo& info : s_Types)
        if (info.iType == iType)
            return &info;
    return nullptr;
}

// Screen pixels to instrument pixels, truncated toward zero. The small
// tolerance keeps v * z / z from losing a whole pixel to float rounding at
// zooms such as 1.7 (otherwise every outline rebuild would shrink elements).
int ToInstrument(double v, double zoom)
{
    const double r = v / zoom;
    return int(r + (r >= 0 ? 1e-4 : -1e-4));
}

} // namespace

namespace {

// Icon pictures are decoded once and shared by every element of their type.
QPixmap IconPixmap(const char* szPath)
{
    static QHash<const char*, QPixmap> icons;
    auto it = icons.find(szPath);
    if (it == icons.end())
        it = icons.insert(szPath, QPixmap(QString::fromLatin1(szPath)));
    return *it;
}

} // namespace

R8element::R8element(QWidget* parent, int iType, int iPlaced)
    : QWidget(parent)
{
    // Carries signals only: keep it out of the parent's widget tree display.
    setVisible(false);
    setAttribute(Qt::WA_DontShowOnScreen);
    m_iScreenElementIndex = -1;
    m_iDataType = 0;
    m_uPages = 0;
    SetType(iType);
    m_iResizeFlags = 0;
    m_iMinWidth = m_iMinHeight = 0;
    m_fRangeMin = m_fRangeMax = 0.0f;
    m_iField = 0;
    m_bNew = false;
    m_uAttribs = R8_DEFAULT_ATTRIBS;
    m_pIcon = nullptr;
    m_fZoom = 1.0f;
    SetSize(QSize(80, 29));
    m_iPlaced = iPlaced;
    SetZoom(1.0f);
    SetPosition(QPoint(0, 0));
    if (const TypeInfo* info = FindType(iType)) {
        SetSize(QSize(info->iWidth, info->iHeight));
        if (info->szIcon)
            m_pIcon = new QPixmap(IconPixmap(info->szIcon));
    }
    if (iPlaced && parent && parent->metaObject()->indexOfSlot("RefreshPage(int)") >= 0)
        connect(this, SIGNAL(RefreshPage(int)), parent, SLOT(RefreshPage(int)));
    m_iSelected = 0;
}

R8element::~R8element()
{
    // Whoever deletes an element must not leave the canvases a dangling
    // pointer in the shared selection.
    R8selectedElements.removeAll(this);
    delete m_pIcon;
}

QString R8element::TypeName(int iType)
{
    static const struct {
        int iType;
        const char* szName;
    } names[] = {
        {R8_TYPE_DATAFIELD, QT_TRANSLATE_NOOP("R8element", "value box")},
        {R8_TYPE_DIAL, QT_TRANSLATE_NOOP("R8element", "dial")},
        {R8_TYPE_BARSCALE, QT_TRANSLATE_NOOP("R8element", "vertical bar scale")},
        {R8_TYPE_DOUBLESCALE, QT_TRANSLATE_NOOP("R8element", "double bar scale")},
        {R8_TYPE_TALLSCALE, QT_TRANSLATE_NOOP("R8element", "tall numbered scale")},
        {R8_TYPE_GRAPH, QT_TRANSLATE_NOOP("R8element", "graph")},
        {R8_TYPE_COMPASS, QT_TRANSLATE_NOOP("R8element", "compass rose")},
        {R8_TYPE_SPEAKER, QT_TRANSLATE_NOOP("R8element", "speaker icon")},
        {R8_TYPE_CELLINFO, QT_TRANSLATE_NOOP("R8element", "phone-signal icon")},
        {R8_TYPE_BATTERY, QT_TRANSLATE_NOOP("R8element", "battery icon")},
        {R8_TYPE_SATS, QT_TRANSLATE_NOOP("R8element", "satellites icon")},
        {R8_TYPE_MAP, QT_TRANSLATE_NOOP("R8element", "map")},
        {R8_TYPE_POINTER, QT_TRANSLATE_NOOP("R8element", "small pointer")},
        {R8_TYPE_WINDROSE, QT_TRANSLATE_NOOP("R8element", "wind rose")},
    };
    for (const auto& n : names)
        if (n.iType == iType)
            return QCoreApplication::translate("R8element", n.szName);
    return QCoreApplication::translate("R8element", "element of type %1").arg(iType);
}

void R8element::SetType(int iType)
{
    m_iType = iType;
    const TypeInfo* info = FindType(iType);
    m_uHasProps = info ? info->uProps : 0;
}

unsigned int R8element::GetHasProps() const
{
    return m_uHasProps | (NoLargeFont() ? 0x400u : 0u);
}

bool R8element::NoLargeFont() const
{
    if (m_iField < 0)
        return false;
    const _DataField* field = g_DataFields.GetDataField(m_iField);
    return field && field->NoLargeFont;
}

void R8element::SetField(int iField)
{
    if (m_iScreenElementIndex >= 0 && iField != m_iField)
        emit ElementFieldWillChange(m_iScreenElementIndex);
    RestoreField(iField);
}

void R8element::RestoreField(int iField)
{
    m_iField = iField;
    // A field the catalogue does not hold has no name: keeping the previous
    // one would show a field the element no longer has (after an undo too).
    const _DataField* field = g_DataFields.GetDataField(iField);
    m_strFieldName = field ? field->Name : QString();
    m_iDataType = field ? field->DataType : 0;
}

void R8element::SetAttribs(unsigned int uAttribs)
{
    // Announced whatever the index: a sample has -1 and nobody records it.
    if (uAttribs != m_uAttribs)
        emit ElementGeometryWillChange(m_iScreenElementIndex);
    m_uAttribs = uAttribs;
}

void R8element::AttribTextAlignLeft()
{
    SetAttribs(m_uAttribs & ~(R8_ATTR_RIGHT | R8_ATTR_CENTER));
}

void R8element::AttribTextAlignRight()
{
    SetAttribs((m_uAttribs & ~R8_ATTR_CENTER) | R8_ATTR_RIGHT);
}

void R8element::AttribTextAlignCenter()
{
    SetAttribs((m_uAttribs & ~R8_ATTR_RIGHT) | R8_ATTR_CENTER);
}

void R8element::SetMapType(int iMapType)
{
    SetAttribs((m_uAttribs & ~R8_ATTR_LOWMASK) | (unsigned(iMapType) & R8_ATTR_LOWMASK));
}

void R8element::EmitGeometryWillChange()
{
    if (m_iScreenElementIndex >= 0)
        emit ElementGeometryWillChange(m_iScreenElementIndex);
}

void R8element::SetPosition(QPoint p)
{
    if (p != m_Position)
        EmitGeometryWillChange();
    RestorePosition(p);
}

void R8element::RestorePosition(QPoint p)
{
    m_Position = p;
    RepairPosition();
    UpdateGraphicPos();
}

void R8element::SetPositionX(int x)
{
    SetPosition(QPoint(x, m_Position.y()));
}

void R8element::SetPositionY(int y)
{
    SetPosition(QPoint(m_Position.x(), y));
}

void R8element::RepairPosition()
{
    if (!m_iPlaced)
        return;
    // Order matters: for an element larger than the screen the far edge
    // wins. Sums in 64 bits: a size read from a file may be any int.
    if (m_Position.x() < 0)
        m_Position.setX(0);
    if (m_Position.y() < 0)
        m_Position.setY(0);
    if (qint64(m_Position.x()) + m_Size.width() > R8_SCREEN_WIDTH)
        m_Position.setX(int(std::max<qint64>(qint64(R8_SCREEN_WIDTH) - m_Size.width(), INT_MIN)));
    if (qint64(m_Position.y()) + m_Size.height() > R8_SCREEN_HEIGHT)
        m_Position.setY(int(std::max<qint64>(qint64(R8_SCREEN_HEIGHT) - m_Size.height(), INT_MIN)));
}

void R8element::SetSize(QSize s)
{
    if (m_iPlaced) // no placed element is larger than the screen
        s = s.boundedTo(QSize(R8_SCREEN_WIDTH, R8_SCREEN_HEIGHT));
    if (s.height() < m_iMinHeight)
        s.setHeight(m_iMinHeight);
    if (s.width() < m_iMinWidth)
        s.setWidth(m_iMinWidth);
    StoreSize(s);
    UpdatePaths();
}

void R8element::RestoreSize(QSize s)
{
    m_Size = s;
    UpdateGraphicSize();
}

// Width and height alone are raised to the minimum but leave the outline as
// it is: the caller rebuilds it when it wants to.
void R8element::SetWidth(int w)
{
    StoreSize(QSize(std::max(w, m_iMinWidth), m_Size.height()));
}

void R8element::SetHeight(int h)
{
    StoreSize(QSize(m_Size.width(), std::max(h, m_iMinHeight)));
}

void R8element::StoreSize(QSize s)
{
    if (s != m_Size)
        EmitGeometryWillChange();
    RestoreSize(s);
}

void R8element::SetZoom(float z)
{
    // A negative zoom rebuilds at the present one. Zero would make every
    // conversion divide by zero, so it is treated the same way.
    if (z > 0.0f)
        m_fZoom = z;
    UpdatePaths();
    const QRectF bounds = m_Path.boundingRect();
    SetSize(QSize(ToInstrument(bounds.width(), m_fZoom), ToInstrument(bounds.height(), m_fZoom)));
}

void R8element::GraphicSizeSetWidth(float w)
{
    const float fMin = float(m_iMinWidth) * m_fZoom;
    m_GraphicSize.setWidth(w < fMin ? fMin : w);
}

void R8element::GraphicSizeSetHeight(float h)
{
    const float fMin = float(m_iMinHeight) * m_fZoom;
    m_GraphicSize.setHeight(h < fMin ? fMin : h);
}

void R8element::UpdateGraphicPos()
{
    m_GraphicPos = QPoint(int(float(m_Position.x()) * m_fZoom), int(float(m_Position.y()) * m_fZoom));
}

void R8element::UpdateGraphicSize()
{
    m_GraphicSize = QSizeF(double(float(m_Size.width()) * m_fZoom), double(float(m_Size.height()) * m_fZoom));
}

int R8element::FromGraphic(int g, int iCurrent) const
{
    // The graphic position was truncated from position x zoom, so dividing
    // back can land a pixel short: a click without motion would move the
    // element. Keep the present pixel when it still maps onto g, else take
    // the pixel that does when there is one.
    if (int(float(iCurrent) * m_fZoom) == g)
        return iCurrent;
    const int p = ToInstrument(g, m_fZoom);
    if (int(float(p) * m_fZoom) != g && int(float(p + 1) * m_fZoom) == g)
        return p + 1;
    return p;
}

void R8element::SnapIt()
{
    SetSize(QSize(ToInstrument(m_GraphicSize.width(), m_fZoom), ToInstrument(m_GraphicSize.height(), m_fZoom)));
    SetPosition(
        QPoint(FromGraphic(m_GraphicPos.x(), m_Position.x()), FromGraphic(m_GraphicPos.y(), m_Position.y())));
    UpdateGraphicPos();
}

void R8element::UpdatePaths()
{
    const double z = m_fZoom;
    const double w = m_Size.width() * z;
    const double h = m_Size.height() * z;
    const TypeInfo* info = FindType(m_iType);
    m_iMinWidth = info ? info->iMinWidth : 0;
    m_iMinHeight = info ? info->iMinHeight : 0;
    m_iResizeFlags = info ? info->iResize : 0;
    QPainterPath path;
    if (!info) {
        // A type this program does not know keeps the size its file gave.
        path.addRect(0, 0, w, h);
        m_Path = path;
        return;
    }
    const double ow = info->iOutlineWidth * z;
    const double oh = info->iOutlineHeight * z;
    // Rectangles are simple already; the curved outlines depend only on the
    // type and the zoom, so their simplified form is made once and shared.
    switch (info->outline) {
    case Outline::Sized:
        path.addRect(0, 0, w, h);
        break;
    case Outline::Square:
        path.addRect(0, 0, w, w);
        break;
    case Outline::Tall:
        path.addRect(0, 0, w, oh);
        break;
    case Outline::Fixed:
        path.addRect(0, 0, ow, oh);
        break;
    case Outline::Circle:
    case Outline::Capsule:
    case Outline::Wedge: {
        static QHash<QPair<int, float>, QPainterPath> cache;
        const QPair<int, float> key(m_iType, m_fZoom);
        auto it = cache.find(key);
        if (it == cache.end()) {
            if (info->outline == Outline::Circle) {
                path.addEllipse(0, 0, ow, oh);
            } else if (info->outline == Outline::Capsule) {
                path.moveTo(30 * z, 15 * z);
                path.arcTo(0, 0, 30 * z, 30 * z, 0, 180);
                path.arcTo(0, 100 * z, 30 * z, 30 * z, 180, 180);
                path.lineTo(30 * z, 15 * z);
            } else {
                QPolygonF poly;
                poly << QPointF(0, 0) << QPointF(70 * z, 0) << QPointF(70 * z, 200 * z) << QPointF(0, 200 * z)
                     << QPointF(50 * z, 100 * z) << QPointF(0, 0);
                path.addPolygon(poly);
                path.closeSubpath();
            }
            it = cache.insert(key, path.simplified());
        }
        m_Path = *it;
        return;
    }
    }
    m_Path = path;
}

int R8element::ResizableEdges() const
{
    // A dimension the outline does not take from the size cannot be dragged:
    // the edge would move the element instead.
    const TypeInfo* info = FindType(m_iType);
    if (!info)
        return 0;
    switch (info->outline) {
    case Outline::Sized:
    case Outline::Square:
        return m_iResizeFlags;
    case Outline::Tall:
        return m_iResizeFlags & R8_RESIZE_HORIZONTAL;
    default:
        return 0;
    }
}

QSize R8element::FixedOutline(int iType)
{
    const TypeInfo* info = FindType(iType);
    return info ? QSize(info->iOutlineWidth, info->iOutlineHeight) : QSize();
}

unsigned int R8element::ElementSelect(int iState)
{
    if (iState == m_iSelected)
        return 0;
    m_iSelected = iState;
    return m_uPages;
}

void R8element::CommitMove()
{
    for (int i = 0; i < 16; ++i)
        if (m_uPages & (1u << i))
            emit RefreshPage(i);
}

void R8element::ChangedPagePresence(int iPage)
{
    emit RefreshPage(iPage);
}

void R8element::ChangedProperties()
{
    CommitMove();
}

void R8element::ChangedPositioning(QPoint p, QSize s)
{
    m_Position = p;
    UpdateGraphicPos();
    SetHeight(s.height());
    SetWidth(s.width());
    RepairPosition();
    UpdateGraphicPos(); // the repair may have moved it
    CommitMove();
}
