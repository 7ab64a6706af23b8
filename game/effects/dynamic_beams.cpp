// The dynamic beams' step: refit to the anchors, cut a cast beam at the first wall, flicker.
#include "game/effects/dynamic_beams.h"

#include "engine/collision.h"
#include "game/effects/emitters.h"
#include "game/engine.h"

#include <cstdlib>
#include <list>

namespace
{

void Rebuild(DynamicBeam& b, float x2, float y2)
{
    b.beam.CopyFrom(Segment(b.anchorA->x, b.anchorA->y, x2, y2));
}

// Casts the beam 500 units against its direction and cuts it at the first wall one of the
// ten probes finds.
void Cast(DynamicBeam& b)
{
    const Vec2 a = *b.anchorA;
    const Vec2 m(b.direction->x * 500.0f, b.direction->y * 500.0f);
    Rebuild(b, a.x - m.x, a.y - m.y);
    if (!(b.beam.length > 0.0f))
        return; // no direction: nothing to probe along
    std::list<const Beam*> hit;
    for (int i = 0; i < 10; ++i)
    {
        const float t = 0.1f * static_cast<float>(i);
        const Circle probe(35.0f, a.x - m.x * t, a.y - m.y * t);
        hit.clear(); // each probe lists its own walls only
        if (!gEngine->FindWallsHit(probe, hit))
            continue;
        bool found = false;
        float best = 150.0f;
        Vec2 cut;
        for (const Beam* wall : hit)
        {
            Vec2 point;
            if (!SegmentsIntersect(*wall, b.beam, point))
                continue;
            const float distance = Distance(point.x, point.y, probe.x, probe.y);
            if (distance < best)
            {
                best = distance;
                cut = point;
                found = true;
            }
        }
        if (found)
        {
            Rebuild(b, cut.x, cut.y);
            return;
        }
    }
}

void Flicker(Beam& beam)
{
    beam.startRed = beam.endRed = 0.5f + 0.01f * static_cast<float>(std::rand() % 100);
    beam.startGreen = beam.endGreen = 0.01f * static_cast<float>(std::rand() % 100);
}

bool Moved(const Vec2* anchor, const Vec2& last)
{
    return anchor->x != last.x || anchor->y != last.y;
}

} // namespace

bool DynamicBeamStep(DynamicBeam& b)
{
    b.life -= 0.01f;
    if (b.anchorA != nullptr && b.anchorB != nullptr)
    {
        if (!b.built || Moved(b.anchorA, b.lastA) || Moved(b.anchorB, b.lastB))
        {
            Rebuild(b, b.anchorB->x, b.anchorB->y);
            b.lastA = *b.anchorA;
            b.lastB = *b.anchorB;
            b.built = true;
        }
    }
    else if (b.anchorA != nullptr && b.direction != nullptr)
    {
        if (gEngine->totalSteps % 25 == 0)
            AddEmitter(new ImpactEmitter, b.beam.x2, b.beam.y2);
        if (!b.built || Moved(b.anchorA, b.lastA))
        {
            b.lastA = *b.anchorA;
            b.built = true;
            Cast(b);
        }
    }
    Flicker(b.beam);
    return b.life <= 0.0f;
}

void UpdateDynamicBeams(std::list<DynamicBeam>& beams)
{
    beams.remove_if(DynamicBeamStep);
}
