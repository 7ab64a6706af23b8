#include "game/entities/seekers.h"

#include "game/map_format.h"

namespace
{

constexpr float kFullLife = 1.0f;

} // namespace

HomingMissile::HomingMissile()
{
    AddCircle(7.0f, 0.0f, -5.0f);
    health = kFullLife;
    points = 30;
}

void HomingMissile::Spawn(float px, float py)
{
    SpawnAt(px, py);
}

void HomingMissile::Update()
{
    HoldPosition();
}

LaunchedMissile::LaunchedMissile()
{
    AddCircle(7.0f, 0.0f, -8.0f);
    health = kFullLife;
    points = 50;
}

void LaunchedMissile::Spawn(float px, float py)
{
    type = static_cast<std::int32_t>(EntityKind::LaunchedMissile);
    SpawnAt(px, py);
}

void LaunchedMissile::Update()
{
    HoldPosition();
}

Seeker::Seeker()
{
    AddCircle(7.0f, 0.0f, 0.0f);
    health = kFullLife;
    points = 50;
}

void Seeker::Spawn(float px, float py)
{
    type = static_cast<std::int32_t>(EntityKind::Seeker);
    SpawnAt(px, py);
}

void Seeker::Update()
{
    HoldPosition();
}

Wasp::Wasp()
{
    AddCircle(7.0f, 0.0f, 0.0f);
    health = kFullLife;
    points = 75;
}

void Wasp::Spawn(float px, float py)
{
    type = static_cast<std::int32_t>(EntityKind::Wasp);
    SpawnAt(px, py);
}

void Wasp::Update()
{
    HoldPosition();
}
