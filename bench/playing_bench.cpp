// One Engine::UpdatePlaying step with the ship in play: on the largest shipped stage (goal:
// under 0.2 ms) and on a generated stress stage of 3,000 walls and 300 entities (goal: under
// 2 ms). The step budget is 10 ms.
#include "bench/stress_stage.h"
#include "platform/audio.h"

#include <benchmark/benchmark.h>

namespace
{

void StepLoop(benchmark::State& state, const std::string& path)
{
    platform::RecordingAudio audio;
    platform::SetAudioBackend(&audio);
    {
        EngineSettings settings;
        settings.headless = true;
        Engine engine(settings);
        float x = 0.0f, y = 0.0f;
        if (path.empty() || !bench::StartBenchStage(engine, path, x, y))
            state.SkipWithError("the stage did not start");
        for (auto _ : state)
        {
            bench::HoldShip(engine, x, y);
            engine.UpdatePlaying();
            // The recorder would otherwise grow by every sound of every step.
            audio.calls.clear();
        }
        state.counters["walls"] = static_cast<double>(engine.level.walls.size());
        state.counters["entities"] = static_cast<double>(engine.level.entities.size());
    }
    platform::SetAudioBackend(nullptr);
}

void BM_UpdatePlayingShipped(benchmark::State& state)
{
    static const std::string path = bench::LargestShippedMap();
    StepLoop(state, path);
}
BENCHMARK(BM_UpdatePlayingShipped)->Unit(benchmark::kMicrosecond);

void BM_UpdatePlayingStress(benchmark::State& state)
{
    static const std::string path = bench::StressMap(3000, 300);
    StepLoop(state, path);
}
BENCHMARK(BM_UpdatePlayingStress)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
