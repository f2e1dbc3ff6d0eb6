#include "screenlayout.h"
#include "appglobals.h"
#include "datafields.h"
#include "elementhost.h"
#include "r8element.h"

#include <QApplication>
#include <QFont>
#include <QMouseEvent>
#include <QPainter>
#include <climits>

namespace {

// A drag that takes the pointer this far out ends the move (screen pixels).
constexpr int s_iMoveLimitX = 480;
constexpr int s_iMoveLimitY = 640;
// How close to an outline edge the pointer grabs it for resizing.
constexpr double s_dEdgeGrab = 3.0;

const QList<R8element*>& HostElements()
{
    static const QList<R8element*> none;
    return g_pElementHost ? g_pElementHost->Elements() : none;
}

bool Near(double edge, double p)
{
    return p - s_dEdgeGrab < edge && edge < p + s_dEdgeGrab;
}

} // namespace

ScreenLayout::ScreenLayout(QWidget* parent, int iScreenId)
    : QWidget(parent)
    , m_iScreenId(iScreenId)
{
    setObjectName(QStringLiteral("ScreenLayout"));
    resize(R8_SCREEN_WIDTH, R8_SCREEN_HEIGHT);
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setAcceptDrops(true);
    m_iHoveredIndex = -2;
    m_iMovingIndex = m_iResizingIndex = m_iBandState = -1;
    // Any parent that announces page updates drives the repaint.
    if (parent && parent->metaObject()->indexOfSignal("UpdateLayout(int)") >= 0)
        connect(parent, SIGNAL(UpdateLayout(int)), this, SLOT(UpdateLayout(int)));
}

ScreenLayout::~ScreenLayout() = default;

void ScreenLayout::UpdateLayout(int iPage)
{
    if (iPage != m_iScreenId)
        return;
    emit RefreshThumb(m_iScreenId);
    update();
}

void ScreenLayout::PaintPage(QPainter& painter, const QList<R8element*>& elements, int iPage, float fZoom)
{
    const QRect screen(0, 0, int(R8_SCREEN_WIDTH * fZoom + 1), int(R8_SCREEN_HEIGHT * fZoom + 1));
    painter.setPen(QColor(210, 210, 210));
    painter.setFont(QFont(QStringLiteral("Arial"), 200, QFont::Bold));
    painter.drawText(screen, Qt::AlignCenter, QString::number(iPage));
    painter.setPen(QColor(10, 10, 10));
    painter.drawRect(screen);
    // The first element of the list ends up on top.
    for (int i = elements.size() - 1; i >= 0; --i)
        elements.at(i)->PaintMe(painter, 1u << iPage);
}

void ScreenLayout::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_bPlain)
        PaintGrid(painter);
    PaintPage(painter, HostElements(), m_iScreenId, m_fZoom);
    if (m_iBandState != -1) {
        painter.setPen(Qt::DotLine);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(m_BandOrigin, m_BandEnd));
    }
    if (!m_bPlain)
        PaintGuides(painter);
}

void ScreenLayout::PaintGrid(QPainter& painter) const
{
    if (!m_Grid.show || m_Grid.size <= 0)
        return;
    QVector<QPointF> dots;
    for (int x = m_Grid.size; x < R8_SCREEN_WIDTH; x += m_Grid.size)
        for (int y = m_Grid.size; y < R8_SCREEN_HEIGHT; y += m_Grid.size)
            dots.append(QPointF(x * m_fZoom, y * m_fZoom));
    painter.save();
    painter.setPen(QPen(QColor(150, 150, 170), 1));
    painter.drawPoints(dots.constData(), dots.size());
    painter.restore();
}

void ScreenLayout::PaintGuides(QPainter& painter) const
{
    if (!m_Guides.x && !m_Guides.y)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0, 140, 255), 1));
    if (m_Guides.x) {
        const int x = qRound(*m_Guides.x * m_fZoom);
        painter.drawLine(x, 0, x, height());
    }
    if (m_Guides.y) {
        const int y = qRound(*m_Guides.y * m_fZoom);
        painter.drawLine(0, y, width(), y);
    }
    painter.restore();
}

