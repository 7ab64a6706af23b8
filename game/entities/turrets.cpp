#include "game/entities/turrets.h"

namespace
{

// Every turret's body: two circles side by side just above its base.
void AddTurretBody(CircleList& shape)
{
    shape.emplace_back(10.0f, 0.0f, 0.0f, -7.0f, -5.0f);
    shape.emplace_back(10.0f, 0.0f, 0.0f, 7.0f, -5.0f);
}

} // namespace

BlueTurret::BlueTurret()
{
    AddTurretBody(shape);
    health = 1.0f;
    points = 20;
}

RedTurret::RedTurret()
{
    points = 25;
}

GreenTurret::GreenTurret()
{
    AddTurretBody(shape);
    health = 1.0f;
    points = 35;
}

BlueTank::BlueTank()
{
    AddTurretBody(shape);
    AddCircle(10.0f, 0.0f, -10.0f);
    health = 1.0f;
    points = 30;
    leftFeeler.emplace_back(1.0f, 0.0f, 0.0f, -17.0f, 0.0f);
    rightFeeler.emplace_back(1.0f, 0.0f, 0.0f, 17.0f, 0.0f);
}

void BlueTank::Spawn(float px, float py)
{
    Entity::Spawn(px, py);
    ::UpdateCollisionPoints(leftFeeler, angle, x, y);
    ::UpdateCollisionPoints(rightFeeler, angle, x, y);
}
