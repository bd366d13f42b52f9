#pragma once

#include <QtGlobal>

// What the playback controller needs of the video pane.
class PlayWndView {
public:
    virtual ~PlayWndView() = default;

    // Prepares the video window for an engine type; false (window hidden) when it cannot.
    virtual bool open(int engineType) = 0;
    virtual void showVideo(bool show) = 0;
    // The native id of the video window, 0 while there is none.
    virtual quintptr videoWindow() const = 0;
    virtual bool isVideoVisible() const = 0;
};
