#include "app/ScreenMode.h"

#include "app/ApplicationState.h"
#include "app/Views.h"
#include "ui/widgets/WindowPosition.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace {

constexpr int kDefaultWidth = 672;
constexpr int kDefaultPaneHeight = 420;
constexpr int kMinWidth = 480;
constexpr int kMinPaneHeight = 300;

constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;

bool firstLayout = true;

QRect normalRect(const WindowPlacement &p)
{
    return QRect(QPoint(p.left, p.top), QPoint(p.right - 1, p.bottom - 1));
}

bool meetsAScreen(const QRect &rect)
{
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.cbegin(), screens.cend(), [&rect](const QScreen *screen) {
        return screen->availableGeometry().intersects(rect);
    });
}

} // namespace

void layoutMainWindow()
{
    QWidget *window = appState.mainWindow;
    if (!appState.ready || !window)
        return;
    const bool barWasVisible = isBarVisible();
    hideBar();
    const int reserved = barWasVisible || !appState.fullScreen ? barHeight() : 0;
    window->setMinimumSize(kMinWidth, kMinPaneHeight + reserved);

    if (firstLayout && !appState.hasPlacement) {
        setClientSize(window, QSize(kDefaultWidth, kDefaultPaneHeight + reserved));
        centerWindow(window);
    }
    firstLayout = false;

    // Sizes set by code may undercut the minimum: the window grows back after the fact.
    QSize client = window->size();
    const QSize least(qMax(client.width(), kMinWidth), client.height() - reserved >= kMinPaneHeight
                                                           ? client.height()
                                                           : reserved + kMinPaneHeight);
    if (least != client) {
        window->resize(least);
        client = least;
    }
    placeViews(client, reserved, barWasVisible || !appState.fullScreen);
}

void enterFullScreen()
{
    QWidget *window = appState.mainWindow;
    if (appState.fullScreen || !window)
        return;
    appState.fullScreen = true;
    appState.ready = false;
    // Full screen always covers the primary screen, wherever the window stood before.
    if (QScreen *primary = QGuiApplication::primaryScreen()) {
        window->showNormal();
        window->setGeometry(primary->geometry());
    }
    window->showFullScreen();
    appState.ready = true;
    layoutMainWindow();
}

void leaveFullScreen()
{
    QWidget *window = appState.mainWindow;
    if (!appState.fullScreen || !window)
        return;
    appState.fullScreen = false;
    appState.ready = false;
    window->showNormal();
    if (appState.hasPlacement)
        applyPlacement(*window, appState.placement);
    appState.ready = true;
    layoutMainWindow();
}

void rememberPlacement()
{
    if (appState.fullScreen || !appState.ready || !appState.mainWindow)
        return;
    // The window system reports a mode switch late: a window in the full-screen state is
    // never recorded, whatever the flags say.
    if (appState.mainWindow->isFullScreen())
        return;
    appState.placement = capturePlacement(*appState.mainWindow);
    appState.hasPlacement = true;
}

WindowPlacement capturePlacement(const QWidget &window)
{
    const QRect normal =
        window.isMaximized() || window.isMinimized() ? window.normalGeometry() : window.geometry();
    WindowPlacement p;
    p.length = sizeof(WindowPlacement);
    p.showCmd = window.isMinimized()   ? kShowMinimized
                : window.isMaximized() ? kShowMaximized
                                       : kShowNormal;
    p.minX = p.minY = p.maxX = p.maxY = -1;
    p.left = normal.left();
    p.top = normal.top();
    p.right = normal.left() + normal.width();
    p.bottom = normal.top() + normal.height();
    return p;
}

void applyPlacement(QWidget &window, const WindowPlacement &placement)
{
    const QRect rect = normalRect(placement);
    // A placement that lies off every screen (a display that is gone) would hide the window.
    if (rect.isValid() && meetsAScreen(rect))
        window.setGeometry(rect);
    else {
        setClientSize(&window, QSize(kDefaultWidth, kDefaultPaneHeight + barHeight()));
        centerWindow(&window);
    }
    // A minimised window comes back normal.
    if (placement.showCmd == kShowMaximized)
        QMetaObject::invokeMethod(&window, &QWidget::showMaximized, Qt::QueuedConnection);
}
