#include "game/entities/turrets.h"

namespace
{

constexpr float kTurretCircles[2][3] = {{10.0f, -7.0f, -5.0f}, {10.0f, 7.0f, -5.0f}};

} // namespace

BlueTurret::BlueTurret()
{
    for (const auto& c : kTurretCircles)
        AddCircle(c[0], c[1], c[2]);
    health = 1.0f;
    points = 20;
}

void BlueTurret::Spawn(float px, float py)
{
    SpawnAt(px, py);
}

void BlueTurret::Update()
{
    HoldPosition();
}

RedTurret::RedTurret()
{
    points = 25;
}

void RedTurret::Update()
{
    HoldPosition();
}

GreenTurret::GreenTurret()
{
    for (const auto& c : kTurretCircles)
        AddCircle(c[0], c[1], c[2]);
    health = 1.0f;
    points = 35;
}

void GreenTurret::Spawn(float px, float py)
{
    SpawnAt(px, py);
}

void GreenTurret::Update()
{
    HoldPosition();
}

BlueTank::BlueTank()
{
    for (const auto& c : kTurretCircles)
        AddCircle(c[0], c[1], c[2]);
    AddCircle(10.0f, 0.0f, -10.0f);
    health = 1.0f;
    points = 30;
    leftFeeler.emplace_back(1.0f, 0.0f, 0.0f, -17.0f, 0.0f);
    rightFeeler.emplace_back(1.0f, 0.0f, 0.0f, 17.0f, 0.0f);
}

void BlueTank::Spawn(float px, float py)
{
    SpawnAt(px, py);
    ::UpdateCollisionPoints(leftFeeler, angle, x, y);
    ::UpdateCollisionPoints(rightFeeler, angle, x, y);
}

void BlueTank::Update()
{
    HoldPosition();
}
