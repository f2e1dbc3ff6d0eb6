#include "r8elementprop.h"
#include "appglobals.h"
#include "datafields.h"
#include "r8element.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTabWidget>
#include <cmath>

namespace {
// Font size in bits 0-1: 0 normal, 1 large, 2 tiny.
const unsigned int kFontLarge = 0x1;
const unsigned int kFontTiny = 0x2;
const int kPageCount = 16;
const int kRangeEditWidth = 100;
const int kRangeDigits = 6;
} // namespace

namespace ElementAttribs {

int FontIndex(unsigned int uiAttribs)
{
    if (uiAttribs & kFontLarge)
        return 2;
    if (uiAttribs & kFontTiny)
        return 0;
    return 1;
}

unsigned int WithFont(unsigned int uiAttribs, int iIndex)
{
    uiAttribs &= ~R8_ATTR_LOWMASK;
    if (iIndex == 2)
        uiAttribs |= kFontLarge;
    else if (iIndex == 0)
        uiAttribs |= kFontTiny;
    return uiAttribs; // "Normal" and no selection both mean the normal size
}

int DirectionIndex(unsigned int uiAttribs)
{
    return int(uiAttribs & R8_ATTR_LOWMASK);
}

unsigned int WithDirection(unsigned int uiAttribs, int iIndex)
{
    uiAttribs &= ~R8_ATTR_LOWMASK;
    if (iIndex > 0)
        uiAttribs |= unsigned(iIndex) & R8_ATTR_LOWMASK;
    return uiAttribs;
}

int MapType(unsigned int uiAttribs)
{
    const unsigned int type = uiAttribs & R8_ATTR_LOWMASK;
    return (type == 1 || type == 2) ? int(type) : 0;
}

unsigned int WithMapType(unsigned int uiAttribs, bool bAirspace, bool bTask)
{
    uiAttribs &= ~R8_ATTR_LOWMASK;
    if (bAirspace)
        uiAttribs |= 1;
    else if (bTask)
        uiAttribs |= 2;
    return uiAttribs;
}

int AlignIndex(unsigned int uiAttribs)
{
    if (uiAttribs & R8_ATTR_RIGHT)
        return 2;
    return (uiAttribs & R8_ATTR_CENTER) ? 1 : 0;
}

unsigned int WithAlign(unsigned int uiAttribs, int iIndex)
{
    uiAttribs &= ~(R8_ATTR_RIGHT | R8_ATTR_CENTER);
    if (iIndex == 2)
        uiAttribs |= R8_ATTR_RIGHT;
    else if (iIndex == 1)
        uiAttribs |= R8_ATTR_CENTER;
    return uiAttribs;
}

int UnitsIndex(unsigned int uiAttribs)
{
    if (!(uiAttribs & R8_ATTR_UNITS))
        return 0;
    return (uiAttribs & R8_ATTR_UNITSBELOW) ? 2 : 1;
}

unsigned int WithUnits(unsigned int uiAttribs, int iIndex)
{
    uiAttribs &= ~(R8_ATTR_UNITS | R8_ATTR_UNITSBELOW);
    if (iIndex == 2)
        uiAttribs |= R8_ATTR_UNITS | R8_ATTR_UNITSBELOW;
    else if (iIndex == 1)
        uiAttribs |= R8_ATTR_UNITS;
    return uiAttribs;
}

bool HasTitle(unsigned int uiAttribs)
{
    return uiAttribs & R8_ATTR_TITLE;
}
bool HasBorder(unsigned int uiAttribs)
{
    return uiAttribs & R8_ATTR_BORDER;
}

unsigned int WithTitle(unsigned int uiAttribs, bool bOn)
{
    return bOn ? (uiAttribs | R8_ATTR_TITLE) : (uiAttribs & ~R8_ATTR_TITLE);
}

unsigned int WithBorder(unsigned int uiAttribs, bool bOn)
{
    return bOn ? (uiAttribs | R8_ATTR_BORDER) : (uiAttribs & ~R8_ATTR_BORDER);
}

} // namespace ElementAttribs

using namespace ElementAttribs;

R8elementProp::R8elementProp(QWidget* parent)
    : QDialog(parent)
{
    BuildForm();
    BuildUi();
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &R8elementProp::Apply);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &R8elementProp::Cancel);
}

