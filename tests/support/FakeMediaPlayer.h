#pragma once

#include "engine/MediaPlayer.h"

#include <QSet>
#include <QString>
#include <QStringList>

// A scripted engine for the controller rules the real one cannot reach on demand: refusing
// to open some paths, failing to start, never stopping. It records what the controller asked.
class FakeMediaPlayer : public MediaPlayer {
public:
    int type() const override { return engineType; }
    bool create(void *) override { return createSucceeds; }
    void release() override { ++releases; }
    bool open(const QString &path) override;
    void play() override;
    bool isPlaying() override { return state == EngineState::Playing || hung; }
    void pause() override;
    void stop() override;
    qint64 getTime() override { return time; }
    qint64 getLength() override { return length; }
    void setTime(qint64 ms) override { seeks.append(ms); }
    int getVolume() override { return engineVolume; }
    bool setVolume(int percent) override;
    int getState() override { return state; }
    void setWindow(quintptr) override {}
    bool getMute() override { return engineMute; }
    void setMute() override;

    int engineType = EngineType::Vlc;
    bool createSucceeds = true;
    bool hung = false; // keeps reporting "playing" whatever it is told
    QSet<QString> unopenable;
    int state = EngineState::None;
    qint64 time = 0;
    qint64 length = 0;
    int engineVolume = 100;
    bool engineMute = false;

    int releases = 0;
    int stops = 0;
    int volumeWrites = 0;
    int muteFlips = 0;
    QStringList opened;
    QList<qint64> seeks;
};
