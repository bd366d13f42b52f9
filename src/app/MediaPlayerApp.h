#pragma once

#include <QtGlobal>

// The application object: the base of the program's one application class.
class MediaPlayerApp {
public:
    MediaPlayerApp() = default;
    virtual ~MediaPlayerApp() = default;
    Q_DISABLE_COPY_MOVE(MediaPlayerApp)
};
