#include "game/entities/rotator.h"

#include "engine/data_file.h"
#include "game/engine.h"
#include "game/entities/carried_walls.h"

#include <algorithm>
#include <cmath>

Rotator::Rotator()
{
    health = 99999.0f;
}

bool Rotator::Load(DataFile& file)
{
    return LoadBase(file) && ReadNameField(file, name) && ReadFloat32(file, speed) &&
           ReadInt32(file, increments) && ReadInt32(file, radius);
}

void Rotator::Spawn(float px, float py)
{
    Entity::Spawn(px, py);
    angle = 0.0f;
    health = 99999.0f;
}

void Rotator::Update()
{
    // A speed from the file that is not a number would turn everything into nowhere.
    if (increments < 0 || (increments > 0 && angle == 0.0f) || !std::isfinite(speed))
        return;
    const float r = speed * 0.017453292f;
    const float c = std::cos(r);
    const float s = std::sin(r);
    auto turn = [this, c, s](float& px, float& py)
    {
        const float dx = px - x;
        const float dy = py - y;
        px = x + dx * c - dy * s;
        py = y + dx * s + dy * c;
    };

    for (Entity* entity : carriedEntities)
    {
        turn(entity->x, entity->y);
        entity->prevX = entity->x;
        entity->prevY = entity->y;
        entity->angle += speed;
        entity->UpdateCollisionPoints();
    }
    for (Beam* wall : carriedWalls)
    {
        float x1 = wall->x1, y1 = wall->y1;
        float x2 = wall->x2, y2 = wall->y2;
        turn(x1, y1);
        turn(x2, y2);
        // Rebuilt, so the normal and direction turn with the wall; the colours stay.
        wall->CopyFrom(Segment(x1, y1, x2, y2));
    }

    angle += speed;
    const float limit = static_cast<float>(increments);
    if (angle > limit || angle < -limit)
        angle = 0.0f;

    PlayerShip& ship = gEngine->ship;
    if (ship.landed && Distance(ship.x, ship.y, x, y) <= static_cast<float>(radius))
    {
        const float beforeX = ship.x;
        const float beforeY = ship.y;
        turn(ship.x, ship.y);
        ship.prevX = ship.x;
        ship.prevY = ship.y;
        ship.angle += speed;
        ship.UpdateCollisionPoints();
        // Taking off from a turning floor keeps the motion the turn gave this tick.
        if (gEngine->input[ButtonFire].value == ButtonState::Pressed)
        {
            ship.vx += ship.x - beforeX;
            ship.vy += ship.y - beforeY;
        }
    }
}

void Rotator::Activate()
{
    Sample* samples = gEngine->res.samples;
    if (increments > 0)
    {
        angle += speed;
        samples[sfx::ButtonAccess].Play();
        return;
    }
    if (angle == 0.0f)
    {
        speed = -speed;
        samples[sfx::ButtonAccess].Stop();
        samples[sfx::ButtonAccess].Play();
    }
    else
        samples[sfx::ButtonDenied].Play();
}

void Rotator::ForgetEntities(const std::vector<const Entity*>& gone)
{
    ForgetIn(carriedEntities, gone);
}

void Rotator::AttachWalls()
{
    WallGrid& grid = gEngine->level.wallGrid;
    if (grid.IsEmpty())
        return;
    const int cx = SaturatingTrunc(x - gEngine->level.minX) / WallGrid::kCellSize;
    const int cy = SaturatingTrunc(y - gEngine->level.minY) / WallGrid::kCellSize;
    // The reach of each wall's far end while turning, in cells.
    std::vector<int> reach;
    reach.reserve(carriedWalls.size());
    long long entries = 0;
    for (const Beam* wall : carriedWalls)
    {
        const float d1 = Distance(x, y, wall->x1, wall->y1);
        const float d2 = Distance(x, y, wall->x2, wall->y2);
        const int k = SaturatingTrunc(std::max(2.0f * d1, 2.0f * d2) / 100.0f);
        reach.push_back(k);
        entries += CellsInside(grid, cx - k - 1, cx + k, cy - k - 1, cy + k);
    }
    if (!grid.ReserveCarriedEntries(entries))
        return;
    for (std::size_t i = 0; i < carriedWalls.size(); ++i)
    {
        const int k = reach[i];
        AddWallToCells(grid, carriedWalls[i], cx - k - 1, cx + k, cy - k - 1, cy + k);
    }
}
