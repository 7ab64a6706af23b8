#include "game/entities/space_men.h"

#include "engine/data_file.h"
#include "game/map_format.h"

SpaceMan::SpaceMan()
{
    AddCircle(6.0f, 0.0f, 0.0f);
    health = 1.0f;
    feetProbe.emplace_back(2.0f, 0.0f, 0.0f);
}

FuelPod::FuelPod()
{
    AddCircle(15.0f, 0.0f, -13.0f);
    health = 1.0f;
    points = 15;
}

Beacon::Beacon()
{
    AddCircle(25.0f, 0.0f, -25.0f);
    health = 1.0f;
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

bool Force::HitTest(CircleList, bool)
{
    return false;
}
