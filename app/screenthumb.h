#pragma once
#include "pageprops.h"

#include <QPixmap>
#include <QWidget>

class ScreenLayout;

// A page in the page strip: a small picture of its canvas that makes the page
// current when clicked, and the keeper of the page's name, triggers and
// disabled flag (edited by a double click).
class ScreenThumb : public QWidget
{
    Q_OBJECT
public:
    ScreenThumb(QWidget* parent, ScreenLayout* pLayout, int iPage);

    int PageIndex() const { return m_iPage; }
    ScreenLayout* Layout() const { return m_pLayout; }

    QString GetName() const { return m_Props.Name; }
    void SetName(const QString& strName);
    int GetTrigger() const { return int(m_Props.Trigger); }
    void SetTrigger(int iTrigger);
    int GetDisabled() const { return m_Props.Disabled; }
    void SetDisabled(int iDisabled);
    const PageProps& Props() const { return m_Props; }
    void SetProps(const PageProps& props);

    // The strip's marking of the shown page.
    void SetCurrent(bool bCurrent);
    bool IsCurrent() const { return m_bCurrent; }

    // The page picture, grabbed now if a refresh is still pending.
    const QPixmap& Picture() const;

    // The page properties dialog (what a double click runs). True when it
    // was accepted.
    bool EditProperties();

signals:
    void SelectPage(ScreenLayout* pLayout);
    // Before an accepted dialog changes the page, so the change can be
    // recorded; NewTrigger follows once it is stored.
    void PropsWillChange(int iPage);
    void NewTrigger(int iPage, int iTrigger);
    void selectLayout(int iPage);

public slots:
    void RefreshThumb(int iPage);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void UpdateToolTip();

    int m_iPage;
    PageProps m_Props;
    mutable QPixmap m_Picture;
    ScreenLayout* m_pLayout;
    bool m_bCurrent = false;
    // Refreshes are gathered and served once per pass of the event loop: a
    // load or a group edit asks for hundreds, one picture is enough.
    mutable bool m_bGrabPending = false;
    void GrabNow() const;
};
