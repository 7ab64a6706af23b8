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

LaunchedMissile::LaunchedMissile()
{
    type = static_cast<std::int32_t>(EntityKind::LaunchedMissile);
    AddCircle(7.0f, 0.0f, -8.0f);
    health = kFullLife;
    points = 50;
}

Seeker::Seeker()
{
    type = static_cast<std::int32_t>(EntityKind::Seeker);
    AddCircle(7.0f, 0.0f, 0.0f);
    health = kFullLife;
    points = 50;
}

Wasp::Wasp()
{
    type = static_cast<std::int32_t>(EntityKind::Wasp);
    AddCircle(7.0f, 0.0f, 0.0f);
    health = kFullLife;
    points = 75;
}