// The fixed frame: three tabs and the button box. The rows are added by
// BuildUi and AdjustInterface.
void R8elementProp::BuildForm()
{
    setObjectName(QStringLiteral("R8elementProp"));
    setWindowModality(Qt::WindowModal);
    setFixedSize(302, 327);
    setWindowIcon(QIcon(QStringLiteral(":/images/Properties Icon.png")));
    setWindowTitle(tr("Element properties"));

    m_pTabs = new QTabWidget(this);
    m_pTabs->setObjectName(QStringLiteral("tabWidget"));
    m_pTabs->setGeometry(10, 10, 281, 261);

    // Each tab holds one fixed-place widget that carries the tab's layout.
    auto addTab = [this](const char* name, const QString& title, const QRect& place) {
        auto* tab = new QWidget();
        tab->setObjectName(QLatin1String(name));
        auto* holder = new QWidget(tab);
        holder->setGeometry(place);
        m_pTabs->addTab(tab, title);
        return holder;
    };
    QWidget* fieldHolder = addTab("tabFieldInfo", tr("Data field"), QRect(10, 20, 251, 191));
    m_pTabFieldInfo = fieldHolder->parentWidget();
    m_pFormFieldInfo = new QFormLayout(fieldHolder);
    m_pFormFieldInfo->setObjectName(QStringLiteral("formFieldInfo"));
    m_pFormFieldInfo->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    m_pFormFieldInfo->setContentsMargins(0, 0, 0, 0);

    m_pFormGeometry = new QFormLayout(addTab("tabGeometry", tr("Geometry"), QRect(10, 20, 251, 201)));
    m_pFormGeometry->setObjectName(QStringLiteral("formGeometry"));
    m_pFormGeometry->setContentsMargins(0, 0, 0, 0);

    QWidget* pagesHolder = addTab("tabPages", tr("Pages"), QRect(20, 20, 241, 191));
    m_pGridPages = new QGridLayout(pagesHolder);
    m_pGridPages->setObjectName(QStringLiteral("gridLayout"));
    m_pGridPages->setContentsMargins(0, 0, 0, 0);
    m_pTabs->setCurrentWidget(pagesHolder->parentWidget());

    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pButtons->setObjectName(QStringLiteral("buttonBox"));
    m_pButtons->setGeometry(15, 290, 271, 23);
    m_pButtons->setCenterButtons(false);
}

void R8elementProp::BuildUi()
{
    QWidget* rows = m_pFormFieldInfo->parentWidget();
    auto combo = [this, rows](QLabel*& label, QComboBox*& box, const QString& text, const char* name) {
        if (box)
            return;
        label = new QLabel(text, rows);
        box = new QComboBox(rows);
        box->setObjectName(QLatin1String(name));
        label->hide();
        box->hide();
        connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &R8elementProp::PropertyWidgetChange);
    };
    combo(m_pFieldLabel, m_pField, tr("Field"), "fieldComboBox");
    combo(m_pDirectionLabel, m_pDirection, tr("Direction"), "directionComboBox");
    combo(m_pFontLabel, m_pFont, tr("Font"), "fontComboBox");
    combo(m_pAlignLabel, m_pAlign, tr("Align"), "alignComboBox");
    combo(m_pUnitsLabel, m_pUnits, tr("Units"), "unitsComboBox");

    auto range = [this, rows](QLabel*& label, QLineEdit*& edit, const QString& text, const char* name) {
        if (edit)
            return;
        label = new QLabel(text, rows);
        edit = new QLineEdit(rows);
        edit->setObjectName(QLatin1String(name));
        edit->setMaximumWidth(kRangeEditWidth);
        label->hide();
        edit->hide();
        connect(edit, &QLineEdit::textEdited, this, &R8elementProp::Range_textEdited);
    };
    range(m_pMinRangeLabel, m_pMinRange, tr("Minimum"), "minRangeEdit");
    range(m_pMaxRangeLabel, m_pMaxRange, tr("Maximum"), "maxRangeEdit");

    auto check = [this, rows](QLabel*& label, QCheckBox*& box, const QString& text, const char* name) {
        if (box)
            return;
        label = new QLabel(text, rows);
        box = new QCheckBox(rows);
        box->setObjectName(QLatin1String(name));
        label->hide();
        box->hide();
        connect(box, &QCheckBox::stateChanged, this, &R8elementProp::PropertyWidgetChange);
    };
    check(m_pTitleLabel, m_pTitle, tr("Title"), "titleCheckBox");
    check(m_pBorderLabel, m_pBorder, tr("Border"), "borderCheckBox");

    if (!m_pAirspaceMap) {
        // Product names of the instrument's map pages: not translated.
        m_pAirspaceMap = new QRadioButton(QStringLiteral("Airspace map"), rows);
        m_pTaskMap = new QRadioButton(QStringLiteral("Task map"), rows);
        m_pAirspaceMap->setObjectName(QStringLiteral("airspaceMapRadio"));
        m_pTaskMap->setObjectName(QStringLiteral("taskMapRadio"));
        m_pAirspaceMap->hide();
        m_pTaskMap->hide();
    }

    auto geometry = [this](QLineEdit*& edit, const QString& text) {
        if (edit)
            return;
        edit = new QLineEdit();
        m_pFormGeometry->addRow(text, edit);
        connect(edit, &QLineEdit::textEdited, this, &R8elementProp::Posi_textEdited);
    };
    geometry(m_pX, QStringLiteral("X"));
    geometry(m_pY, QStringLiteral("Y"));
    geometry(m_pWidth, tr("Width"));
    geometry(m_pHeight, tr("Height"));

    if (m_PageChecks.isEmpty()) {
        for (int i = 0; i < kPageCount; ++i) {
            auto* label = new QLabel(tr("%1:").arg(i));
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            auto* box = new QCheckBox();
            box->setProperty("id", i);
            m_pGridPages->addWidget(label, i / 2, 2 * (i % 2));
            m_pGridPages->addWidget(box, i / 2, 2 * (i % 2) + 1);
            connect(box, &QCheckBox::stateChanged, this, &R8elementProp::PagesCheckBoxChange);
            m_PageChecks.append(box);
        }
    }

    m_pDirection->clear();
    m_pDirection->addItems({tr("Right"), tr("Down"), tr("Left"), tr("Up")});
    m_pAlign->clear();
    m_pAlign->addItems({tr("Left"), tr("Center"), tr("Right")});
    m_pUnits->clear();
    m_pUnits->addItems({tr("none"), tr("Right"), tr("Bellow")});
}

