#pragma once
#include "r8element.h"

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QVector>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;

// How the property widgets read and write an element's attribute word. Kept
// free of widgets so both directions can be checked on their own.
namespace ElementAttribs {
// Font combo: 0 "Tiny" (value 2), 1 "Normal" (0), 2 "Large" (1).
int FontIndex(unsigned int uiAttribs);
unsigned int WithFont(unsigned int uiAttribs, int iIndex);
// Dial direction combo: the index is bits 0-1.
int DirectionIndex(unsigned int uiAttribs);
unsigned int WithDirection(unsigned int uiAttribs, int iIndex);
// Map type: 1 airspace, 2 task, 0 neither (bits 0-1 of 0 or 3 name no radio).
int MapType(unsigned int uiAttribs);
unsigned int WithMapType(unsigned int uiAttribs, bool bAirspace, bool bTask);
// Align combo: 0 "Left", 1 "Center", 2 "Right" (right wins over centre).
int AlignIndex(unsigned int uiAttribs);
unsigned int WithAlign(unsigned int uiAttribs, int iIndex);
// Units combo: 0 "none", 1 "Right", 2 "Bellow".
int UnitsIndex(unsigned int uiAttribs);
unsigned int WithUnits(unsigned int uiAttribs, int iIndex);
// Title (8) and border (4) check boxes.
bool HasTitle(unsigned int uiAttribs);
bool HasBorder(unsigned int uiAttribs);
unsigned int WithTitle(unsigned int uiAttribs, bool bOn);
unsigned int WithBorder(unsigned int uiAttribs, bool bOn);
} // namespace ElementAttribs

// The one dialog that edits an element's field, attributes, range, geometry
// and pages. It never touches the element: on OK it hides and emits
// ApplyProperties, and the owner reads the values back through the getters.
class R8elementProp : public QDialog
{
    Q_OBJECT
public:
    // Property mask bits (which rows an element type offers).
    enum PropBits : unsigned int {
        PropField = 0x10,
        PropTitle = 0x20,
        PropAlign = 0x40,
        PropUnits = 0x80,
        PropBorder = 0x100,
        PropFont = 0x200,
        PropNoLargeFont = 0x400,
        PropDirection = 0x800,
        PropRange = 0x1000,
        PropMapType = 0x2000,
    };

    explicit R8elementProp(QWidget* parent = nullptr);

    void BuildUi();
    void EditElement(R8element* pElement);
    void AdjustInterface(unsigned int uiProps);

    void SetField(int iField);
    void SetAttribs(unsigned int uiAttribs);
    void SetPosition(QPoint pos);
    void SetSize(QSize size);
    // Signed: an element larger than the screen sits at a negative place.
    void SetX(int iX);
    void SetY(int iY);
    void SetWidth(int iWidth);
    void SetHeight(int iHeight);
    void SetPagesChecks(unsigned int uiPages);
    void SetMinRange(float fMin);
    void SetMaxRange(float fMax);

    int GetField() const;
    unsigned int GetAttribs() const { return m_uiAttribs; }
    QPoint GetPosition() const;
    QSize GetSize() const;
    int GetX() const;
    int GetY() const;
    int GetWidth() const;
    int GetHeight() const;
    unsigned int GetPagesChecks() const;
    float GetMinRange() const;
    float GetMaxRange() const;
    int GetMapType() const;
    R8element* GetEditElement() const { return m_pElement; }
    unsigned int GetProps() const { return m_uiProps; }

    // The widgets, for the owner's tests and keyboard focus.
    QTabWidget* Tabs() const { return m_pTabs; }
    QComboBox* FieldCombo() const { return m_pField; }
    QComboBox* FontCombo() const { return m_pFont; }
    QComboBox* DirectionCombo() const { return m_pDirection; }
    QComboBox* AlignCombo() const { return m_pAlign; }
    QComboBox* UnitsCombo() const { return m_pUnits; }
    QCheckBox* TitleCheck() const { return m_pTitle; }
    QCheckBox* BorderCheck() const { return m_pBorder; }
    QRadioButton* AirspaceMapRadio() const { return m_pAirspaceMap; }
    QRadioButton* TaskMapRadio() const { return m_pTaskMap; }
    QLineEdit* MinRangeEdit() const { return m_pMinRange; }
    QLineEdit* MaxRangeEdit() const { return m_pMaxRange; }
    QLineEdit* XEdit() const { return m_pX; }
    QLineEdit* YEdit() const { return m_pY; }
    QLineEdit* WidthEdit() const { return m_pWidth; }
    QLineEdit* HeightEdit() const { return m_pHeight; }
    QCheckBox* PageCheck(int i) const { return m_PageChecks.value(i); }
    QDialogButtonBox* ButtonBox() const { return m_pButtons; }
    QFormLayout* FieldForm() const { return m_pFormFieldInfo; }

signals:
    void ChangedPagePresence(int iPage);
    void ChangedProperties();
    void ChangedPositioning(QPoint pos, QSize size);
    void ApplyProperties();
    void CancelProperties();

public slots:
    void PagesCheckBoxChange(int iState);
    void PropertyWidgetChange(int iValue);
    void Range_textEdited(const QString& text);
    void Posi_textEdited(const QString& text);
    void Apply();
    void Cancel();
    void reject() override; // Escape

protected:
    void closeEvent(QCloseEvent* event) override;
    void languageChange();

private:
    struct Row {
        QLabel* label = nullptr; // null for the map radios
        QWidget* widget = nullptr;
        unsigned int bit = 0;
    };
    void BuildForm();
    QVector<Row> RowsInOrder() const;
    void FillFieldList();
    static int ReadInt(const QLineEdit* edit);
    static float ReadFloat(const QLineEdit* edit);
    bool RangeIsValid() const;

    // Guarded: the owner may destroy an element (undo of its drop) while
    // the dialog still remembers it.
    QPointer<R8element> m_pElement;
    unsigned int m_uiProps = 0;
    unsigned int m_uiAttribs = 0;

    QTabWidget* m_pTabs = nullptr;
    QWidget* m_pTabFieldInfo = nullptr;
    QFormLayout* m_pFormFieldInfo = nullptr;
    QFormLayout* m_pFormGeometry = nullptr;
    QGridLayout* m_pGridPages = nullptr;
    QDialogButtonBox* m_pButtons = nullptr;

    QLabel* m_pFieldLabel = nullptr;
    QComboBox* m_pField = nullptr;
    QLabel* m_pDirectionLabel = nullptr;
    QComboBox* m_pDirection = nullptr;
    QLabel* m_pMinRangeLabel = nullptr;
    QLineEdit* m_pMinRange = nullptr;
    QLabel* m_pMaxRangeLabel = nullptr;
    QLineEdit* m_pMaxRange = nullptr;
    QLabel* m_pFontLabel = nullptr;
    QComboBox* m_pFont = nullptr;
    QLabel* m_pAlignLabel = nullptr;
    QComboBox* m_pAlign = nullptr;
    QLabel* m_pUnitsLabel = nullptr;
    QComboBox* m_pUnits = nullptr;
    QLabel* m_pTitleLabel = nullptr;
    QCheckBox* m_pTitle = nullptr;
    QLabel* m_pBorderLabel = nullptr;
    QCheckBox* m_pBorder = nullptr;
    QRadioButton* m_pAirspaceMap = nullptr;
    QRadioButton* m_pTaskMap = nullptr;

    QLineEdit* m_pX = nullptr;
    QLineEdit* m_pY = nullptr;
    QLineEdit* m_pWidth = nullptr;
    QLineEdit* m_pHeight = nullptr;
    QVector<QCheckBox*> m_PageChecks;
};
