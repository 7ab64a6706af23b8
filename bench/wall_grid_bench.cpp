// Wall queries through the grid against a plain loop over every wall, on a generated cave of
// 5,000 walls, with a ship-sized circle (radius 10). scripts/bench prints the ratios.
#include "engine/collision.h"
#include "engine/wall_grid.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace
{

constexpr int kWalls = 5000;

struct Cave
{
    std::vector<Beam> walls;
    float minX = 1000, minY = 0, maxX = 0, maxY = 0;
    std::vector<Circle> probes;
    WallGrid grid;

    Cave()
    {
        // Tunnel outlines: random walks of 25-60 unit steps that turn gently, as a cave
        // drawn in the editor does, spread over about 12,000 x 6,000 units.
        std::mt19937 random(20240601);
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        while (static_cast<int>(walls.size()) < kWalls)
        {
            float x = unit(random) * 12000.0f, y = unit(random) * 6000.0f;
            float heading = unit(random) * 6.2831853f;
            for (int step = 0; step < 100 && static_cast<int>(walls.size()) < kWalls; ++step)
            {
                heading += (unit(random) - 0.5f) * 0.8f;
                float length = 25.0f + unit(random) * 35.0f;
                float nx = x + std::cos(heading) * length, ny = y + std::sin(heading) * length;
                Beam wall;
                wall.CopyFrom(Segment(x, y, nx, ny));
                walls.push_back(wall);
                x = nx;
                y = ny;
            }
        }
        // The bounds as the level loader computes them.
        for (const Beam& w : walls)
        {
            minX = std::min({minX, w.x1, w.x2});
            maxX = std::max({maxX, w.x1, w.x2});
            maxY = std::max({maxY, w.y1, w.y2});
        }
        grid.Build(walls, minX, minY, maxX, maxY);
        // Half the probes sit on walls (hits), half anywhere (mostly open space).
        for (int i = 0; i < 4096; ++i)
        {
            if (i % 2 == 0)
            {
                const Beam& w = walls[random() % walls.size()];
                probes.emplace_back(10.0f, w.x1 + 5.0f, w.y1 - 5.0f);
            }
            else
            {
                probes.emplace_back(10.0f, minX + unit(random) * (maxX - minX),
                                    unit(random) * maxY);
            }
        }
    }
};

const Cave& TheCave()
{
    static const Cave cave;
    return cave;
}

bool BruteCollide(const std::vector<Beam>& walls, const Circle& circle, Vec2& normal)
{
    for (const Beam& w : walls)
    {
        if (CircleHitsSegment(w, circle))
        {
            normal.x += w.nx;
            normal.y += w.ny;
            return true;
        }
    }
    return false;
}

void GridCollideWithWalls(benchmark::State& state)
{
    const Cave& cave = TheCave();
    std::size_t i = 0;
    std::vector<Circle> shape(1);
    for (auto _ : state)
    {
        shape[0] = cave.probes[i++ & 4095];
        Vec2 normal;
        benchmark::DoNotOptimize(cave.grid.CollideWithWalls(shape, normal));
        benchmark::DoNotOptimize(normal);
    }
}
BENCHMARK(GridCollideWithWalls);

void BruteCollideWithWalls(benchmark::State& state)
{
    const Cave& cave = TheCave();
    std::size_t i = 0;
    for (auto _ : state)
    {
        Vec2 normal;
        benchmark::DoNotOptimize(BruteCollide(cave.walls, cave.probes[i++ & 4095], normal));
        benchmark::DoNotOptimize(normal);
    }
}
BENCHMARK(BruteCollideWithWalls);

void GridFindWallsHit(benchmark::State& state)
{
    const Cave& cave = TheCave();
    std::size_t i = 0;
    std::vector<const Beam*> hits;
    hits.reserve(64);
    for (auto _ : state)
    {
        hits.clear();
        benchmark::DoNotOptimize(cave.grid.FindWallsHit(cave.probes[i++ & 4095], hits));
    }
}
BENCHMARK(GridFindWallsHit);

void BruteFindWallsHit(benchmark::State& state)
{
    const Cave& cave = TheCave();
    std::size_t i = 0;
    std::vector<const Beam*> hits;
    hits.reserve(64);
    for (auto _ : state)
    {
        hits.clear();
        const Circle& circle = cave.probes[i++ & 4095];
        for (const Beam& w : cave.walls)
        {
            if (CircleHitsSegment(w, circle))
                hits.push_back(&w);
        }
        benchmark::DoNotOptimize(hits.data());
    }
}
BENCHMARK(BruteFindWallsHit);

void GridBuild(benchmark::State& state)
{
    const Cave& cave = TheCave();
    WallGrid grid;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            grid.Build(cave.walls, cave.minX, cave.minY, cave.maxX, cave.maxY));
    state.counters["cells"] = grid.Width() * grid.Height();
}
BENCHMARK(GridBuild)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
