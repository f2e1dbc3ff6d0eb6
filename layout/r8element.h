#pragma once
#include <QList>
#include <QPainterPath>
#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QWidget>

class FieldTextSource;
class QPainter;
class QPixmap;

// Element type codes as the instrument knows them.
enum R8ElementType {
    R8_TYPE_DATAFIELD = 0x0001,
    R8_TYPE_DIAL = 0xD000,
    R8_TYPE_BARSCALE = 0xE001,
    R8_TYPE_DOUBLESCALE = 0xE002,
    R8_TYPE_TALLSCALE = 0xE003,
    R8_TYPE_GRAPH = 0xE008,
    R8_TYPE_COMPASS = 0xE010,
    R8_TYPE_SPEAKER = 0xE020,
    R8_TYPE_CELLINFO = 0xE030,
    R8_TYPE_BATTERY = 0xE031,
    R8_TYPE_SATS = 0xE032,
    R8_TYPE_MAP = 0xE040,
    R8_TYPE_POINTER = 0xE042,
    R8_TYPE_WINDROSE = 0xE043,
};

// The fourteen types in tool box order.
extern const int R8ElementTypes[14];

// Attribute bits.
enum R8Attrib : unsigned int {
    R8_ATTR_LOWMASK = 3, // font size, dial direction or map type
    R8_ATTR_BORDER = 4,
    R8_ATTR_TITLE = 8,
    R8_ATTR_UNITS = 16,
    R8_ATTR_RIGHT = 32,
    R8_ATTR_CENTER = 64,
    R8_ATTR_UNITSBELOW = 128,
};

// Resize flags.
enum R8Resize {
    R8_RESIZE_HORIZONTAL = 1,
    R8_RESIZE_VERTICAL = 2,
    R8_RESIZE_SQUARE = 4,
};

constexpr int R8_SCREEN_WIDTH = 240;
constexpr int R8_SCREEN_HEIGHT = 320;
constexpr unsigned int R8_ALL_PAGES = 0xFFFF;
constexpr unsigned int R8_DEFAULT_ATTRIBS = R8_ATTR_TITLE | R8_ATTR_BORDER | R8_ATTR_RIGHT; // 44
// Property mask bit: the type shows a data field.
constexpr unsigned int R8_PROP_FIELD = 0x10;

// One display element of a layout page, or a tool box sample (placed = 0).
// Derives from QWidget for its identity and signals only; it is never shown:
// its owners paint it (PaintMe) and hit-test it (MyPath).
class R8element : public QWidget
{
    Q_OBJECT
public:
    R8element(QWidget* parent, int iType, int iPlaced);
    ~R8element() override;

    // type and properties
    void SetType(int iType);
    int GetType() const { return m_iType; }
    // What a pilot calls an element of this type ("value box", "dial" ...).
    static QString TypeName(int iType);
    unsigned int GetHasProps() const;
    bool NoLargeFont() const;

    // data field
    void SetField(int iField);
    void RestoreField(int iField);
    int GetField() const { return m_iField; }
    QString GetFieldName() const { return m_strFieldName; }
    int GetDataType() const { return m_iDataType; }

    // attributes
    void SetAttribs(unsigned int uAttribs);
    void RestoreAttribs(unsigned int uAttribs) { m_uAttribs = uAttribs; }
    unsigned int GetAttribs() const { return m_uAttribs; }
    void AttribTextAlignLeft();
    void AttribTextAlignRight();
    void AttribTextAlignCenter();
    void SetMapType(int iMapType);

    // pages
    void SetPages(unsigned int uPages) { m_uPages = uPages; }
    void RestorePages(unsigned int uPages) { m_uPages = uPages; }
    unsigned int OnPages() const { return m_uPages; }
    bool IsOnPage(unsigned int iPage) const { return iPage < 32 && (m_uPages >> iPage) & 1u; }

    // value range
    void SetRangeMin(float f) { m_fRangeMin = f; }
    void SetRangeMax(float f) { m_fRangeMax = f; }
    float GetRangeMin() const { return m_fRangeMin; }
    float GetRangeMax() const { return m_fRangeMax; }

    // position, instrument pixels
    void SetPosition(QPoint p);
    void RestorePosition(QPoint p);
    void SetPositionX(int x);
    void SetPositionY(int y);
    QPoint GetPosition() const { return m_Position; }
    void RepairPosition();

    // size, instrument pixels
    void SetSize(QSize s);
    void RestoreSize(QSize s);
    void SetWidth(int w);
    void SetHeight(int h);
    QSize GetSize() const { return m_Size; }
    int MinimumWidth() const { return m_iMinWidth; }
    int MinimumHeight() const { return m_iMinHeight; }

