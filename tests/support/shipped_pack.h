// A headless Engine in a temporary copy of the run folder, with the shipped map packs and
// stage rosters loaded and the sound calls recorded.
#pragma once

#include "game/engine.h"
#include "platform/audio.h"
#include "support/temp_dir.h"

#include <memory>

namespace cavtest
{

class ShippedPackTest : public TempDirTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    platform::RecordingAudio audio;
    std::unique_ptr<Engine> engine;
};

} // namespace cavtest