void ScreenLayout::SetGrid(const Grid& grid)
{
    m_Grid = grid;
    update();
}

QPixmap ScreenLayout::Picture()
{
    m_bPlain = true;
    const QPixmap picture = grab(QRect(QPoint(0, 0), size()));
    m_bPlain = false;
    return picture;
}

QVector<QRectF> ScreenLayout::OtherRects(const R8element* pExcept) const
{
    QVector<QRectF> rects;
    for (const R8element* el : HostElements()) {
        if (el == pExcept || !(el->OnPages() & PageBit()) || R8selectedElements.contains(const_cast<R8element*>(el)))
            continue;
        rects.append(QRectF(QPointF(el->GetPosition()), QSizeF(el->GetSize())));
    }
    return rects;
}

bool ScreenLayout::Snaps(const QMouseEvent* event) const
{
    // Alt held: the element follows the pointer freely. A click that only
    // jitters must not pull an element onto a line either.
    return !(event->modifiers() & Qt::AltModifier)
           && (event->pos() - m_PressPos).manhattanLength() >= QApplication::startDragDistance();
}

Snapping::Options ScreenLayout::SnapOptions() const
{
    Snapping::Options options;
    options.grid = m_Grid.snap ? m_Grid.size : 0;
    options.distance = Snapping::kSnapScreenPixels / double(m_fZoom);
    return options;
}

void ScreenLayout::SnapMoving()
{
    if (m_MoveStart.isEmpty())
        return;
    // The selection's bounding box snaps as one; every element then shifts
    // by the same whole number of screen pixels.
    const double z = m_fZoom;
    QRectF box;
    QPoint minPos(INT_MAX, INT_MAX);
    for (const auto& moved : qAsConst(m_MoveStart)) {
        const R8element* el = moved.first;
        box |= QRectF(QPointF(el->GraphicPosition()) / z, QSizeF(el->GetSize()));
        minPos.rx() = qMin(minPos.x(), el->GraphicPosition().x());
        minPos.ry() = qMin(minPos.y(), el->GraphicPosition().y());
    }
    const Snapping::Options options = SnapOptions();
    const QPointF shift = Snapping::SnapMove(box, OtherRects(nullptr), options, &m_Guides);
    // The picture position of a whole instrument pixel, as SnapIt reads it.
    auto screenOf = [this](double v) { return int(float(qRound(v)) * m_fZoom); };
    QPoint d;
    if (m_Guides.x || options.grid > 0)
        d.rx() = screenOf(box.left() + shift.x()) - minPos.x();
    if (m_Guides.y || options.grid > 0)
        d.ry() = screenOf(box.top() + shift.y()) - minPos.y();
    for (const auto& moved : qAsConst(m_MoveStart))
        moved.first->SetGraphicPosition(moved.first->GraphicPosition() + d);
}

