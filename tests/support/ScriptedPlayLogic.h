#pragma once

#include "playback/PlayLogic.h"
#include "support/FakeMediaPlayer.h"

#include <memory>

// The controller with a scripted engine in place of libvlc.
class ScriptedPlayLogic : public PlayLogic {
public:
    FakeMediaPlayer *fake() const { return static_cast<FakeMediaPlayer *>(player.get()); }

    int fakeType = EngineType::Vlc;
    bool createSucceeds = true;
    int enginesMade = 0;

protected:
    std::unique_ptr<MediaPlayer> newMediaPlayer(int type) override
    {
        if (type != EngineType::Vlc)
            return nullptr;
        auto engine = std::make_unique<FakeMediaPlayer>();
        engine->engineType = fakeType;
        engine->createSucceeds = createSucceeds;
        ++enginesMade;
        return engine;
    }
};
