#pragma once

#include <QWidget>

class PlayWnd;

// The black pane above the control bar, and the native video window inside it. Neither takes
// the keyboard focus, so the application's shortcuts always get the keys; both hand their
// painting and their menu to the PlayWnd that made them and turn a double-click into the
// full-screen toggle.
class PlayWndWidget : public QWidget {
    Q_OBJECT

public:
    enum class Role { Pane, Video };

    PlayWndWidget(PlayWnd &playWnd, Role widgetRole, QWidget *parent);
    Q_DISABLE_COPY_MOVE(PlayWndWidget)

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    PlayWnd &owner;
    Role role;
};
