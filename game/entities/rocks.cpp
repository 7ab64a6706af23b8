#include "game/entities/rocks.h"

#include "game/map_format.h"

Rock::Rock()
{
    AddCircle(12.0f, 0.0f, 0.0f);
    health = 1.0f;
    points = 5;
}

Tree::Tree()
{
    AddCircle(5.0f, 0.0f, -5.0f);
    health = 1.0f;
    points = 5;
}

DepthCharge::DepthCharge()
{
    AddCircle(7.0f, 0.0f, 0.0f);
    health = 1.0f;
    points = 10;
}

Volcano::Volcano()
{
    health = 9999.0f;
}

bool Volcano::HitTest(CircleList, bool)
{
    return false;
}

VolcanoDebris::VolcanoDebris()
{
    type = static_cast<std::int32_t>(EntityKind::VolcanoDebris);
    AddCircle(5.0f, 0.0f, 0.0f);
    health = 1.0f;
    points = 5;
}
