#include "ui/controlbar/BarWindow.h"

#include "ui/controlbar/PlayBar.h"

#include <QMouseEvent>
#include <QPainter>

BarWindow::BarWindow(PlayBar &owner, QWidget *parent)
    : QWidget(parent)
    , bar(owner)
{
    setFocusPolicy(Qt::NoFocus);
    // The bar paints every pixel itself, so nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BarWindow::resizeEvent(QResizeEvent *)
{
    bar.layout(width());
}

void BarWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    bar.onPaint(painter);
}

void BarWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        bar.beginTrack(event->position().toPoint());
}

void BarWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (bar.isCapturing())
        bar.track(event->position().toPoint().x());
}

void BarWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        bar.endTrack();
}