    // zoom and the screen-pixel picture
    void SetZoom(float z);
    float GetZoom() const { return m_fZoom; }
    void GraphicSizeSetWidth(float w);
    void GraphicSizeSetHeight(float h);
    float GraphicSizeWidth() const { return float(m_GraphicSize.width()); }
    float GraphicSizeHeight() const { return float(m_GraphicSize.height()); }
    QPoint GraphicPosition() const { return m_GraphicPos; }
    void SetGraphicPosition(QPoint p) { m_GraphicPos = p; }
    void UpdateGraphicPos();
    void UpdateGraphicSize();
    void SnapIt();
    int GetResizeFlags() const { return m_iResizeFlags; }
    // The resize flags of the dimensions that really follow the size.
    int ResizableEdges() const;
    bool IsPlaced() const { return m_iPlaced != 0; }

    // tool box sample
    void SetBasePosition(QPoint p) { m_BasePos = p; }
    QPoint GetBasePosition() const { return m_BasePos; }
    void Restore() { m_GraphicPos = m_BasePos; }

    // outline, screen pixels
    QPainterPath MyPath() const { return m_Path; }
    QPainterPath MyPathTranslated() const { return m_Path.translated(m_GraphicPos); }
    void SetPath(const QPainterPath& path) { m_Path = path; }
    void UpdatePaths();

    QPoint MyPositionZ() const { return m_Position; }
    QSize MySize() const { return m_Size; }
    QSizeF MyScreenSize() const { return m_GraphicSize; }

    void SetScreenElementIndex(int i) { m_iScreenElementIndex = i; }
    int GetScreenElementIndex() const { return m_iScreenElementIndex; }

    // selection: 0 none, 1 selected, 2 reference of a multiple selection
    unsigned int ElementSelect(int iState);
    int IsSelected() const { return m_iSelected; }

    void MarkAsNew() { m_bNew = true; }
    bool IsNew() const { return m_bNew; }
    void UnMarkNew() { m_bNew = false; }

    void CommitMove();

    // pValues, when given, supplies live values for value boxes (and the
    // element is drawn unselected, as on the instrument).
    void PaintMe(QPainter& painter, unsigned int uPageMask, const FieldTextSource* pValues = nullptr);
    static void GetXY(float fAngle, float fRadius, QPointF* pResult, QPointF* pCentre);

    const QPixmap* Icon() const { return m_pIcon; }

signals:
    void RefreshPage(int iPage);
    void ElementGeometryWillChange(int iIndex);
    void ElementFieldWillChange(int iIndex);

public slots:
    void ChangedPagePresence(int iPage);
    void ChangedProperties();
    void ChangedPositioning(QPoint p, QSize s);

private:
    void EmitGeometryWillChange();
    int FromGraphic(int g, int iCurrent) const;
    void StoreSize(QSize s);
    static QSize FixedOutline(int iType); // instrument pixels, for fixed outlines
    void PaintDataField(QPainter& painter, float w, float h, float z, const FieldTextSource* pValues);
    void PaintDial(QPainter& painter, float w, float z, const FieldTextSource* pValues);
    void PaintDialNeedle(QPainter& painter, QPointF centre, float r, float z, float fValue);
    void PaintBarScale(QPainter& painter, float z);
    void PaintDoubleScale(QPainter& painter, float z);
    void PaintTallScale(QPainter& painter, float w, float h, float z);
    void PaintGraph(QPainter& painter, float w, float h);
    void PaintCompass(QPainter& painter, float z);
    void PaintIcon(QPainter& painter, float z);
    void PaintMap(QPainter& painter, float w, float h);
    void PaintPointer(QPainter& painter, float w, float h, const QBrush& selBrush);
    void PaintWindRose(QPainter& painter, float w, float h, float z);

    float m_fZoom = 1.0f;
    QPixmap* m_pIcon = nullptr;
    QPoint m_GraphicPos;
    int m_iResizeFlags = 0;
    QPainterPath m_Path;
    QPoint m_BasePos;
    int m_iPlaced = 0;
    int m_iScreenElementIndex = -1;
    QSizeF m_GraphicSize;
    int m_iMinWidth = 0;
    int m_iMinHeight = 0;
    int m_iType = 0;
    int m_iSelected = 0;
    int m_iField = 0;
    QString m_strFieldName;
    int m_iDataType = 0;
    unsigned int m_uAttribs = R8_DEFAULT_ATTRIBS;
    float m_fRangeMin = 0.0f;
    float m_fRangeMax = 0.0f;
    unsigned int m_uPages = 0;
    QPoint m_Position;
    QSize m_Size;
    bool m_bNew = false;
    unsigned int m_uHasProps = 0;
};

// The current selection, shared by every page canvas.
extern QList<R8element*> R8selectedElements;
