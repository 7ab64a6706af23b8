#include "game/entities/switches.h"

#include "engine/data_file.h"
#include "game/engine.h"

namespace
{

// A timer value that no stage lasts long enough to reach.
constexpr float kNeverOff = 999999.0f;
constexpr float kForever = 9999999.0f;

} // namespace

ForceField::ForceField()
{
    AddCircle(5.0f, 0.0f, -5.0f);
    health = 99999.0f;
}

bool ForceField::Load(DataFile& file)
{
    return LoadBase(file) && ReadNameField(file, name) && ReadNameField(file, target) &&
           ReadFloat32(file, startupDelay) && ReadFloat32(file, offTime) &&
           ReadFloat32(file, onTime);
}

void ForceField::ForgetEntities(const std::vector<const Entity*>& gone)
{
    ForgetIn(partners, gone);
}

void ForceField::AddBeams(float life)
{
    if (partners.empty())
    {
        DynamicBeam beam;
        beam.beam.CopyFrom(Segment(emitterPoint.x, emitterPoint.y,
                                   emitterPoint.x - 500.0f * direction.x,
                                   emitterPoint.y - 500.0f * direction.y));
        beam.beam.startRed = beam.beam.endRed = 1.0f;
        beam.life = life;
        beam.anchorA = &emitterPoint;
        beam.direction = &direction;
        beam.lastA = emitterPoint;
        beam.lastB = Vec2(beam.beam.x2, beam.beam.y2);
        gEngine->effects.dynamicBeams.push_back(beam);
        return;
    }
    for (Entity* entity : partners)
    {
        // Partners are force fields by construction (Engine::LinkEntities).
        ForceField* partner = static_cast<ForceField*>(entity);
        DynamicBeam beam;
        beam.beam.CopyFrom(Segment(x, y, partner->x, partner->y));
        beam.beam.startRed = beam.beam.endRed = 1.0f;
        beam.life = life;
        beam.anchorA = &emitterPoint;
        beam.anchorB = &partner->emitterPoint;
        beam.lastA = Vec2(x, y);
        beam.lastB = Vec2(partner->x, partner->y);
        gEngine->effects.dynamicBeams.push_back(beam);
    }
}

void ForceField::Switch()
{
    if (on)
    {
        if (onTime != 0.0f)
            return;
        on = false;
        switchTimer = offTime > 0.0f ? offTime : kNeverOff;
        for (DynamicBeam& beam : gEngine->effects.dynamicBeams)
        {
            if (beam.anchorA == &emitterPoint)
                beam.life = 0.0f;
        }
        return;
    }
    on = true;
    const float life = onTime == 0.0f ? kForever : onTime;
    switchTimer = life;
    AddBeams(life);
}

Button::Button()
{
    AddCircle(10.0f, 0.0f, -5.0f);
    health = 1009.0f;
}

bool Button::Load(DataFile& file)
{
    return LoadBase(file) && ReadNameField(file, target);
}

void Button::ForgetEntities(const std::vector<const Entity*>& gone)
{
    ForgetIn(targets, gone);
}

AreaTrigger::AreaTrigger()
{
    health = 9999.0f;
}

bool AreaTrigger::Load(DataFile& file)
{
    return LoadBase(file) && ReadNameField(file, target) && ReadInt32(file, radius);
}

void AreaTrigger::ForgetEntities(const std::vector<const Entity*>& gone)
{
    ForgetIn(targets, gone);
}

TargetInfo::TargetInfo()
{
    health = 1.0f;
}

bool TargetInfo::Load(DataFile& file)
{
    return LoadBase(file) && ReadNameField(file, name);
}
