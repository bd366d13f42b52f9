#pragma once

#include "engine/MediaPlayer.h"

#include <vlc/vlc.h>

#include <memory>

// The media engine over libvlc. It owns the library instance, the media player and the media
// of the last successful open; the event manager belongs to the media player.
class VlcPlayer : public MediaPlayer {
public:
    VlcPlayer() = default;
    ~VlcPlayer() override;
    Q_DISABLE_COPY_MOVE(VlcPlayer)

    int type() const override;
    bool create(void *window) override;
    void release() override;
    bool open(const QString &path) override;
    void play() override;
    bool isPlaying() override;
    void pause() override;
    void stop() override;
    qint64 getTime() override;
    qint64 getLength() override;
    void setTime(qint64 ms) override;
    int getVolume() override;
    bool setVolume(int percent) override;
    int getState() override;
    void setWindow(quintptr window) override;
    bool getMute() override;
    void setMute() override;
    bool hasVideo() override;

    // libvlc calls the callback on its own event thread, with null user data.
    void setEventCallback(libvlc_callback_t callback);
    void attachEvents();

private:
    struct InstanceRelease {
        void operator()(libvlc_instance_t *p) const { libvlc_release(p); }
    };
    struct MediaRelease {
        void operator()(libvlc_media_t *p) const { libvlc_media_release(p); }
    };
    struct PlayerRelease {
        void operator()(libvlc_media_player_t *p) const { libvlc_media_player_release(p); }
    };

    void detachEvents();

    // Declared in reverse release order: members are destroyed bottom-up, so the media
    // player goes first, then the media, then the library instance.
    std::unique_ptr<libvlc_instance_t, InstanceRelease> libvlcInstance;
    std::unique_ptr<libvlc_media_t, MediaRelease> media;
    std::unique_ptr<libvlc_media_player_t, PlayerRelease> mediaPlayer;
    libvlc_event_manager_t *eventManager = nullptr;
    libvlc_callback_t eventCallback = nullptr;
    bool eventsAttached = false;
};
