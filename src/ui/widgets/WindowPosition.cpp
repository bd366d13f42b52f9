#include "ui/widgets/WindowPosition.h"

#include <QScreen>
#include <QWidget>

QPoint centeredPosition(QSize frame, const QRect &reference)
{
    const int w = frame.width();
    const int h = frame.height();
    // Integer division toward zero, as the halves of odd differences fall.
    int x = (2 * reference.left() + reference.width() - w) / 2;
    int y = (2 * reference.top() + reference.height() - h) / 2;
    // Clamped against the reference's own edges, so a work area away from the origin (a
    // second screen, a panel on the left) keeps the window on it.
    x = qMax(reference.left(), qMin(x, reference.left() + reference.width() - w));
    y = qMax(reference.top(), qMin(y, reference.top() + reference.height() - h));
    return {x, y};
}

void centerWindow(QWidget *window)
{
    if (!window)
        return;
    QRect reference;
    if (window->isWindow())
        reference = window->screen()->availableGeometry();
    else
        reference = window->parentWidget()->rect();
    window->move(centeredPosition(window->frameGeometry().size(), reference));
}

void setClientSize(QWidget *window, QSize size)
{
    // Qt's geometry is the client area already; the frame is the window manager's.
    if (window)
        window->resize(size);
}
