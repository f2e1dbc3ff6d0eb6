#include "screenlayout.h"
#include "appglobals.h"
#include "datafields.h"
#include "elementhost.h"
#include "r8element.h"

#include <QFont>
#include <QMouseEvent>
#include <QPainter>

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

void ScreenLayout::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect screen(0, 0, int(R8_SCREEN_WIDTH * m_fZoom + 1), int(R8_SCREEN_HEIGHT * m_fZoom + 1));
    painter.setPen(QColor(210, 210, 210));
    painter.setFont(QFont(QStringLiteral("Arial"), 200, QFont::Bold));
    painter.drawText(screen, Qt::AlignCenter, QString::number(m_iScreenId));
    painter.setPen(QColor(10, 10, 10));
    painter.drawRect(screen);
    // The first element of the list ends up on top.
    const QList<R8element*>& elements = HostElements();
    for (int i = elements.size() - 1; i >= 0; --i)
        elements.at(i)->PaintMe(painter, PageBit());
    if (m_iBandState != -1) {
        painter.setPen(Qt::DotLine);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(m_BandOrigin, m_BandEnd));
    }
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
            if (el->GetResizeFlags() & R8_RESIZE_HORIZONTAL) {
                if (Near(b.left(), p.x()))
                    iZone |= R8_ZONE_LEFT;
                if (Near(b.right(), p.x()))
                    iZone |= R8_ZONE_RIGHT;
            }
            if (el->GetResizeFlags() & R8_RESIZE_VERTICAL) {
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
            } else {
                m_iMovingIndex = i;
                if (R8selectedElements.isEmpty())
                    R8selectedElements.append(el);
            }
            m_LastMousePos = pos;
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
        m_LastMousePos = pos;
        update();
        return;
    }
    if (m_iMovingIndex >= 0) {
        if (!bLeft)
            return;
        const QPoint d = pos - m_LastMousePos;
        for (R8element* el : qAsConst(R8selectedElements))
            el->SetGraphicPosition(el->GraphicPosition() + d);
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
    if (SelectElements(QRect(event->pos(), QSize(1, 1)), nullptr) == 1)
        emit RightClickElement(R8selectedElements.first());
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
    ClearSelections();
    if (g_pElementHost)
        g_pElementHost->UnselectAllElements();
    for (R8element* el : HostElements()) {
        if (el == pElement && (el->OnPages() & PageBit())) {
            el->ElementSelect(1);
            R8selectedElements.append(el);
            break;
        }
    }
    emit MultiSelect(R8selectedElements.size());
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

unsigned int ScreenLayout::Nudge(int dx, int dy)
{
    unsigned int uPages = 0;
    for (R8element* el : qAsConst(R8selectedElements)) {
        const QPoint p = el->GetPosition();
        const QSize s = el->GetSize();
        // Right and down stop one pixel short of the screen edge.
        if (dx < 0 && p.x() - 1 >= 0) {
            el->SetPositionX(p.x() - 1);
        } else if (dx > 0 && p.x() + 1 + s.width() < R8_SCREEN_WIDTH) {
            el->SetPositionX(p.x() + 1);
        } else if (dy < 0 && p.y() - 1 >= 0) {
            el->SetPositionY(p.y() - 1);
        } else if (dy > 0 && p.y() + 1 + s.height() < R8_SCREEN_HEIGHT) {
            el->SetPositionY(p.y() + 1);
        } else {
            continue;
        }
        el->RepairPosition();
        uPages |= el->OnPages();
    }
    return uPages;
}

unsigned int ScreenLayout::MoveElementsUp()
{
    return Nudge(0, -1);
}

unsigned int ScreenLayout::MoveElementsDown()
{
    return Nudge(0, 1);
}

unsigned int ScreenLayout::MoveElementsLeft()
{
    return Nudge(-1, 0);
}

unsigned int ScreenLayout::MoveElementsRight()
{
    return Nudge(1, 0);
}
