// The stages the benchmarks run on: the largest shipped map, and a generated stress
// stage (a jagged cave ring with pillars, entities of every placeable kind) with a free spot
// for the ship in its middle.
#pragma once

#include "engine/map_format.h"
#include "game/engine.h"
#include "game/entity.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace bench
{

inline std::string LargestShippedMap()
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

// Walls in a ring of radius ~3000 around (3500, 3500), the rest as short pillars inside;
// entities spread over the inside. Empty string when it cannot be written.
inline std::string StressMap(int wallCount, int entityCount)
{
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("cav_stress_" + std::to_string(wallCount) + ".map"))
                                 .string();
    MapDocument map;
    std::srand(7);
    const int ringWalls = wallCount * 3 / 5;
    const float pi = 3.14159265f;
    for (int i = 0; i < ringWalls; ++i)
    {
        float a1 = 2.0f * pi * static_cast<float>(i) / static_cast<float>(ringWalls);
        float a2 = 2.0f * pi * static_cast<float>(i + 1) / static_cast<float>(ringWalls);
        float r1 = 3000.0f + static_cast<float>(std::rand() % 200);
        float r2 = 3000.0f + static_cast<float>(std::rand() % 200);
        Beam wall;
        wall.CopyFrom(Segment(3500.0f + r1 * std::cos(a1), 3500.0f + r1 * std::sin(a1),
                              3500.0f + r2 * std::cos(a2), 3500.0f + r2 * std::sin(a2)));
        wall.startRed = wall.endGreen = 1.0f;
        map.walls.push_back(wall);
    }
    for (int i = 0; static_cast<int>(map.walls.size()) < wallCount; ++i)
    {
        float cx = 800.0f + static_cast<float>((i * 37) % 5400);
        float cy = 800.0f + static_cast<float>((i * 91) % 5400);
        Beam wall;
        wall.CopyFrom(Segment(cx, cy, cx + 60.0f, cy + 25.0f));
        wall.startBlue = wall.endBlue = 1.0f;
        map.walls.push_back(wall);
    }
    for (int i = 0; i < entityCount; ++i)
    {
        MapEntityRecord record;
        if (!DefaultEntityRecord(i % kPlaceableKindCount, record))
            continue;
        record.x = 900.0f + static_cast<float>((i * 53) % 5200);
        record.y = 900.0f + static_cast<float>((i * 29) % 5200);
        map.entities.push_back(record);
    }
    map.title = "STRESS";
    map.password = "BENCH";
    map.endTimer = 30;
    return WriteMap(path, map) ? path : std::string();
}

// Starts the stage at `path` and brings the ship into play at a spot free of walls above
// its first reactor (or its start point); false when the stage does not start. The spot is
// written to (x, y).
inline bool StartBenchStage(Engine& engine, const std::string& path, float& x, float& y)
{
    engine.packs.rosters = {{path}};
    engine.packs.currentPack = 0;
    engine.NewGame();
    if (engine.gameState != Playing)
        return false;
    engine.menu.invincible = true;
    engine.menu.infiniteFuel = true;
    engine.menu.infiniteTime = true;
    x = 0.0f;
    y = -300.0f;
    for (const Entity* entity : engine.level.entities)
    {
        if (entity->type == static_cast<int>(EntityKind::Generator))
        {
            x = entity->x;
            y = entity->y - 60.0f;
            break;
        }
    }
    engine.ship.Spawn(x, y);
    for (float dy = 0.0f; dy < 2000.0f; dy += 37.0f)
    {
        Vec2 normal;
        engine.ship.y = y - dy;
        engine.ship.UpdateCollisionPoints();
        if (!engine.CollideWithWalls(engine.ship.shape, normal))
            break;
    }
    y = engine.ship.y;
    engine.ship.Spawn(x, y);
    return true;
}

// Keeps the ship hovering where the benchmark put it, alive and in play.
inline void HoldShip(Engine& engine, float x, float y)
{
    PlayerShip& ship = engine.ship;
    ship.exploded = false;
    ship.inPlay = true;
    ship.leaving = false;
    ship.x = ship.prevX = x;
    ship.y = ship.prevY = y;
    ship.vx = ship.vy = 0.0f;
}

} // namespace bench