QVector<R8elementProp::Row> R8elementProp::RowsInOrder() const
{
    return {
        {m_pFieldLabel, m_pField, PropField},       {m_pDirectionLabel, m_pDirection, PropDirection},
        {m_pMinRangeLabel, m_pMinRange, PropRange}, {m_pMaxRangeLabel, m_pMaxRange, PropRange},
        {m_pFontLabel, m_pFont, PropFont},          {m_pAlignLabel, m_pAlign, PropAlign},
        {m_pUnitsLabel, m_pUnits, PropUnits},       {m_pTitleLabel, m_pTitle, PropTitle},
        {m_pBorderLabel, m_pBorder, PropBorder},    {nullptr, m_pAirspaceMap, PropMapType},
        {nullptr, m_pTaskMap, PropMapType},
    };
}

void R8elementProp::EditElement(R8element* pElement)
{
    m_pElement = pElement;
    if (!pElement)
        return;
    AdjustInterface(pElement->GetHasProps());
    SetField(pElement->GetField());
    SetAttribs(pElement->GetAttribs());
    SetPosition(pElement->GetPosition());
    SetSize(pElement->GetSize());
    SetPagesChecks(pElement->OnPages());
    SetMinRange(pElement->GetRangeMin());
    SetMaxRange(pElement->GetRangeMax());
    show();
}

void R8elementProp::FillFieldList()
{
    const bool bDial = m_pElement && m_pElement->GetType() == R8_TYPE_DIAL;
    m_pField->clear();
    for (const _DataField* field : g_DataFields.Fields()) {
        if (bDial && !field->CanBeDial)
            continue;
        m_pField->addItem(field->Name, field->BaseId);
        const int i = m_pField->count() - 1;
        if (!field->Description.isEmpty())
            m_pField->setItemData(
                i, QStringLiteral("<h4 style=\"width: 140px;\">%1</h4>%2").arg(field->Name, field->Description),
                Qt::ToolTipRole);
        m_pField->setItemData(i, field->MinRange, Qt::UserRole + 1);
        m_pField->setItemData(i, field->MaxRange, Qt::UserRole + 2);
    }
}

