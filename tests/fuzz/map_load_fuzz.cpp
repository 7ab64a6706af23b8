// The map loader: any bytes as a stage's ".map", loaded through a headless Engine (walls,
// entities and their own fields, the tail, bounds, the wall grid and the links), then the
// first steps of play of the loaded entities and the level's clearing.
#include "headless_engine.h"

namespace
{
Engine* engine = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    engine = cavfuzz::StartHeadlessEngine(); // lives for the whole run
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!cavfuzz::WriteInput("stage.map", data, size))
        return 0;
    engine->packs.rosters = {{"stage.map"}};
    engine->packs.currentPack = 0;
    engine->progress.stage = 1;
    if (engine->LoadMap())
    {
        for (int step = 0; step < 3; ++step)
            engine->UpdateEntities();
    }
    engine->ClearLevel();
    return 0;
}
