#include "ui/views/PlayWndWidget.h"

#include "app/ApplicationState.h"
#include "platform/CommandEvent.h"
#include "platform/CommandIds.h"
#include "ui/views/PlayWnd.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

PlayWndWidget::PlayWndWidget(PlayWnd &playWnd, Role widgetRole, QWidget *parent)
    : QWidget(parent)
    , owner(playWnd)
    , role(widgetRole)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (widgetRole == Role::Video) {
        // The engine renders into this window's native id; the pane stays a plain widget.
        setAttribute(Qt::WA_DontCreateNativeAncestors);
        setAttribute(Qt::WA_NativeWindow);
    }
}

void PlayWndWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    owner.paint(painter, role == Role::Video);
}

void PlayWndWidget::resizeEvent(QResizeEvent *event)
{
    if (role == Role::Pane)
        owner.fitVideo();
    QWidget::resizeEvent(event);
}

void PlayWndWidget::contextMenuEvent(QContextMenuEvent *event)
{
    owner.showContextMenu();
    event->accept();
}

void PlayWndWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    postCommand(appState.mainWindow,
                appState.fullScreen ? CommandId::ID_LEAVE_FULL_SCREEN : CommandId::ID_FULL_SCREEN);
    event->accept();
}
