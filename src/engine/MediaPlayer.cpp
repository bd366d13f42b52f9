#include "engine/MediaPlayer.h"

MediaPlayer::~MediaPlayer() = default;

int MediaPlayer::type() const
{
    return 0;
}

void MediaPlayer::setOption(quint32) {}

bool MediaPlayer::hasVideo()
{
    return true;
}
