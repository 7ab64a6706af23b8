// Level loading, bounds, wall grid and clearing: the Engine's level methods.
#include "engine/data_file.h"
#include "engine/logger.h"
#include "engine/map_format.h"
#include "game/engine.h"
#include "game/entity.h"

namespace
{

// The map's counts and walls. The counts are checked against the file's size before
// anything is reserved for them, so a hostile count fails at once.
bool ReadWalls(DataFile& file, long fileSize, std::vector<Beam>& walls, std::int32_t& entityCount)
{
    std::int32_t beamCount = 0;
    if (!ReadInt32(file, beamCount) || !ReadInt32(file, entityCount))
        return false;
    if (!MapCountsFit(beamCount, entityCount, fileSize - kMapCountsSize))
        return false;
    walls.reserve(static_cast<std::size_t>(beamCount));
    for (std::int32_t i = 0; i < beamCount; ++i)
    {
        Beam wall;
        if (!ReadWallRecord(file, wall))
            return false;
        walls.push_back(wall);
    }
    return true;
}

bool ReadEntities(DataFile& file, std::int32_t entityCount, std::list<Entity*>& entities)
{
    for (std::int32_t i = 0; i < entityCount; ++i)
    {
        std::int32_t type = 0;
        if (!ReadInt32(file, type))
            return false;
        // A reactor counts as soon as its code is read, even when its record then fails.
        if (type == static_cast<std::int32_t>(EntityKind::Generator))
            ++gEngine->progress.generatorCount;
        Entity* entity = CreateEntity(type);
        if (entity == nullptr)
            return false;
        if (!entity->Load(file))
        {
            delete entity;
            return false;
        }
        entity->type = type;
        entity->Spawn(entity->x, entity->y);
        entities.push_back(entity);
    }
    return true;
}

} // namespace

bool Engine::LoadMap()
{
    const bool known = packs.currentPack >= 0 && static_cast<std::size_t>(packs.currentPack) < packs.rosters.size() &&
                       progress.stage >= 1 && static_cast<std::size_t>(progress.stage) <= packs.rosters[packs.currentPack].size();
    DataFile file;
    if (!known || !file.Open(packs.rosters[packs.currentPack][progress.stage - 1].c_str(), "rb"))
    {
        gLogger.Log("Failed To Load Map\n");
        return false;
    }
    ClearLevel();

    const long fileSize = FileSizeOf(file.Path());
    std::int32_t entityCount = 0;
    std::int32_t timer = 0;
    bool ok = ReadWalls(file, fileSize, level.walls, entityCount) &&
              ReadEntities(file, entityCount, level.entities) && ReadTitleField(file, level.title) &&
              ReadPasswordField(file, level.password) && ReadInt32(file, timer);
    // The tail must end the file: the stage rosters read title and password counted back
    // from the end, and a map with bytes after its tail would show them another password.
    if (ok && file.Offset() != fileSize)
    {
        gLogger.Log("Map has bytes after its tail\n");
        ok = false;
    }
    if (!ok)
    {
        gLogger.Log("Failed To Load Map\n");
        return false;
    }
    level.endTimer = timer;
    ComputeMapBounds();
    BuildWallGrid();
    LinkEntities();
    if (level.wallGrid.Refused())
    {
        gLogger.Log("Map refused: its walls reach too many grid cells\n");
        gLogger.Log("Failed To Load Map\n");
        return false;
    }
    return true;
}

void Engine::ComputeMapBounds()
{
    level.minX = 1000.0f;
    level.minY = 1000.0f;
    level.maxX = 0.0f;
    level.maxY = 0.0f;
    for (const Beam& wall : level.walls)
    {
        for (float wx : {wall.x1, wall.x2})
        {
            if (wx < level.minX)
                level.minX = wx;
            if (wx > level.maxX)
                level.maxX = wx;
        }
        for (float wy : {wall.y1, wall.y2})
        {
            if (wy < level.minY)
                level.minY = wy;
            if (wy > level.maxY)
                level.maxY = wy;
        }
    }
    // The sky is open: the grid and the camera always start at y 0.
    level.minY = 0.0f;
}

void Engine::BuildWallGrid()
{
    level.wallGrid.Build(level.walls, level.minX, level.minY, level.maxX, level.maxY);
}

float Engine::MapWrapWidth() const
{
    if (level.walls.empty())
        return 0.0f;
    const float width = level.maxX - level.minX;
    return width > 0.0f ? width : 0.0f;
}

void Engine::WrapAroundMap(float& x, float& prevX) const
{
    const float width = MapWrapWidth();
    if (width <= 0.0f)
        return;
    if (x < level.minX)
    {
        x += width;
        prevX += width;
    }
    if (x > level.maxX)
    {
        x -= width;
        prevX -= width;
    }
}

void Engine::ClearLevel()
{
    level.walls.clear();
    effects.dynamicBeams.clear();
    level.wallGrid.Clear();
    for (Entity* entity : level.entities)
        delete entity;
    level.entities.clear();
    for (Emitter* emitter : effects.emitters)
        delete emitter;
    effects.emitters.clear();
    ship.fuelEmitter = nullptr; // it was in the list
    effects.enemyShots.clear();
    effects.playerShots.clear();
    effects.scorePopups.clear();
}
