#pragma once
#include "snapping.h"

#include <QList>
#include <QPair>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QVector>
#include <QWidget>

class R8element;
class QMouseEvent;
class QPainter;

// Edge zones of an element under the pointer.
enum R8Zone {
    R8_ZONE_LEFT = 1,
    R8_ZONE_RIGHT = 2,
    R8_ZONE_TOP = 4,
    R8_ZONE_BOTTOM = 8,
};

// One instrument page at the main window's zoom. It owns no elements: it
// shows and edits those of the host's list (g_pElementHost) that carry its
// page bit; the selection is the shared R8selectedElements.
class ScreenLayout : public QWidget
{
    Q_OBJECT
public:
    ScreenLayout(QWidget* parent, int iScreenId);
    ~ScreenLayout() override;

    int GetScreenId() const { return m_iScreenId; }
    unsigned int PageBit() const { return 1u << m_iScreenId; }
    void SetZoom(float fZoom) { m_fZoom = fZoom; }
    float GetZoom() const { return m_fZoom; }

    // Paints a page as the canvas shows it (number, frame, elements), without
    // band or guides; the image export and r8tool render paint with it too.
    static void PaintPage(QPainter& painter, const QList<R8element*>& elements, int iPage, float fZoom);

    int ElementAtPos(const QPoint& pos, int* pZone) const;
    void ChangeCursor(QMouseEvent* event, int iIndex, int iZone);
    int SelectElements(QRect rect, R8element* pAdd);
    void SelectElement(R8element* pElement);
    // Selects exactly those of the elements that are on this page.
    void SelectOnly(const QList<R8element*>& elements);
    void ClearSelections();
    void SyncSelections();
    int SelectedElement() const;
    void DoneMove();
    unsigned int DeleteElements();
    unsigned int PropertiesElement();
    // One pixel a step; Shift+arrow in the window passes ten.
    unsigned int MoveElementsUp(int iStep = 1);
    unsigned int MoveElementsDown(int iStep = 1);
    unsigned int MoveElementsLeft(int iStep = 1);
    unsigned int MoveElementsRight(int iStep = 1);

    // The grid: shown under the elements, and where dragged elements come to
    // rest when snapping to it is on. The main window sets it on every page.
    struct Grid {
        int size = 0; // instrument pixels; 0 until the window sets one
        bool show = false;
        bool snap = false;
    };
    void SetGrid(const Grid& grid);
    const Grid& GetGrid() const { return m_Grid; }
    // The guide lines of the drag in progress (instrument pixels).
    const Snapping::Guides& Guides() const { return m_Guides; }
    // The canvas as the page strip shows it: no grid, no guides.
    QPixmap Picture();

    // alignment and formatting of the selection (screenlayout_align.cpp)
    unsigned int AlignTop();
    unsigned int AlignBottom();
    unsigned int AlignLeft();
    unsigned int AlignRight();
    unsigned int AlignCenter();
    unsigned int AlignMiddle();
    unsigned int AlignHeight();
    unsigned int AlignWidth();
    unsigned int AlignJoinHorizontal();
    unsigned int AlignJoinVertical();
    unsigned int TextAlignRight();
    unsigned int TextAlignCenter();
    unsigned int TextAlignLeft();
    unsigned int LargeFont();
    unsigned int NormalFont();
    unsigned int TinyFont();
    unsigned int AutoSize();

    // Mouse state, for tests and the window's status.
    int MovingIndex() const { return m_iMovingIndex; }
    int ResizingIndex() const { return m_iResizingIndex; }
    bool BandActive() const { return m_iBandState != -1; }

public slots:
    void UpdateLayout(int iPage);

signals:
    void RefreshThumb(int iPage);
    void MultiSelect(int iCount);
    void RightClickElement(R8element* pElement);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    enum class Keep { None, Others };
    int SelectInRect(QRect rect, R8element* pAdd, Keep keep);
    unsigned int AlignEdges(int iEdge);
    unsigned int AlignSizes(bool bWidth);
    unsigned int AlignCentres(bool bHorizontal);
    unsigned int AlignTextOf(void (R8element::*pAlign)());
    unsigned int Nudge(int dx, int dy, int iStep);
    QVector<QRectF> OtherRects(const R8element* pExcept) const;
    bool Snaps(const QMouseEvent* event) const;
    Snapping::Options SnapOptions() const;
    void SnapMoving();
    void SnapResizing(R8element* el);
    void PaintGrid(QPainter& painter) const;
    void PaintGuides(QPainter& painter) const;

    float m_fZoom = 1.0f;
    int m_iHoveredIndex = -2;
    int m_iScreenId = 0;
    int m_iMovingIndex = -1;
    int m_iResizingIndex = -1;
    int m_iResizeZone = 0;
    QPoint m_BandOrigin;
    int m_iBandState = -1;
    QPoint m_BandEnd;
    QPoint m_LastMousePos;
    // Where a move started, and each moved element's picture position then:
    // snapping shifts from the unsnapped place, so the pointer stays in hand.
    QPoint m_PressPos;
    QVector<QPair<R8element*, QPoint>> m_MoveStart;
    // The unsnapped picture geometry of the element being resized.
    QPoint m_RawPos;
    QSizeF m_RawSize;
    Snapping::Guides m_Guides;
    Grid m_Grid;
    bool m_bPlain = false; // painting the page strip's picture
};
