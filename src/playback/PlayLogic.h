#pragma once

#include "playback/PlayListData.h"

#include <QString>

#include <memory>

class MediaPlayer;
struct libvlc_event_t;

// The playback controller: owns the engine and the folder playlist, carries out every
// playback command, polls the engine on the main window's timer and handles its events.
// Everything runs on the GUI thread; only handleProc is called by libvlc on its own thread,
// and it does nothing there but post the event back to the GUI thread.
class PlayLogic {
public:
    PlayLogic();
    virtual ~PlayLogic();
    Q_DISABLE_COPY_MOVE(PlayLogic)

    bool isPlaying() const;
    bool openFile(const QString &path);
    void play();
    void pause();
    void stop();
    void skip(int direction);
    bool canSkip() const;
    bool seekStep(int direction);
    void toggleMute();
    void setVolume(int percent);
    void applyVolume();
    void timerProc();
    static void handleProc(const libvlc_event_t *event, void *userData);
    // The GUI-thread half of handleProc: what one engine event does.
    void handleEvent(int eventType);
    bool createMediaPlayer(int type);
    void syncVideoVisibility();
    void setCurrentFile(const QString &path);

    std::unique_ptr<MediaPlayer> player;
    PlayListData playList;
    QString currentPath;
    QString currentName;
    int volume = 100;
    bool muted = false;
    int engineType = 0;

protected:
    // Makes an engine of the given type, or none; tests replace the engine here.
    virtual std::unique_ptr<MediaPlayer> newMediaPlayer(int type);

private:
    void waitWhilePlaying(const char *operation);
};

// The engine type for a path, from the text after its last ".".
int engineTypeForPath(const QString &path);
