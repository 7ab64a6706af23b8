// Engine::LoadMap: the stage start's load of a ".map" file (clear, read, entities, bounds,
// wall grid, links), on the largest shipped map and on a generated map of 2,000 walls and
// 300 entities. Goal: under 20 ms for the large one.
#include "game/engine.h"

#include "game/map_format.h"
#include "platform/audio.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{

std::string LargestShippedMap()
{
    namespace fs = std::filesystem;
    std::string best;
    std::uintmax_t bestSize = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(CAV_RUN_DIR "/Data/Maps", error))
    {
        if (entry.path().extension() == ".map" && entry.file_size() > bestSize)
        {
            bestSize = entry.file_size();
            best = entry.path().string();
        }
    }
    return best;
}

// A cave of 2,000 walls: a jagged outer ring with pillars inside, and 300 entities of every
// placeable kind (their names and targets left at the editor's defaults, so links are made).
std::string GeneratedMap()
{
    const std::string path =
        (std::filesystem::temp_directory_path() / "cav_map_load_bench.map").string();
    MapDocument map;
    std::srand(7);
    const int ringWalls = 1200;
    const float pi = 3.14159265f;
    for (int i = 0; i < ringWalls; ++i)
    {
        float a1 = 2.0f * pi * i / ringWalls;
        float a2 = 2.0f * pi * (i + 1) / ringWalls;
        float r1 = 3000.0f + static_cast<float>(std::rand() % 200);
        float r2 = 3000.0f + static_cast<float>(std::rand() % 200);
        Beam wall;
        wall.CopyFrom(Segment(3500.0f + r1 * std::cos(a1), 3500.0f + r1 * std::sin(a1),
                              3500.0f + r2 * std::cos(a2), 3500.0f + r2 * std::sin(a2)));
        wall.startRed = wall.endGreen = 1.0f;
        map.walls.push_back(wall);
    }
    for (int i = 0; static_cast<int>(map.walls.size()) < 2000; ++i)
    {
        float cx = 800.0f + static_cast<float>((i * 37) % 5400);
        float cy = 800.0f + static_cast<float>((i * 91) % 5400);
        Beam wall;
        wall.CopyFrom(Segment(cx, cy, cx + 60.0f, cy + 25.0f));
        wall.startBlue = wall.endBlue = 1.0f;
        map.walls.push_back(wall);
    }
    for (int i = 0; i < 300; ++i)
    {
        MapEntityRecord record;
        if (!DefaultEntityRecord(i % kPlaceableKindCount, record))
            continue;
        record.x = 900.0f + static_cast<float>((i * 53) % 5200);
        record.y = 900.0f + static_cast<float>((i * 29) % 5200);
        map.entities.push_back(record);
    }
    map.title = "BENCHMARK";
    map.password = "BENCH";
    map.endTimer = 30;
    if (!WriteMap(path, map))
        return std::string();
    return path;
}

void LoadMapLoop(benchmark::State& state, const std::string& path)
{
    if (path.empty())
    {
        state.SkipWithError("no map to load");
        return;
    }
    platform::RecordingAudio audio; // entities may touch sounds; keep the device out of it
    platform::SetAudioBackend(&audio);
    {
        EngineSettings settings;
        settings.headless = true;
        Engine engine(settings);
        engine.packs.rosters = {{path}};
        engine.packs.currentPack = 0;
        engine.progress.stage = 1;
        for (auto _ : state)
        {
            if (!engine.LoadMap())
            {
                state.SkipWithError("the map did not load");
                break;
            }
        }
        state.counters["walls"] = static_cast<double>(engine.level.walls.size());
        state.counters["entities"] = static_cast<double>(engine.level.entities.size());
    }
    platform::SetAudioBackend(nullptr);
}

void BM_LoadLargestShippedMap(benchmark::State& state)
{
    static const std::string path = LargestShippedMap();
    LoadMapLoop(state, path);
}
BENCHMARK(BM_LoadLargestShippedMap)->Unit(benchmark::kMillisecond);

void BM_LoadGeneratedMap(benchmark::State& state)
{
    static const std::string path = GeneratedMap();
    LoadMapLoop(state, path);
}
BENCHMARK(BM_LoadGeneratedMap)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