void R8elementProp::AdjustInterface(unsigned int uiProps)
{
    const QVector<Row> rows = RowsInOrder();
    for (const Row& row : rows) {
        if (m_pFormFieldInfo->indexOf(row.widget) >= 0) {
            const QFormLayout::TakeRowResult taken = m_pFormFieldInfo->takeRow(row.widget);
            delete taken.labelItem;
            delete taken.fieldItem;
        }
        if (row.label)
            row.label->hide();
        row.widget->hide();
    }

    FillFieldList();

    m_uiProps = uiProps;
    m_pTabs->setTabEnabled(m_pTabs->indexOf(m_pTabFieldInfo), uiProps & (PropField | PropMapType));

    for (const Row& row : rows) {
        if (!(uiProps & row.bit))
            continue;
        if (row.label) {
            m_pFormFieldInfo->addRow(row.label, row.widget);
            row.label->show();
        } else {
            m_pFormFieldInfo->addRow(row.widget);
        }
        row.widget->show();
    }

    m_pFont->clear();
    if (uiProps & PropNoLargeFont)
        m_pFont->addItems({tr("Tiny"), tr("Normal")});
    else
        m_pFont->addItems({tr("Tiny"), tr("Normal"), tr("Large")});
    m_pFont->setCurrentIndex(1);
}

void R8elementProp::SetField(int iField)
{
    m_pField->setCurrentIndex(m_pField->findData(iField));
}

void R8elementProp::SetAttribs(unsigned int uiAttribs)
{
    if (m_uiProps & PropTitle)
        m_pTitle->setChecked(HasTitle(uiAttribs));
    if (m_uiProps & PropBorder)
        m_pBorder->setChecked(HasBorder(uiAttribs));
    if (m_uiProps & PropDirection)
        m_pDirection->setCurrentIndex(DirectionIndex(uiAttribs));
    if (m_uiProps & PropMapType) {
        const int iMap = MapType(uiAttribs);
        if (iMap == 1) {
            m_pAirspaceMap->setChecked(true);
            m_pTaskMap->setChecked(false);
        } else if (iMap == 2) {
            m_pTaskMap->setChecked(true);
            m_pAirspaceMap->setChecked(false);
        }
    } else {
        // Index 2 does not exist in the short list: no font is selected.
        m_pFont->setCurrentIndex(FontIndex(uiAttribs));
    }
    m_pAlign->setCurrentIndex(AlignIndex(uiAttribs));
    m_pUnits->setCurrentIndex(UnitsIndex(uiAttribs));
    m_uiAttribs = uiAttribs;
}

void R8elementProp::SetPosition(QPoint pos)
{
    SetX(pos.x());
    SetY(pos.y());
}

void R8elementProp::SetSize(QSize size)
{
    SetWidth(size.width());
    SetHeight(size.height());
}

void R8elementProp::SetX(int iX)
{
    m_pX->setText(QString::number(iX));
}
void R8elementProp::SetY(int iY)
{
    m_pY->setText(QString::number(iY));
}
void R8elementProp::SetWidth(int iWidth)
{
    m_pWidth->setText(QString::number(iWidth));
}
void R8elementProp::SetHeight(int iHeight)
{
    m_pHeight->setText(QString::number(iHeight));
}

void R8elementProp::SetPagesChecks(unsigned int uiPages)
{
    for (int i = 0; i < m_PageChecks.size(); ++i)
        m_PageChecks[i]->setChecked(uiPages & (1u << i));
}

void R8elementProp::SetMinRange(float fMin)
{
    m_pMinRange->setText(QString::number(double(fMin), 'g', kRangeDigits));
}

void R8elementProp::SetMaxRange(float fMax)
{
    m_pMaxRange->setText(QString::number(double(fMax), 'g', kRangeDigits));
}

int R8elementProp::GetField() const
{
    const int i = m_pField->currentIndex();
    return i < 0 ? 0 : m_pField->itemData(i).toInt();
}

int R8elementProp::ReadInt(const QLineEdit* edit)
{
    return edit->text().trimmed().toInt(nullptr, 10); // not a number: 0
}

float R8elementProp::ReadFloat(const QLineEdit* edit)
{
    const float f = edit->text().trimmed().toFloat(); // not a number: 0
    return std::isfinite(f) ? f : 0.0f;
}

bool R8elementProp::RangeIsValid() const
{
    // "nan", "inf" or a number beyond a float must never reach the
    // instrument; an empty or unreadable text stays 0 as it always did.
    for (const QLineEdit* edit : {m_pMinRange, m_pMaxRange}) {
        bool ok = false;
        const QString text = edit->text().trimmed();
        const float f = text.toFloat(&ok);
        if (!text.isEmpty() && (!std::isfinite(f) || (!ok && text.toDouble(&ok) != 0.0)))
            return false;
    }
    return true;
}

