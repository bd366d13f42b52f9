#pragma once

#include "platform/WindowPlacement.h"

class QCoreApplication;
class QWidget;
class PlayLogic;
class PlayWndView;
class PlayBarView;
class MediaPlayerApp;

// The one global record of the running program. It holds pointers only, so every layer can
// include it without including the layers above; who writes each field is told beside it.
struct ApplicationState {
    QCoreApplication *hInstance = nullptr; // set at start-up
    QWidget *mainWindow = nullptr;         // the main window; set at start-up, never cleared
    PlayLogic *playLogic = nullptr;        // the playback controller, owned; deleted at exit
    PlayWndView *playWnd = nullptr;        // the video pane while it exists
    PlayBarView *playBar = nullptr;        // the control bar while it exists
    int timerId = 0;                       // the main window's 260 ms timer
    bool hasPlacement = false;             // placement holds a valid placement
    WindowPlacement placement;             // the last known placement of the main window
    bool fullScreen = false;               // the main window is in full-screen mode
    bool ready = false;                    // views exist and no screen-mode switch runs
    MediaPlayerApp *app = nullptr;         // the application object, owned
};

inline ApplicationState appState;
