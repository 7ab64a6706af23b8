#include "game/entities/switches.h"

#include "engine/collision.h"
#include "engine/data_file.h"
#include "game/effects/emitters.h"
#include "game/engine.h"

namespace
{

// Timer values that no stage lasts long enough to reach.
constexpr float kNeverOn = 99999.0f;
constexpr float kNeverOff = 999999.0f;
constexpr float kForever = 9999999.0f;

void AddImpact(float x, float y)
{
    AddEmitter(new ImpactEmitter, x, y);
}

void ActivateAll(const std::vector<Entity*>& targets)
{
    for (Entity* target : targets)
        target->Activate();
}

} // namespace

// ---- ForceField ------------------------------------------------------------------------

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

void ForceField::Spawn(float px, float py)
{
    Entity::Spawn(px, py);
    // The links may switch the field on before its first Update: its beams need these.
    PlaceEmitter();
    switchTimer = startupDelay;
    on = false;
    if (offTime == 0.0f)
        switchTimer = kNeverOn;
    health = 99999.0f;
}

void ForceField::PlaceEmitter()
{
    Vec2 facing;
    AngleToVectors(angle, facing, direction);
    emitterPoint = Vec2(x - 10.0f * direction.x, y - 10.0f * direction.y);
}

void ForceField::Update()
{
    prevX = x;
    prevY = y;
    PlaceEmitter();
    switchTimer -= 0.01f;
    if (switchTimer <= 0.0f && !on)
    {
        if (onTime <= 0.0f)
            Switch();
        else
        {
            switchTimer = onTime;
            on = true;
            AddBeams(onTime);
            AddImpact(x, y);
        }
    }
    if (switchTimer <= 0.0f && on)
    {
        // The beams run out by their own life.
        switchTimer = offTime > 0.0f ? offTime : kForever;
        on = false;
        AddImpact(x, y);
    }
}

void ForceField::Activate()
{
    gEngine->res.samples[sfx::ButtonAccess].Play();
    Switch();
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
        AddImpact(x, y);
        return;
    }
    on = true;
    const float life = onTime == 0.0f ? kForever : onTime;
    switchTimer = life;
    AddBeams(life);
    if (partners.empty())
        AddImpact(x, y);
    AddImpact(x, y);
}

// ---- Button ----------------------------------------------------------------------------

Button::Button()
{
    AddCircle(10.0f, 0.0f, -5.0f);
    health = 1009.0f;
}

bool Button::Load(DataFile& file)
{
    return LoadBase(file) && ReadNameField(file, target);
}

void Button::Spawn(float px, float py)
{
    Entity::Spawn(px, py);
    rearmTimer = 0.0f;
    guard = true;
    health = 1009.0f;
}

void Button::Update()
{
    prevX = x;
    prevY = y;
    guard = false;
    rearmTimer -= 0.01f;
}

bool Button::HitTest(CircleList circles, bool flag)
{
    if (!flag)
        return false;
    for (const Circle& theirs : circles)
    {
        for (const Circle& ours : shape)
        {
            if (!CirclesOverlap(theirs, ours))
                continue;
            health += 10.0f;
            if (!guard)
                Press();
            return true;
        }
    }
    return false;
}

void Button::Press()
{
    if (rearmTimer > 0.0f)
        return;
    rearmTimer = 1.0f;
    ActivateAll(targets);
}

void Button::ForgetEntities(const std::vector<const Entity*>& gone)
{
    ForgetIn(targets, gone);
}

// ---- AreaTrigger -----------------------------------------------------------------------

AreaTrigger::AreaTrigger()
{
    health = 9999.0f;
}

bool AreaTrigger::Load(DataFile& file)
{
    return LoadBase(file) && ReadNameField(file, target) && ReadInt32(file, radius);
}

void AreaTrigger::Spawn(float px, float py)
{
    // One circle, however often the trigger is placed.
    shape.clear();
    AddCircle(static_cast<float>(radius), 0.0f, 0.0f);
    Entity::Spawn(px, py);
    rearmTimer = 0.0f;
    guard = true;
    touched = false;
    health = 9999.0f;
}

void AreaTrigger::Update()
{
    guard = false;
    rearmTimer -= 0.01f;
}

bool AreaTrigger::HitTest(CircleList circles, bool flag)
{
    const CircleList& shipShape = gEngine->ship.shape;
    if (!flag || shipShape.empty() || shape.empty())
        return false;
    const Circle& hull = shipShape.front();
    for (const Circle& circle : circles)
    {
        if (circle.x != hull.x || circle.y != hull.y)
            continue;
        if (CirclesOverlap(circle, shape.front()))
        {
            health += 10.0f;
            if (!guard)
                Fire();
        }
        else
            touched = false;
        return false;
    }
    // Not the ship's list (a shot's): nothing to do.
    return false;
}

void AreaTrigger::Fire()
{
    if (touched || rearmTimer > 0.0f)
        return;
    touched = true;
    rearmTimer = 1.0f;
    ActivateAll(targets);
}

void AreaTrigger::ForgetEntities(const std::vector<const Entity*>& gone)
{
    ForgetIn(targets, gone);
}

// ---- TargetInfo ------------------------------------------------------------------------

TargetInfo::TargetInfo()
{
    health = 1.0f;
}

bool TargetInfo::Load(DataFile& file)
{
    return LoadBase(file) && ReadNameField(file, name);
}

void TargetInfo::Spawn(float px, float py)
{
    Entity::Spawn(px, py);
    health = 1.0f;
}

void TargetInfo::Update()
{
    prevX = x;
    prevY = y;
    if (health <= 5.0f)
        health += 5.0f;
}
