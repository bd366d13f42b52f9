#pragma once

#include "engine/MediaPlayer.h"
#include "playback/PlayWndView.h"

#include <QList>

// Stands in for the video pane: accepts the libvlc engine and records what it was shown.
class RecordingPane : public PlayWndView {
public:
    bool open(int type) override { return accepts && type == EngineType::Vlc; }
    void showVideo(bool show) override
    {
        shown << show;
        visible = show;
    }
    quintptr videoWindow() const override { return 0x2a; }
    bool isVideoVisible() const override { return visible; }

    bool accepts = true;
    bool visible = false;
    QList<bool> shown;
};
