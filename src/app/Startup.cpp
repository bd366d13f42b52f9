#include "app/Startup.h"

#include "app/ApplicationState.h"
#include "app/HandOffChannel.h"
#include "app/MainWindow.h"
#include "app/OpenFile.h"
#include "app/ScreenMode.h"
#include "app/Settings.h"
#include "app/Sonexa.h"
#include "app/TerminationSignals.h"
#include "app/Views.h"
#include "platform/ReadableFile.h"
#include "playback/PlayLogic.h"

#include <QApplication>
#include <QDir>

namespace {

constexpr int kTimerIntervalMs = 260;

} // namespace

QString commandLinePath(const QString &commandLine)
{
    // A shell passes relative paths; nothing is cleaned, so the playlist's exact match holds.
    if (commandLine.isEmpty() || !QDir::isRelativePath(commandLine))
        return commandLine;
    return QDir::currentPath() + u'/' + commandLine;
}

int wWinMain(QApplication &application, const QString &commandLine)
{
    appState = ApplicationState();
    loadSettings();
    appState.app = new Sonexa;

    const QString path = commandLinePath(commandLine);
    const bool hasFile = isReadableFile(path);
    // A start with a file while another copy runs hands the file over and ends.
    if (hasFile && HandOffChannel::handOffToRunningInstance(path)) {
        ExitInstance();
        return 0;
    }

    if (!InitInstance(application))
        return 0;
    TerminationSignals terminationSignals;
    if (hasFile)
        loadFile(path);
    HandOffChannel channel;
    QObject::connect(&channel, &HandOffChannel::openRequested, &channel, &onHandOff);
    channel.registerMainWindow();
    const int code = QApplication::exec();
    ExitInstance();
    return code;
}

bool InitInstance(QApplication &application)
{
    appState.hInstance = &application;
    auto *window = new MainWindow;
    appState.mainWindow = window;
    appState.playLogic = new PlayLogic;
    if (!createViews())
        return false;
    updateBarVolume();
    appState.timerId = window->startTimer(kTimerIntervalMs);
    if (appState.hasPlacement)
        applyPlacement(*window, appState.placement);
    window->show();
    refreshBarButtons();
    appState.ready = true;
    layoutMainWindow();
    return true;
}

void ExitInstance()
{
    saveSettings();
    delete appState.app;
    appState.app = nullptr;
    delete appState.mainWindow;
}