int R8elementProp::GetX() const
{
    return ReadInt(m_pX);
}
int R8elementProp::GetY() const
{
    return ReadInt(m_pY);
}
// No element is larger than the instrument screen.
int R8elementProp::GetWidth() const
{
    return qBound(0, ReadInt(m_pWidth), R8_SCREEN_WIDTH);
}
int R8elementProp::GetHeight() const
{
    return qBound(0, ReadInt(m_pHeight), R8_SCREEN_HEIGHT);
}
QPoint R8elementProp::GetPosition() const
{
    return QPoint(GetX(), GetY());
}
QSize R8elementProp::GetSize() const
{
    return QSize(GetWidth(), GetHeight());
}
float R8elementProp::GetMinRange() const
{
    return ReadFloat(m_pMinRange);
}
float R8elementProp::GetMaxRange() const
{
    return ReadFloat(m_pMaxRange);
}

unsigned int R8elementProp::GetPagesChecks() const
{
    unsigned int uiPages = 0;
    for (int i = 0; i < m_PageChecks.size(); ++i)
        if (m_PageChecks[i]->isChecked())
            uiPages |= 1u << i;
    return uiPages;
}

int R8elementProp::GetMapType() const
{
    if (m_pAirspaceMap->isChecked())
        return 1;
    return m_pTaskMap->isChecked() ? 2 : 0;
}

void R8elementProp::PagesCheckBoxChange(int)
{
    if (QObject* box = sender())
        emit ChangedPagePresence(box->property("id").toInt());
}

void R8elementProp::PropertyWidgetChange(int)
{
    if (sender() == m_pField && m_pField->currentIndex() >= 0) {
        const int i = m_pField->currentIndex();
        SetMinRange(m_pField->itemData(i, Qt::UserRole + 1).toFloat());
        SetMaxRange(m_pField->itemData(i, Qt::UserRole + 2).toFloat());
    }

    // Rows the element does not offer keep the element's own bits: a hidden
    // check box still holds the previous element's state.
    unsigned int ui = m_uiAttribs;
    if (m_uiProps & PropTitle)
        ui = WithTitle(ui, m_pTitle->isChecked());
    if (m_uiProps & PropBorder)
        ui = WithBorder(ui, m_pBorder->isChecked());
    if (m_uiProps & PropMapType)
        ui = WithMapType(ui, m_pAirspaceMap->isChecked(), m_pTaskMap->isChecked());
    if (m_uiProps & PropDirection)
        ui = WithDirection(ui, m_pDirection->currentIndex());
    if (m_uiProps & PropFont)
        ui = WithFont(ui, m_pFont->currentIndex());
    if (m_uiProps & PropAlign)
        ui = WithAlign(ui, m_pAlign->currentIndex());
    ui = WithUnits(ui, m_pUnits->currentIndex());
    m_uiAttribs = ui;

    emit ChangedProperties();
}

void R8elementProp::Range_textEdited(const QString&)
{
}

void R8elementProp::Posi_textEdited(const QString&)
{
    emit ChangedPositioning(GetPosition(), GetSize());
}

void R8elementProp::Apply()
{
    if ((m_uiProps & PropField) && GetField() == 0) {
        m_pTabs->setCurrentWidget(m_pTabFieldInfo);
        m_pField->setFocus();
        QMessageBox box(QMessageBox::Information, QString(), tr("Field is invalid."), QMessageBox::Ok);
        box.exec();
        return;
    }
    if ((m_uiProps & PropRange) && !RangeIsValid()) {
        m_pTabs->setCurrentWidget(m_pTabFieldInfo);
        m_pMinRange->setFocus();
        QMessageBox box(QMessageBox::Information, QString(), tr("Minimum and maximum must be finite numbers."),
                        QMessageBox::Ok);
        box.exec();
        return;
    }
    hide();
    emit ApplyProperties();
}

void R8elementProp::Cancel()
{
    hide();
    emit CancelProperties();
}

void R8elementProp::reject()
{
    Cancel();
}

// The frame's close button is Cancel: a just-dropped element goes again.
void R8elementProp::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (isVisible())
        Cancel();
}

void R8elementProp::languageChange()
{
}
