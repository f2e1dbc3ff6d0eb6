#include "screenthumb.h"
#include "screenlayout.h"
#include "screenlayoutprops.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

ScreenThumb::ScreenThumb(QWidget* parent, ScreenLayout* pLayout, int iPage)
    : QWidget(parent)
    , m_iPage(iPage)
    , m_pLayout(pLayout)
{
    setObjectName(QStringLiteral("ScreenThumb"));
    setWindowTitle(tr("Form"));
    resize(50, 66);
    UpdateToolTip();
}

void ScreenThumb::SetName(const QString& strName)
{
    m_Props.Name = strName;
    UpdateToolTip();
}

void ScreenThumb::SetTrigger(int iTrigger)
{
    m_Props.Trigger = quint32(iTrigger);
}

void ScreenThumb::SetDisabled(int iDisabled)
{
    m_Props.Disabled = iDisabled;
    update();
}

void ScreenThumb::SetProps(const PageProps& props)
{
    m_Props = props;
    UpdateToolTip();
    update();
}

void ScreenThumb::SetCurrent(bool bCurrent)
{
    if (m_bCurrent == bCurrent)
        return;
    m_bCurrent = bCurrent;
    update();
}

void ScreenThumb::UpdateToolTip()
{
    setToolTip(m_Props.Name.isEmpty() ? tr("Page %1").arg(m_iPage) : m_Props.Name);
}

void ScreenThumb::RefreshThumb(int)
{
    if (!m_pLayout || m_bGrabPending)
        return;
    m_bGrabPending = true;
    QTimer::singleShot(0, this, [this]() {
        if (m_bGrabPending) {
            GrabNow();
            update();
        }
    });
}

void ScreenThumb::GrabNow() const
{
    m_bGrabPending = false;
    if (!m_pLayout)
        return;
    const QPixmap whole = m_pLayout->Picture();
    m_Picture = whole.scaledToHeight(width() - 2, Qt::SmoothTransformation);
}

const QPixmap& ScreenThumb::Picture() const
{
    if (m_bGrabPending)
        GrabNow();
    return m_Picture;
}

void ScreenThumb::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect inner(1, 1, width() - 2, height() - 2);
    if (!Picture().isNull())
        painter.drawPixmap(inner, m_Picture);
    if (m_Props.Disabled) {
        // A page the instrument skips is shown washed out.
        painter.fillRect(inner, QColor(160, 160, 160, 150));
    }
    if (m_bCurrent) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(1, 1, width() - 2, height() - 2));
    }
}

void ScreenThumb::mousePressEvent(QMouseEvent* event)
{
    emit SelectPage(m_pLayout);
    QWidget::mousePressEvent(event);
}

void ScreenThumb::mouseDoubleClickEvent(QMouseEvent* event)
{
    EditProperties();
    event->accept();
}

bool ScreenThumb::EditProperties()
{
    ScreenLayoutProps dialog;
    if (m_Props.Name.isEmpty())
        SetName(tr("Page %1").arg(m_iPage));
    dialog.SetValues(m_Props.Name, int(m_Props.Trigger), m_Props.Disabled);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    emit PropsWillChange(m_iPage);
    SetName(dialog.GetPageName());
    m_Props.Trigger = quint32(dialog.GetTrigger());
    SetDisabled(dialog.GetDisabled());
    emit NewTrigger(m_iPage, int(m_Props.Trigger));
    return true;
}
