#include "app/ApplicationState.h"
#include "support/ScriptedPlayLogic.h"
#include "ui/controlbar/PlayBar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <cstdio>

// One time update as the engine's events cause it: compose the time strip, flush it, and let
// the window repaint the strips. Run with QT_QPA_PLATFORM=offscreen.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget host;
    host.resize(672, 456);
    ScriptedPlayLogic logic;
    appState.playLogic = &logic;
    appState.mainWindow = &host;
    logic.createMediaPlayer(EngineType::Vlc);
    logic.fake()->state = EngineState::Playing;
    logic.fake()->length = 3600000;

    PlayBar bar;
    if (!bar.create(&host) || !bar.createFont())
        return 1;
    appState.playBar = &bar;
    bar.window()->setGeometry(0, 420, 672, bar.barHeight());
    host.show();
    QCoreApplication::processEvents();

    constexpr int kUpdates = 10000;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kUpdates; ++i) {
        logic.fake()->time = qint64(i) * 250;
        bar.updateProgress();
        QCoreApplication::processEvents();
    }
    const double us = double(clock.nsecsElapsed()) / 1e3 / kUpdates;
    std::printf("time update (compose, flush, repaint of the strips): %.1f us each over %d\n", us,
                kUpdates);
    appState = ApplicationState();
    return 0;
}
