#pragma once
#include <QWidget>

// The main window's central widget. It draws nothing; its position anchors
// the page strip and the page canvases, which are children of the window.
class WorkArea : public QWidget
{
    Q_OBJECT
public:
    explicit WorkArea(QWidget* parent = nullptr);

signals:
    void WorkAreaMoved();

protected:
    void moveEvent(QMoveEvent* event) override;
    // Tool bars docked below or at a side resize it without moving it.
    void resizeEvent(QResizeEvent* event) override;
};
