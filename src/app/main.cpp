#include "app/ApplicationState.h"
#include "engine/MediaPlayer.h"
#include "playback/PlayLogic.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

// Plays the given file and then the rest of its folder through the playback controller.
int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: sonexa FILE.flac\n");
        return 2;
    }
    const QString path = QFileInfo(args.join(u' ')).absoluteFilePath();

    PlayLogic logic;
    appState.hInstance = &application;
    appState.playLogic = &logic;
    if (!logic.playList.isSupported(path) || !logic.openFile(path)) {
        std::fprintf(stderr, "Could not load the file\n");
        return 1;
    }
    logic.play();
    logic.playList.scanFolder(path);

    // Ends a few ticks after playback has stopped for good (the end of the folder).
    int idleTicks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&logic, &idleTicks] {
        logic.timerProc();
        const int state = logic.player ? logic.player->getState() : EngineState::None;
        const bool active =
            state == EngineState::Playing || state == EngineState::Paused || logic.isPlaying();
        idleTicks = active ? 0 : idleTicks + 1;
        if (idleTicks > 8)
            QCoreApplication::quit();
    });
    timer.start(260);
    const int code = QCoreApplication::exec();
    appState.playLogic = nullptr;
    return code;
}
