#include "preferencesdialog.h"
#include "appglobals.h"
#include "datafields.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QStyle>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIcon>
#include <QLabel>
#include <QScopedPointer>
#include <QSettings>
#include <algorithm>

namespace {
const char* const kTargetDeviceKey = "TargetDevice";
const char* const kLanguageKey = "SelectedLanguage";
const char* const kGridSizeKey = "GridSize";
// The grid sizes offered, in instrument pixels.
const int s_GridSizes[] = {2, 4, 5, 8, 10};
constexpr int kDefaultGridSize = 5;

// The start-up settings store, or the same store opened here when there is
// none (a dialog run outside the designer's start-up).
class SettingsAccess
{
public:
    SettingsAccess()
    {
        if (!theSettings)
            m_Own.reset(new QSettings(QStringLiteral("Zarvin"), QStringLiteral("R8designer")));
    }
    QSettings* operator->() const { return theSettings ? theSettings : m_Own.data(); }

private:
    QScopedPointer<QSettings> m_Own;
};

// A stored index that names no item (hand-edited, or a list that got
// shorter) falls back to the first item rather than to no selection.
int ValidIndex(const QVariant& stored, int iCount)
{
    bool bOk = false;
    const int i = stored.toInt(&bOk);
    return (bOk && i >= 0 && i < iCount) ? i : 0;
}
} // namespace

PreferencesDialog::PreferencesDialog(QWidget* parent)
    : QDialog(parent)
{
    BuildForm();

    // Model names as the instrument maker writes them: not translated.
    m_pTargetDevice->addItems(
        {QStringLiteral("Alvo"), QStringLiteral("Osk"), QStringLiteral("Tey"), QStringLiteral("Dulan")});

    // Index order is stored in the settings and mapped by MapLangID.
    m_pLanguage->addItem(QIcon(QStringLiteral(":/images/United-Kingdom.png")), tr("English"));
    m_pLanguage->addItem(QIcon(QStringLiteral(":/images/Germany.png")), tr("German"));
    m_pLanguage->addItem(QIcon(QStringLiteral(":/images/France.png")), tr("French"));
    m_pLanguage->addItem(QIcon(QStringLiteral(":/images/Italy.png")), tr("Italian"));
    m_pLanguage->addItem(QIcon(QStringLiteral(":/images/Spain.png")), tr("Spanish"));
    m_pLanguage->addItem(QIcon(QStringLiteral(":/images/Russia.png")), tr("Russian"));
    m_pLanguage->addItem(QIcon(QStringLiteral(":/images/Portugal.png")), tr("Portuguese"));

    // The drop-down lists elide what does not fit ("Port\u2026uese"): make
    // them as wide as their longest entry.
    for (QComboBox* combo : {m_pLanguage, m_pTargetDevice, m_pGridSize}) {
        QAbstractItemView* list = combo->view();
        list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth()
                              + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    }

    connect(m_pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    LoadValues();
}

void PreferencesDialog::BuildForm()
{
    setObjectName(QStringLiteral("PreferencesDialog"));
    setWindowModality(Qt::ApplicationModal);
    resize(389, 200);
    setWindowTitle(tr("Preferences"));

    auto* formWidget = new QWidget(this);
    formWidget->setObjectName(QStringLiteral("formLayoutWidget"));
    formWidget->setGeometry(19, 19, 351, 115);
    m_pForm = new QFormLayout(formWidget);
    m_pForm->setObjectName(QStringLiteral("formLayout"));
    m_pForm->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_pForm->setContentsMargins(0, 0, 0, 0);

    auto* languageLabel = new QLabel(tr("Language"), formWidget);
    languageLabel->setObjectName(QStringLiteral("languageLabel"));
    m_pLanguage = new QComboBox(formWidget);
    m_pLanguage->setObjectName(QStringLiteral("languageComboBox"));
    m_pForm->addRow(languageLabel, m_pLanguage);

    auto* deviceLabel = new QLabel(tr("Target Device"), formWidget);
    deviceLabel->setObjectName(QStringLiteral("targetDeviceLabel"));
    m_pTargetDevice = new QComboBox(formWidget);
    m_pTargetDevice->setObjectName(QStringLiteral("targetDeviceComboBox"));
    m_pForm->addRow(deviceLabel, m_pTargetDevice);
    // As wide as the longest name in any language, never elided.
    m_pLanguage->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_pTargetDevice->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    auto* gridLabel = new QLabel(tr("Grid size"), formWidget);
    gridLabel->setObjectName(QStringLiteral("gridSizeLabel"));
    m_pGridSize = new QComboBox(formWidget);
    m_pGridSize->setObjectName(QStringLiteral("gridSizeComboBox"));
    for (int size : s_GridSizes)
        m_pGridSize->addItem(tr("%1 pixels").arg(size), size);
    m_pForm->addRow(gridLabel, m_pGridSize);

    m_pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pButtons->setObjectName(QStringLiteral("buttonBox"));
    m_pButtons->setGeometry(23, 164, 351, 32);
}

void PreferencesDialog::LoadValues()
{
    const SettingsAccess settings;
    m_pTargetDevice->setCurrentIndex(
        ValidIndex(settings->value(QLatin1String(kTargetDeviceKey), 0), m_pTargetDevice->count()));
    m_pLanguage->setCurrentIndex(ValidIndex(settings->value(QLatin1String(kLanguageKey), 0), m_pLanguage->count()));
    m_pGridSize->setCurrentIndex(m_pGridSize->findData(StoredGridSize()));
}

int PreferencesDialog::StoredGridSize()
{
    const SettingsAccess settings;
    const int size = settings->value(QLatin1String(kGridSizeKey), kDefaultGridSize).toInt();
    return std::find(std::begin(s_GridSizes), std::end(s_GridSizes), size) != std::end(s_GridSizes)
               ? size
               : kDefaultGridSize;
}

void PreferencesDialog::SaveValues()
{
    const SettingsAccess settings;
    settings->setValue(QLatin1String(kTargetDeviceKey), m_pTargetDevice->currentIndex());
    settings->setValue(QLatin1String(kLanguageKey), m_pLanguage->currentIndex());
    settings->setValue(QLatin1String(kGridSizeKey), m_pGridSize->currentData().toInt());
    g_iTargetModel = settings->value(QLatin1String(kTargetDeviceKey), 1).toInt() + 1;
    g_iLangID = MapLangID(m_pLanguage->currentIndex());
}