void ScreenLayout::SnapResizing(R8element* el)
{
    const float z = m_fZoom;
    const QRectF raw(QPointF(m_RawPos) / double(z), m_RawSize / double(z));
    const Snapping::Options options = SnapOptions();
    const QRectF r = Snapping::SnapResize(raw, m_iResizeZone, OtherRects(el), options, &m_Guides);
    const bool bSquare = el->GetResizeFlags() & R8_RESIZE_SQUARE;
    const bool bSnapX = (m_Guides.x || options.grid > 0) && (m_iResizeZone & (R8_ZONE_LEFT | R8_ZONE_RIGHT));
    // A square element follows one axis; the other keeps the drag's ratio.
    const bool bSnapY =
        (m_Guides.y || options.grid > 0) && (m_iResizeZone & (R8_ZONE_TOP | R8_ZONE_BOTTOM)) && !(bSquare && bSnapX);
    if (!bSnapX)
        m_Guides.x.reset();
    if (!bSnapY)
        m_Guides.y.reset();
    const double ratio = m_RawSize.height() / m_RawSize.width();
    QPoint pos = m_RawPos;
    QSizeF size = m_RawSize;
    // One axis: the dragged edge lands on a whole instrument pixel; the far
    // edge stays where the drag left it. Refused below the minimum size.
    auto snapAxis = [&](bool bHorizontal, bool bLowEdge, double lo, double hi, int iMin) {
        int& p = bHorizontal ? pos.rx() : pos.ry();
        double extent = 0.0;
        if (bLowEdge) {
            const int start = int(float(qRound(lo)) * z);
            extent = (bHorizontal ? m_RawPos.x() + m_RawSize.width() : m_RawPos.y() + m_RawSize.height()) - start;
            if (extent < iMin * z)
                return false;
            p = start;
        } else {
            const int first = int(double(p) / z + 1e-4);
            const int length = qRound(hi) - first;
            if (length < iMin)
                return false;
            extent = length * z + 1e-3;
        }
        if (bHorizontal)
            size.setWidth(extent);
        else
            size.setHeight(extent);
        return true;
    };
    if (bSnapX && snapAxis(true, m_iResizeZone & R8_ZONE_LEFT, r.left(), r.right(), el->MinimumWidth())) {
        if (bSquare)
            size.setHeight(size.width() * ratio);
    } else {
        m_Guides.x.reset();
    }
    if (bSnapY && snapAxis(false, m_iResizeZone & R8_ZONE_TOP, r.top(), r.bottom(), el->MinimumHeight())) {
        if (bSquare)
            size.setWidth(size.height() / ratio);
    } else {
        m_Guides.y.reset();
    }
    el->SetGraphicPosition(pos);
    el->GraphicSizeSetWidth(float(size.width()));
    el->GraphicSizeSetHeight(float(size.height()));
}

int ScreenLayout::ElementAtPos(const QPoint& pos, int* pZone) const
{
    // Searched in painting order from the top, so the pointer takes the
    // element the user sees where elements overlap.
    const QList<R8element*>& elements = HostElements();
    for (int i = 0; i < elements.size(); ++i) {
        const R8element* el = elements.at(i);
        if (!(el->OnPages() & PageBit()))
            continue;
        const QPointF p = QPointF(pos - el->GraphicPosition());
        if (!el->MyPath().contains(p))
            continue;
        if (pZone) {
            int iZone = 0;
            const QRectF b = el->MyPath().boundingRect();
            const int iEdges = el->ResizableEdges();
            if (iEdges & R8_RESIZE_HORIZONTAL) {
                if (Near(b.left(), p.x()))
                    iZone |= R8_ZONE_LEFT;
                if (Near(b.right(), p.x()))
                    iZone |= R8_ZONE_RIGHT;
            }
            if (iEdges & R8_RESIZE_VERTICAL) {
                if (Near(b.top(), p.y()))
                    iZone |= R8_ZONE_TOP;
                if (Near(b.bottom(), p.y()))
                    iZone |= R8_ZONE_BOTTOM;
            }
            *pZone = iZone;
        }
        return i;
    }
    return -1;
}

void ScreenLayout::ChangeCursor(QMouseEvent* event, int iIndex, int iZone)
{
    Qt::CursorShape shape;
    // NOLINTBEGIN(bugprone-branch-clone): opposite corners share a cursor
    if (iIndex < 0)
        shape = Qt::ArrowCursor;
    else if ((iZone & R8_ZONE_LEFT) && (iZone & R8_ZONE_TOP))
        shape = Qt::SizeFDiagCursor;
    else if ((iZone & R8_ZONE_LEFT) && (iZone & R8_ZONE_BOTTOM))
        shape = Qt::SizeBDiagCursor;
    else if (iZone & R8_ZONE_LEFT)
        shape = Qt::SizeHorCursor;
    else if ((iZone & R8_ZONE_RIGHT) && (iZone & R8_ZONE_TOP))
        shape = Qt::SizeBDiagCursor;
    else if ((iZone & R8_ZONE_RIGHT) && (iZone & R8_ZONE_BOTTOM))
        shape = Qt::SizeFDiagCursor;
    else if (iZone & R8_ZONE_RIGHT)
        shape = Qt::SizeHorCursor;
    else if (iZone & (R8_ZONE_TOP | R8_ZONE_BOTTOM))
        shape = Qt::SizeVerCursor;
    else if (event && (event->buttons() & Qt::LeftButton))
        shape = Qt::ClosedHandCursor;
    else
        shape = Qt::OpenHandCursor;
    // NOLINTEND(bugprone-branch-clone)
    setCursor(shape);
}

