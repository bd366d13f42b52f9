#pragma once

#include <QtGlobal>

#include <atomic>

class QString;

// The engine states that the program acts on (libvlc_state_t values).
namespace EngineState {
inline constexpr int None = 0;
inline constexpr int Playing = 3;
inline constexpr int Paused = 4;
inline constexpr int Stopped = 5;
inline constexpr int Ended = 6;
} // namespace EngineState

// Engine types: 1 is the libvlc engine; other values name no engine of this program.
namespace EngineType {
inline constexpr int None = 0;
inline constexpr int Vlc = 1;
inline constexpr int Flash = 2;
} // namespace EngineType

// The media engine as the playback controller sees it. Times and lengths are milliseconds,
// the volume is a percentage, and the state is libvlc's libvlc_state_t value (0 without a
// player; 3 playing, 4 paused, 6 ended are the ones the program acts on). The engine type is
// 1 for the libvlc engine and 0 for this base class.
class MediaPlayer {
public:
    MediaPlayer() = default;
    virtual ~MediaPlayer();
    Q_DISABLE_COPY_MOVE(MediaPlayer)

    virtual int type() const;
    // The window is the main window; engines may ignore it.
    virtual bool create(void *window) = 0;
    virtual void release() = 0;
    virtual bool open(const QString &path) = 0;
    virtual void play() = 0;
    virtual bool isPlaying() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual qint64 getTime() = 0;
    virtual qint64 getLength() = 0;
    virtual void setTime(qint64 ms) = 0;
    virtual int getVolume() = 0;
    virtual bool setVolume(int percent) = 0;
    virtual int getState() = 0;
    virtual void setOption(quint32 value);
    // The native id of the window that video is drawn into (0: none).
    virtual void setWindow(quintptr window) = 0;
    virtual bool getMute() = 0;
    // Flips the engine's mute.
    virtual void setMute() = 0;
    virtual bool hasVideo();

protected:
    // The media length once it is known to be positive; 0 after every stop. Written by the
    // GUI thread and read while engine events are handled, hence atomic.
    std::atomic<qint64> cachedLength{0};
};
