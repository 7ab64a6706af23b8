// The Engine the game-side harnesses load into: headless (no window, no sound device),
// made once in the harness's scratch folder and kept for the whole run.
#pragma once

#include "fuzz_support.h"
#include "game/engine.h"

namespace cavfuzz
{

inline Engine* StartHeadlessEngine()
{
    EnterScratchFolder();
    EngineSettings settings;
    settings.headless = true;
    return new Engine(settings);
}

} // namespace cavfuzz