void ScreenLayout::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint pos = event->pos();
        int iZone = 0;
        const int i = ElementAtPos(pos, &iZone);
        if (i < 0) {
            m_iBandState = 1;
            m_BandOrigin = m_BandEnd = pos;
        } else {
            ChangeCursor(event, i, iZone);
            R8element* el = HostElements().at(i);
            if (!el->IsSelected()) {
                R8selectedElements.clear();
                R8selectedElements.append(el);
            }
            if (iZone != 0) {
                m_iResizingIndex = i;
                m_iResizeZone = iZone;
                el->UpdateGraphicSize();
                m_RawPos = el->GraphicPosition();
                m_RawSize = el->MyScreenSize();
            } else {
                m_iMovingIndex = i;
                if (R8selectedElements.isEmpty())
                    R8selectedElements.append(el);
                m_MoveStart.clear();
                for (R8element* moved : qAsConst(R8selectedElements))
                    m_MoveStart.append({moved, moved->GraphicPosition()});
            }
            m_LastMousePos = m_PressPos = pos;
            m_Guides = Snapping::Guides();
        }
        update();
    }
    QWidget::mousePressEvent(event);
}

void ScreenLayout::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->pos();
    const bool bLeft = event->buttons() & Qt::LeftButton;
    const QList<R8element*>& elements = HostElements();
    if (m_iResizingIndex >= 0 && m_iResizingIndex < elements.size()) {
        if (!bLeft)
            return;
        R8element* el = elements.at(m_iResizingIndex);
        // The drag goes on from the unsnapped geometry.
        el->SetGraphicPosition(m_RawPos);
        el->GraphicSizeSetWidth(float(m_RawSize.width()));
        el->GraphicSizeSetHeight(float(m_RawSize.height()));
        const QPoint d = pos - m_LastMousePos;
        const float fRatio = el->GraphicSizeHeight() / el->GraphicSizeWidth();
        const bool bSquare = el->GetResizeFlags() & R8_RESIZE_SQUARE;
        QPoint gpos = el->GraphicPosition();
        if (m_iResizeZone & R8_ZONE_LEFT) {
            el->GraphicSizeSetWidth(el->GraphicSizeWidth() - d.x());
            gpos.rx() += d.x();
            if (bSquare)
                el->GraphicSizeSetHeight(el->GraphicSizeHeight() - d.x() * fRatio);
        }
        if (m_iResizeZone & R8_ZONE_RIGHT) {
            el->GraphicSizeSetWidth(el->GraphicSizeWidth() + d.x());
            if (bSquare)
                el->GraphicSizeSetHeight(el->GraphicSizeHeight() + d.x() * fRatio);
        }
        if (m_iResizeZone & R8_ZONE_BOTTOM) {
            el->GraphicSizeSetHeight(el->GraphicSizeHeight() + d.y());
            if (bSquare)
                el->GraphicSizeSetWidth(el->GraphicSizeWidth() + d.y() * fRatio);
        }
        if (m_iResizeZone & R8_ZONE_TOP) {
            el->GraphicSizeSetHeight(el->GraphicSizeHeight() - d.y());
            gpos.ry() += d.y();
            if (bSquare)
                el->GraphicSizeSetWidth(el->GraphicSizeWidth() - d.y() * fRatio);
        }
        el->SetGraphicPosition(gpos);
        m_RawPos = gpos;
        m_RawSize = el->MyScreenSize();
        m_Guides = Snapping::Guides();
        if (Snaps(event))
            SnapResizing(el);
        m_LastMousePos = pos;
        update();
        return;
    }
    if (m_iMovingIndex >= 0) {
        if (!bLeft)
            return;
        for (const auto& moved : qAsConst(m_MoveStart))
            moved.first->SetGraphicPosition(moved.second + (pos - m_PressPos));
        m_Guides = Snapping::Guides();
        if (Snaps(event))
            SnapMoving();
        m_LastMousePos = pos;
        if (pos.x() < 0 || pos.y() < 0 || pos.x() > s_iMoveLimitX || pos.y() > s_iMoveLimitY)
            DoneMove();
        update();
        return;
    }
    if (m_iBandState != -1) {
        m_BandEnd = pos;
        update();
        return;
    }
    int iZone = 0;
    const int i = ElementAtPos(pos, &iZone);
    ChangeCursor(event, i, iZone);
    if (i == m_iHoveredIndex)
        return;
    QString strTip;
    if (i >= 0) {
        if (const _DataField* field = g_DataFields.GetDataField(elements.at(i)->GetField()))
            strTip = QStringLiteral("<h4 style=\"width: 140px;\">%1</h4>%2").arg(field->Name, field->Description);
    }
    setToolTip(strTip);
    m_iHoveredIndex = i;
}

