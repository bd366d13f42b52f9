#include "support/FakeMediaPlayer.h"

bool FakeMediaPlayer::open(const QString &path)
{
    if (unopenable.contains(path))
        return false;
    opened.append(path);
    state = EngineState::None;
    return true;
}

void FakeMediaPlayer::play()
{
    state = EngineState::Playing;
}

void FakeMediaPlayer::pause()
{
    if (state == EngineState::Playing)
        state = EngineState::Paused;
}

void FakeMediaPlayer::stop()
{
    ++stops;
    state = EngineState::Stopped;
}

bool FakeMediaPlayer::setVolume(int percent)
{
    ++volumeWrites;
    engineVolume = percent;
    return true;
}

void FakeMediaPlayer::setMute()
{
    ++muteFlips;
    engineMute = !engineMute;
}
