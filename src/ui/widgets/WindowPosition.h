#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a frame of the given size goes when centred in the reference rectangle: kept inside
// it where it fits, with its top-left corner at the reference's top-left where it does not.
QPoint centeredPosition(QSize frame, const QRect &reference);

// Centres a window, frame included, in the available geometry of its screen; a child widget
// is centred in its parent.
void centerWindow(QWidget *window);

// Gives the window a client area of exactly the given size, at an unchanged position.
void setClientSize(QWidget *window, QSize size);
