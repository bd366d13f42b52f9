#include "app/ExitSequence.h"

#include "app/ApplicationState.h"
#include "app/ScreenMode.h"
#include "app/Views.h"
#include "playback/PlayLogic.h"

#include <QCoreApplication>
#include <QWidget>

void onClose()
{
    // In full-screen mode the placement recorded before it is kept.
    rememberPlacement();
    if (QWidget *window = appState.mainWindow)
        window->hide();
    if (appState.playLogic)
        appState.playLogic->stop();
    destroyViews();
    QCoreApplication::exit(0);
}
