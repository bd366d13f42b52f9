#include "app/ExitSequence.h"

#include "app/Advertisement.h"
#include "app/ApplicationState.h"
#include "app/ScreenMode.h"
#include "app/Views.h"
#include "playback/PlayLogic.h"

#include <QCoreApplication>
#include <QWidget>

void onClose()
{
    // The panel may keep the program open and playing.
    constexpr int kKeepOpen = 2;
    if (showAdvertisement(appState.mainWindow) == kKeepOpen)
        return;
    // In full-screen mode the placement recorded before it is kept.
    rememberPlacement();
    if (QWidget *window = appState.mainWindow)
        window->hide();
    if (appState.playLogic)
        appState.playLogic->stop();
    destroyViews();
    QCoreApplication::exit(0);
}
