#include "game/entities/rocks.h"

#include "game/map_format.h"

Rock::Rock()
{
    AddCircle(12.0f, 0.0f, 0.0f);
    health = 1.0f;
    points = 5;
}

void Rock::Spawn(float px, float py)
{
    SpawnAt(px, py);
}

void Rock::Update()
{
    HoldPosition();
}

Tree::Tree()
{
    AddCircle(5.0f, 0.0f, -5.0f);
    health = 1.0f;
    points = 5;
}

void Tree::Spawn(float px, float py)
{
    SpawnAt(px, py);
}

void Tree::Update()
{
    HoldPosition();
}

DepthCharge::DepthCharge()
{
    AddCircle(7.0f, 0.0f, 0.0f);
    health = 1.0f;
    points = 10;
}

void DepthCharge::Spawn(float px, float py)
{
    SpawnAt(px, py);
}

void DepthCharge::Update()
{
    HoldPosition();
}

Volcano::Volcano()
{
    health = 9999.0f;
}

void Volcano::Spawn(float px, float py)
{
    SpawnAt(px, py);
}

void Volcano::Update()
{
    HoldPosition();
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

void VolcanoDebris::Spawn(float px, float py)
{
    SpawnAt(px, py);
}

void VolcanoDebris::Update()
{
    HoldPosition();
}