void ScreenLayout::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint pos = event->pos();
    int iZone = 0;
    if (m_iResizingIndex >= 0) {
        ChangeCursor(event, ElementAtPos(pos, &iZone), iZone);
        DoneMove();
    } else if (m_iMovingIndex >= 0) {
        const int i = ElementAtPos(pos, &iZone);
        ChangeCursor(event, i, iZone);
        DoneMove();
        R8element* pAdd = (event->modifiers() & Qt::ShiftModifier) && i >= 0 ? HostElements().at(i) : nullptr;
        SelectElements(QRect(pos, QSize(1, 1)), pAdd);
    } else if (m_iBandState != -1) {
        m_BandEnd = pos;
        m_iBandState = -1;
        // The band selects what it touches; with Shift it adds to the
        // selection. A plain click on empty canvas thus clears it.
        SelectInRect(QRect(m_BandOrigin, m_BandEnd), nullptr,
                     (event->modifiers() & Qt::ShiftModifier) ? Keep::Others : Keep::None);
        update();
    }
    QWidget::mouseReleaseEvent(event);
}

void ScreenLayout::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Where elements overlap, the one on top (the one the pointer takes)
    // opens.
    const int i = ElementAtPos(event->pos(), nullptr);
    if (i >= 0) {
        R8element* el = HostElements().at(i);
        SelectElement(el);
        if (g_pElementHost)
            g_pElementHost->UpdateLayouts(el->OnPages());
        emit RightClickElement(el);
    } else {
        SelectElements(QRect(event->pos(), QSize(1, 1)), nullptr);
    }
    QWidget::mouseDoubleClickEvent(event);
}

void ScreenLayout::DoneMove()
{
    const QList<R8element*>& elements = HostElements();
    if (m_iResizingIndex >= 0 && m_iResizingIndex < elements.size()) {
        R8element* el = elements.at(m_iResizingIndex);
        el->SnapIt();
        el->CommitMove();
        el->SetZoom(-1.0f);
    }
    if (m_iMovingIndex >= 0) {
        // In list order, so the undo records come in a stable order.
        for (R8element* el : elements) {
            if (!R8selectedElements.contains(el))
                continue;
            el->SnapIt();
            el->CommitMove();
        }
    }
    m_iMovingIndex = m_iResizingIndex = -1;
    m_MoveStart.clear();
    m_Guides = Snapping::Guides();
    update();
}

int ScreenLayout::SelectElements(QRect rect, R8element* pAdd)
{
    return SelectInRect(rect, pAdd, pAdd ? Keep::Others : Keep::None);
}

int ScreenLayout::SelectInRect(QRect rect, R8element* pAdd, Keep keep)
{
    unsigned int uChanged = 0;
    const bool bBandAdds = keep == Keep::Others && !pAdd;
    R8element* pCandidate = nullptr;
    if (!bBandAdds) {
        if (R8selectedElements.size() == 1) {
            pCandidate = R8selectedElements.first();
        } else if (pAdd) {
            if (pAdd->IsSelected() == 2)
                uChanged |= pAdd->ElementSelect(1);
            else if (pAdd->IsSelected() == 1)
                pCandidate = pAdd;
        }
    }
    if (keep == Keep::None && g_pElementHost)
        g_pElementHost->UnselectAllElements();
    const QRect area = rect.normalized();
    for (R8element* el : HostElements()) {
        if (!(el->OnPages() & PageBit())) {
            if (el->IsSelected() != 0)
                uChanged |= el->ElementSelect(0);
            continue;
        }
        if (el->MyPathTranslated().intersects(QRectF(area))) {
            if (bBandAdds) {
                if (el->IsSelected() == 0)
                    uChanged |= el->ElementSelect(1);
            } else {
                uChanged |= el->ElementSelect(el == pCandidate ? 2 : 1);
            }
        } else if (!bBandAdds && el->IsSelected() == 2) {
            uChanged |= el->ElementSelect(1);
        }
    }
    SyncSelections();
    const int iCount = R8selectedElements.size();
    if (iCount == 1)
        uChanged |= R8selectedElements.first()->ElementSelect(1);
    emit MultiSelect(iCount);
    if (g_pElementHost)
        g_pElementHost->UpdateLayouts(uChanged);
    update();
    return iCount;
}

