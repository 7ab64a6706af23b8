// A headless Engine for the ship and effect tests: recorded sound (the ship's and the
// shots' samples loaded from tiny tones), recorded input, seeded rand(), walls by hand.
#pragma once

#include "game/engine.h"
#include "platform/audio.h"
#include "platform/input_backend.h"
#include "support/temp_dir.h"

#include <initializer_list>
#include <memory>
#include <string>

namespace cavtest
{

class FlightTest : public TempDirTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The walls of the level, its bounds and its grid.
    void SetWalls(std::initializer_list<Beam> walls);
    // How often the sample of the slot was played.
    int Plays(int slot) const;
    // Sets a button's state for the next ticks (the ship does not advance the states).
    void SetButton(InputButton button, int state);
    // Runs the ship's Update `ticks` times.
    void Tick(int ticks = 1);
    // The number of emitters of a kind in the Engine's list.
    template <class Kind>
    int EmittersOf() const
    {
        int n = 0;
        for (const Emitter* e : engine->effects.emitters)
            n += dynamic_cast<const Kind*>(e) != nullptr ? 1 : 0;
        return n;
    }

    platform::RecordingAudio audio;
    platform::RecordingInputBackend inputBackend;
    std::unique_ptr<Engine> engine;
};

} // namespace cavtest
