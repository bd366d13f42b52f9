#include "app/Views.h"

#include "app/ApplicationState.h"
#include "playback/PlayLogic.h"
#include "ui/controlbar/PlayBar.h"
#include "ui/views/PlayWnd.h"

#include <QSize>
#include <QWidget>

namespace {

PlayBar *bar()
{
    return appState.playBar ? static_cast<PlayBar *>(appState.playBar) : nullptr;
}

PlayWnd *pane()
{
    return appState.playWnd ? static_cast<PlayWnd *>(appState.playWnd) : nullptr;
}

QWidget *barWindow()
{
    return bar() ? bar()->window() : nullptr;
}

} // namespace

bool createViews()
{
    PlayWnd *newPane = PlayWnd::instance();
    if (!newPane || !newPane->create(appState.mainWindow))
        return false;
    appState.playWnd = newPane;
    newPane->loadLogo();
    PlayBar *newBar = PlayBar::instance();
    if (!newBar || !newBar->create(appState.mainWindow))
        return false;
    appState.playBar = newBar;
    return newBar->createFont();
}

void destroyViews()
{
    // The timer goes first, so no tick reaches what is destroyed below; the engine goes last.
    if (appState.mainWindow && appState.timerId != 0) {
        appState.mainWindow->killTimer(appState.timerId);
        appState.timerId = 0;
    }
    if (PlayWnd *p = pane()) {
        p->destroyWindows();
        appState.playWnd = nullptr;
    }
    PlayWnd::release();
    if (PlayBar *b = bar()) {
        b->destroyWindows();
        appState.playBar = nullptr;
    }
    PlayBar::destroyInstance();
    if (PlayLogic *logic = appState.playLogic) {
        appState.playLogic = nullptr;
        delete logic;
    }
}

int barHeight()
{
    return bar() ? bar()->barHeight() : 0;
}

bool isBarVisible()
{
    return barWindow() && barWindow()->isVisible();
}

void hideBar()
{
    if (QWidget *window = barWindow())
        window->hide();
}

void placeViews(QSize client, int reserved, bool showBar)
{
    if (PlayWnd *p = pane()) {
        p->widget()->setGeometry(0, 0, client.width(), client.height() - reserved);
        p->widget()->show();
    }
    if (QWidget *window = barWindow()) {
        // In full screen with the bar hidden it waits at the bottom edge, over the pane.
        const int height = barHeight();
        window->setGeometry(0, client.height() - height, client.width(), height);
        if (showBar)
            window->show();
    }
    if (PlayBar *b = bar()) {
        if (appState.fullScreen)
            b->startAutoHide();
        else
            b->stopAutoHide();
    }
}

void refreshBarButtons()
{
    if (appState.playBar)
        appState.playBar->refreshButtons();
}

void updateBarVolume()
{
    if (appState.playBar)
        appState.playBar->updateVolume();
}

void paneTimerTick()
{
    if (PlayWnd *p = pane())
        p->autoHideCursor();
}

void barTimerTick()
{
    if (PlayBar *b = bar())
        b->autoHide();
}
