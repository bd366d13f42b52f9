#include "engine/VlcPlayer.h"

#include <QFile>
#include <QGuiApplication>
#include <QString>

#include <array>

namespace {

constexpr std::array kEngineEvents{
    libvlc_MediaPlayerTimeChanged, libvlc_MediaPlayerPlaying,    libvlc_MediaPlayerPaused,
    libvlc_MediaPlayerStopped,     libvlc_MediaPlayerEndReached,
};

} // namespace

VlcPlayer::~VlcPlayer()
{
    // The media player stops while it is released, and that stop reports an event: no
    // callback may run into a controller that is being torn down.
    detachEvents();
}

int VlcPlayer::type() const
{
    return EngineType::Vlc;
}

bool VlcPlayer::create(void *)
{
    const char *const args[] = {"--no-video-title-show", "--no-keyboard-events",
                                "--no-mouse-events"};
    libvlcInstance.reset(libvlc_new(3, args));
    if (!libvlcInstance)
        return false;
    mediaPlayer.reset(libvlc_media_player_new(libvlcInstance.get()));
    if (!mediaPlayer)
        return false;
    eventManager = libvlc_media_player_event_manager(mediaPlayer.get());
    if (!eventManager)
        return false;
    // Keys and clicks in the video window belong to the program (context menu, double-click).
    libvlc_video_set_key_input(mediaPlayer.get(), 0);
    libvlc_video_set_mouse_input(mediaPlayer.get(), 0);
    return true;
}

void VlcPlayer::release()
{
    detachEvents();
    mediaPlayer.reset();
    media.reset();
    libvlcInstance.reset();
    eventManager = nullptr; // it belonged to the media player
}

bool VlcPlayer::open(const QString &path)
{
    // The whole path goes to libvlc, however long, in the file system's encoding (UTF-8).
    const QByteArray localPath = QFile::encodeName(path);
    if (!mediaPlayer)
        return false;
    if (isPlaying())
        stop();
    libvlc_media_t *opened = libvlc_media_new_path(libvlcInstance.get(), localPath.constData());
    if (!opened)
        return false;
    libvlc_media_player_set_media(mediaPlayer.get(), opened);
    // The media player holds its own reference, so the previous media can go now.
    media.reset(opened);
    return true;
}

void VlcPlayer::play()
{
    if (mediaPlayer)
        libvlc_media_player_play(mediaPlayer.get());
}

bool VlcPlayer::isPlaying()
{
    return mediaPlayer && libvlc_media_player_is_playing(mediaPlayer.get()) != 0;
}

void VlcPlayer::pause()
{
    if (mediaPlayer)
        libvlc_media_player_pause(mediaPlayer.get());
}

void VlcPlayer::stop()
{
    if (mediaPlayer)
        libvlc_media_player_stop(mediaPlayer.get());
    cachedLength = 0;
}

qint64 VlcPlayer::getTime()
{
    return mediaPlayer ? libvlc_media_player_get_time(mediaPlayer.get()) : 0;
}

qint64 VlcPlayer::getLength()
{
    if (!mediaPlayer)
        return 0;
    const qint64 cached = cachedLength;
    if (cached > 0)
        return cached;
    const qint64 length = libvlc_media_player_get_length(mediaPlayer.get());
    cachedLength = length;
    return length;
}

void VlcPlayer::setTime(qint64 ms)
{
    if (mediaPlayer)
        libvlc_media_player_set_time(mediaPlayer.get(), ms);
}

int VlcPlayer::getVolume()
{
    return mediaPlayer ? libvlc_audio_get_volume(mediaPlayer.get()) : 0;
}

bool VlcPlayer::setVolume(int percent)
{
    return mediaPlayer && libvlc_audio_set_volume(mediaPlayer.get(), percent) == 0;
}

int VlcPlayer::getState()
{
    return mediaPlayer ? int(libvlc_media_player_get_state(mediaPlayer.get())) : 0;
}

void VlcPlayer::setWindow(quintptr window)
{
    if (!mediaPlayer)
        return;
#if defined(Q_OS_WIN)
    libvlc_media_player_set_hwnd(mediaPlayer.get(), reinterpret_cast<void *>(window));
#elif defined(Q_OS_MACOS)
    libvlc_media_player_set_nsobject(mediaPlayer.get(), reinterpret_cast<void *>(window));
#else
    // Only an X11 window can be handed over; elsewhere (offscreen, Wayland) video stays off.
    if (QGuiApplication::platformName() == u"xcb")
        libvlc_media_player_set_xwindow(mediaPlayer.get(), quint32(window));
#endif
}

bool VlcPlayer::getMute()
{
    // libvlc answers -1 while there is no audio output; that counts as muted.
    return mediaPlayer && libvlc_audio_get_mute(mediaPlayer.get()) != 0;
}

void VlcPlayer::setMute()
{
    if (mediaPlayer)
        libvlc_audio_set_mute(mediaPlayer.get(), getMute() ? 0 : 1);
}

bool VlcPlayer::hasVideo()
{
    // The count is -1 while no input runs; only a real video track counts.
    return mediaPlayer && libvlc_video_get_track_count(mediaPlayer.get()) > 0;
}

void VlcPlayer::setEventCallback(libvlc_callback_t callback)
{
    eventCallback = callback;
}

void VlcPlayer::attachEvents()
{
    if (!eventManager || !eventCallback || eventsAttached)
        return;
    for (const auto event : kEngineEvents)
        libvlc_event_attach(eventManager, event, eventCallback, nullptr);
    eventsAttached = true;
}

void VlcPlayer::detachEvents()
{
    // libvlc holds its event lock while a callback runs, so once this returns no callback of
    // this player is running or will run.
    if (!eventsAttached || !mediaPlayer)
        return;
    for (const auto event : kEngineEvents)
        libvlc_event_detach(eventManager, event, eventCallback, nullptr);
    eventsAttached = false;
}
