#pragma once

#include "playback/PlayWndView.h"
#include "ui/views/SkinImage.h"

#include <QPoint>
#include <QPointer>

#include <optional>

class Hyperlink;
class PlayWndWidget;
class QMenu;
class QPainter;
class QWidget;

// The video pane: the black area above the control bar with the logo, the "Powered by" link
// in its top-right corner and the native window the engine renders video into. It offers the
// player's context menu, turns a double-click into the full-screen toggle and hides the cursor
// while a file plays and the mouse rests over it. It acts on the player only by posting
// commands to the main window. There is one pane, made by instance and ended by release.
class PlayWnd : public PlayWndView {
public:
    static constexpr int kLinkMargin = 5;
    static constexpr int kVideoGap = 10;
    static constexpr quint32 kCursorRestMs = 5000;
    static constexpr int kCursorJitter = 5;

    static PlayWnd *instance();
    static void release();

    ~PlayWnd() override;
    Q_DISABLE_COPY_MOVE(PlayWnd)

    // Makes the pane as a hidden child of parent; the main window's layout sizes and shows it.
    bool create(QWidget *parent);
    // The pane's widget, for the main window's layout.
    QWidget *widget() const;
    bool loadLogo(const QString &root = QString::fromUtf16(kSkinRoot));

    bool open(int engineType) override;
    void fitVideo();
    void showVideo(bool show) override;
    quintptr videoWindow() const override;
    bool isVideoVisible() const override;
    void destroyVideo();
    void destroyWindows();

    void paint(QPainter &painter, bool fromVideoWindow) const;
    void showContextMenu();
    // Fills the menu with the context menu's items, greyed and removed by the player's state.
    static void buildContextMenu(QMenu &menu);
    // Run on every tick of the main window's timer.
    void autoHideCursor();

private:
    PlayWnd() = default;

    void hideCursor();
    void showCursor();

    QPointer<PlayWndWidget> pane;
    QPointer<PlayWndWidget> video;
    QPointer<Hyperlink> link;
    std::optional<QImage> logo;
    quint32 lastMoveTick = 0;
    QPoint lastCursorPos;
    bool cursorHidden = false;
};
