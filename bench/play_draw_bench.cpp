// Engine::Draw of the playing state with the ship in play, on a real window (Xvfb with
// Mesa's software renderer under scripts/bench): the largest shipped stage (goal: 200 frames
// a second or more) and the generated stress stage of 3,000 walls and 300 entities. Each
// frame ends with glFinish, so the figure is the whole frame's cost.
#include "bench/stress_stage.h"
#include "platform/audio.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

namespace
{

// One window for the whole run: the benchmark library calls each benchmark several times,
// and a window opened again right after SDL shut down is not always granted.
Engine* TheEngine()
{
    static platform::RecordingAudio audio;
    static Engine* engine = nullptr;
    static bool tried = false;
    if (!tried)
    {
        tried = true;
        platform::SetAudioBackend(&audio);
        engine = new Engine(EngineSettings{});
        if (!engine->Start())
            engine = nullptr; // left to the process's end, like the window
    }
    return engine;
}

void DrawLoop(benchmark::State& state, const std::string& path)
{
    Engine* engine = TheEngine();
    float x = 0.0f, y = 0.0f;
    if (engine == nullptr)
    {
        state.SkipWithError("no window (run under Xvfb)");
        return;
    }
    if (path.empty() || !bench::StartBenchStage(*engine, path, x, y))
    {
        state.SkipWithError("the stage did not start");
        return;
    }
    // Past the stage introduction's fade.
    for (int i = 0; i < 100; ++i)
    {
        bench::HoldShip(*engine, x, y);
        engine->UpdatePlaying();
    }
    for (auto _ : state)
    {
        engine->Draw(0.5f);
        glFinish();
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DrawPlayingShipped(benchmark::State& state)
{
    static const std::string path = bench::LargestShippedMap();
    DrawLoop(state, path);
}
BENCHMARK(BM_DrawPlayingShipped)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DrawPlayingStress(benchmark::State& state)
{
    static const std::string path = bench::StressMap(3000, 300);
    DrawLoop(state, path);
}
BENCHMARK(BM_DrawPlayingStress)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    // The game reads its data from the working folder.
    if (chdir(CAV_RUN_DIR) != 0)
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