void ScreenLayout::SelectElement(R8element* pElement)
{
    SelectOnly({pElement});
}

void ScreenLayout::SelectOnly(const QList<R8element*>& elements)
{
    ClearSelections();
    if (g_pElementHost)
        g_pElementHost->UnselectAllElements();
    unsigned int uChanged = 0;
    for (R8element* el : HostElements()) {
        if (elements.contains(el) && (el->OnPages() & PageBit())) {
            uChanged |= el->ElementSelect(1);
            R8selectedElements.append(el);
        }
    }
    emit MultiSelect(R8selectedElements.size());
    if (g_pElementHost)
        g_pElementHost->UpdateLayouts(uChanged);
    update();
}

void ScreenLayout::ClearSelections()
{
    R8selectedElements.clear();
}

void ScreenLayout::SyncSelections()
{
    R8selectedElements.clear();
    for (R8element* el : HostElements())
        if ((el->OnPages() & PageBit()) && el->IsSelected() != 0)
            R8selectedElements.append(el);
}

int ScreenLayout::SelectedElement() const
{
    const QList<R8element*>& elements = HostElements();
    for (int i = elements.size() - 1; i >= 0; --i)
        if (elements.at(i)->IsSelected() != 0 && (elements.at(i)->OnPages() & PageBit()))
            return i;
    return -1;
}

unsigned int ScreenLayout::DeleteElements()
{
    unsigned int uPages = 0;
    for (R8element* el : qAsConst(R8selectedElements)) {
        uPages |= el->OnPages();
        el->SetPages(0);
    }
    return uPages;
}

unsigned int ScreenLayout::PropertiesElement()
{
    if (R8selectedElements.size() != 1)
        return 0;
    R8element* el = R8selectedElements.first();
    emit RightClickElement(el);
    return el->OnPages();
}

unsigned int ScreenLayout::Nudge(int dx, int dy, int iStep)
{
    unsigned int uPages = 0;
    for (R8element* el : qAsConst(R8selectedElements)) {
        const QPoint p = el->GetPosition();
        const QSize s = el->GetSize();
        // Right and down stop one pixel short of the screen edge; a long
        // step goes as far as it can.
        auto stepTo = [iStep](int v, int d, int iMax) { return d < 0 ? qMax(v - iStep, 0) : qMin(v + iStep, iMax); };
        if (dx != 0) {
            const int x = stepTo(p.x(), dx, R8_SCREEN_WIDTH - 1 - s.width());
            if (dx < 0 ? x >= p.x() : x <= p.x())
                continue;
            el->SetPositionX(x);
        } else {
            const int y = stepTo(p.y(), dy, R8_SCREEN_HEIGHT - 1 - s.height());
            if (dy < 0 ? y >= p.y() : y <= p.y())
                continue;
            el->SetPositionY(y);
        }
        el->RepairPosition();
        uPages |= el->OnPages();
    }
    return uPages;
}

unsigned int ScreenLayout::MoveElementsUp(int iStep)
{
    return Nudge(0, -1, iStep);
}

unsigned int ScreenLayout::MoveElementsDown(int iStep)
{
    return Nudge(0, 1, iStep);
}

unsigned int ScreenLayout::MoveElementsLeft(int iStep)
{
    return Nudge(-1, 0, iStep);
}

unsigned int ScreenLayout::MoveElementsRight(int iStep)
{
    return Nudge(1, 0, iStep);
}
