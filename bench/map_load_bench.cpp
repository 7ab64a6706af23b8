// Engine::LoadMap: the stage start's load of a ".map" file (clear, read, entities, bounds,
// wall grid, links), on the largest shipped map and on a generated map of 2,000 walls and
// 300 entities. Goal: under 20 ms for the large one.
#include "bench/stress_stage.h"
#include "platform/audio.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{

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
    static const std::string path = bench::LargestShippedMap();
    LoadMapLoop(state, path);
}
BENCHMARK(BM_LoadLargestShippedMap)->Unit(benchmark::kMillisecond);

void BM_LoadGeneratedMap(benchmark::State& state)
{
    static const std::string path = bench::StressMap(2000, 300);
    LoadMapLoop(state, path);
}
BENCHMARK(BM_LoadGeneratedMap)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
