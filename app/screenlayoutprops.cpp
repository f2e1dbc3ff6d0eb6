#include "screenlayoutprops.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

const char* const ScreenLayoutProps::TriggerTexts[6] = {
    QT_TRANSLATE_NOOP("ScreenLayoutProps", "Airspace warning"),
    QT_TRANSLATE_NOOP("ScreenLayoutProps", "Entering thermal"),
    QT_TRANSLATE_NOOP("ScreenLayoutProps", "Transition (leaving thermal)"),
    QT_TRANSLATE_NOOP("ScreenLayoutProps", "Arriving at turnpoint"),
    QT_TRANSLATE_NOOP("ScreenLayoutProps", "Start opened"),
    QT_TRANSLATE_NOOP("ScreenLayoutProps", "Power up"),
};

namespace {
constexpr int kTriggerCount = 6;
}

ScreenLayoutProps::ScreenLayoutProps(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ScreenLayoutProps"));
    resize(400, 318);
    setWindowTitle(tr("Page properties"));

    buttonBox = new QDialogButtonBox(this);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    buttonBox->setGeometry(QRect(40, 280, 341, 32));
    buttonBox->setOrientation(Qt::Horizontal);
    buttonBox->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* formLayoutWidget = new QWidget(this);
    formLayoutWidget->setObjectName(QStringLiteral("formLayoutWidget"));
    formLayoutWidget->setGeometry(QRect(19, 20, 361, 261));
    auto* formLayout = new QFormLayout(formLayoutWidget);
    formLayout->setObjectName(QStringLiteral("formLayout"));
    formLayout->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    formLayout->setContentsMargins(0, 0, 0, 0);

    auto* pageNameLabel = new QLabel(tr("Page Names"), formLayoutWidget);
    pageNameLabel->setObjectName(QStringLiteral("pageNameLabel"));
    pageNameLineEdit = new QLineEdit(formLayoutWidget);
    pageNameLineEdit->setObjectName(QStringLiteral("pageNameLineEdit"));
    formLayout->addRow(pageNameLabel, pageNameLineEdit);

    groupBox = new QGroupBox(tr("Enabled"), formLayoutWidget);
    groupBox->setObjectName(QStringLiteral("groupBox"));
    groupBox->setCheckable(true);
    // The layout is the group box's first child, the check boxes follow in
    // bit order.
    auto* box = new QVBoxLayout(groupBox);
    for (int k = 0; k < kTriggerCount; ++k) {
        auto* check = new QCheckBox(tr(TriggerTexts[k]), groupBox);
        check->setObjectName(QStringLiteral("checkBox%1").arg(k));
        box->addWidget(check);
    }
    formLayout->setWidget(1, QFormLayout::SpanningRole, groupBox);

    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QCheckBox* ScreenLayoutProps::TriggerCheck(int iBit) const
{
    const QObjectList& children = groupBox->children();
    if (iBit < 0 || iBit + 1 >= children.size())
        return nullptr;
    return qobject_cast<QCheckBox*>(children.at(iBit + 1));
}

void ScreenLayoutProps::SetValues(const QString& strName, int iTrigger, int iDisabled)
{
    pageNameLineEdit->setText(strName);
    groupBox->setChecked(iDisabled == 0);
    for (int k = 0; k < kTriggerCount; ++k)
        if (QCheckBox* check = TriggerCheck(k))
            check->setChecked((iTrigger >> k) & 1);
}

QString ScreenLayoutProps::GetPageName() const
{
    return pageNameLineEdit->text();
}

int ScreenLayoutProps::GetTrigger() const
{
    int iTrigger = 0;
    for (int k = 0; k < kTriggerCount; ++k) {
        const QCheckBox* check = TriggerCheck(k);
        if (check && check->isChecked())
            iTrigger |= 1 << k;
    }
    return iTrigger;
}

int ScreenLayoutProps::GetDisabled() const
{
    return groupBox->isChecked() ? 0 : 1;
}
