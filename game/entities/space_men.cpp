#include "game/entities/space_men.h"

#include "engine/data_file.h"
#include "game/map_format.h"

SpaceMan::SpaceMan()
{
    AddCircle(6.0f, 0.0f, 0.0f);
    health = 1.0f;
    feetProbe.emplace_back(2.0f, 0.0f, 0.0f);
}

void SpaceMan::Spawn(float px, float py)
{
    SpawnAt(px, py);
}

void SpaceMan::Update()
{
    HoldPosition();
}

FuelPod::FuelPod()
{
    AddCircle(15.0f, 0.0f, -13.0f);
    health = 1.0f;
    points = 15;
}

void FuelPod::Spawn(float px, float py)
{
    SpawnAt(px, py);
}

void FuelPod::Update()
{
    HoldPosition();
}

Beacon::Beacon()
{
    AddCircle(25.0f, 0.0f, -25.0f);
    health = 1.0f;
}

void Beacon::Spawn(float px, float py)
{
    SpawnAt(px, py);
}

void Beacon::Update()
{
    HoldPosition();
}

bool Beacon::HitTest(CircleList, bool)
{
    return false;
}

Force::Force()
{
    health = 99999.0f;
}

bool Force::Load(DataFile& file)
{
    return LoadBase(file) && ReadInt32(file, radius);
}

void Force::Spawn(float px, float py)
{
    SpawnAt(px, py);
}

void Force::Update()
{
    HoldPosition();
}

bool Force::HitTest(CircleList, bool)
{
    return false;
}
