#include "workarea.h"

WorkArea::WorkArea(QWidget* parent)
    : QWidget(parent)
{
    // Clicks on the empty work area belong to the window (tool box drags).
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void WorkArea::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    emit WorkAreaMoved();
}

void WorkArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit WorkAreaMoved();
}
