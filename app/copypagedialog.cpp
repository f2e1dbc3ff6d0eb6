#include "copypagedialog.h"
#include "pageprops.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CopyPageDialog::CopyPageDialog(int iFromPage, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CopyPageDialog"));
    setWindowTitle(tr("Copy page %1 to").arg(iFromPage));
    auto* layout = new QVBoxLayout(this);

    auto* pages = new QGroupBox(tr("Pages"), this);
    auto* grid = new QGridLayout(pages);
    for (int i = 0; i < R8_PAGE_COUNT; ++i) {
        m_Pages[i] = new QCheckBox(tr("Page %1").arg(i), pages);
        m_Pages[i]->setEnabled(i != iFromPage);
        grid->addWidget(m_Pages[i], i / 4, i % 4);
    }
    layout->addWidget(pages);

    m_pShow = new QRadioButton(tr("Show the same elements on these pages"), this);
    m_pCopies = new QRadioButton(tr("Put copies of the elements on these pages"), this);
    m_pShow->setChecked(true);
    layout->addWidget(m_pShow);
    layout->addWidget(m_pCopies);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Nothing to do until a page is chosen.
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    for (QCheckBox* box : m_Pages)
        connect(box, &QCheckBox::toggled, this, [this, ok]() { ok->setEnabled(Pages() != 0); });
}

quint32 CopyPageDialog::Pages() const
{
    quint32 uPages = 0;
    for (int i = 0; i < R8_PAGE_COUNT; ++i)
        if (m_Pages[i]->isEnabled() && m_Pages[i]->isChecked())
            uPages |= 1u << i;
    return uPages;
}

bool CopyPageDialog::Duplicate() const
{
    return m_pCopies->isChecked();
}

void CopyPageDialog::SetPages(quint32 uPages)
{
    for (int i = 0; i < R8_PAGE_COUNT; ++i)
        m_Pages[i]->setChecked(m_Pages[i]->isEnabled() && (uPages & (1u << i)));
}

void CopyPageDialog::SetDuplicate(bool bDuplicate)
{
    (bDuplicate ? m_pCopies : m_pShow)->setChecked(true);
}
