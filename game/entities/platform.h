// The MovingPlatform: carries walls, the entities on them and a landed ship between two
// TargetInfo points. Invisible, no shape. Engine::LinkEntities resolves its end points and
// fills its carried lists, then calls AttachWalls.
//
// It stops where it comes within twice its speed of a point (it is not snapped onto it),
// rests the stop time at the end point, and turns at the start point at once when it
// repeats. A platform that cannot travel (an end point gone, both points in one place, a
// speed of 0 or less or not finite) stays where it is and refuses activation.
#pragma once

#include "engine/map_format.h"
#include "game/entity.h"

class MovingPlatform : public Entity
{
public:
    MovingPlatform();
    bool Load(DataFile& file) override;
    void Spawn(float px, float py) override;
    void Update() override;
    // Starts a stopped platform (ButtonAccess); ButtonDenied while it runs, rests after a
    // run, or cannot travel.
    void Activate() override;
    void ForgetEntities(const std::vector<const Entity*>& gone) override;

    // Once after linking: without both end points the platform dies; otherwise it jumps to
    // its start point with everything it carries, and its walls are entered into the grid
    // cells along its path.
    void AttachWalls();

    char name[kNameSize] = "none";
    char startTarget[kNameSize] = "info_target";
    char endTarget[kNameSize] = "info_target";
    std::int32_t radius = 0;
    float speed = 0.0f;
    float stopTime = 0.0f;
    bool repeat = false;
    bool startOn = false;

    Entity* startPoint = nullptr;
    Entity* endPoint = nullptr;
    std::vector<Entity*> carriedEntities;
    std::vector<Beam*> carriedWalls;
    float stopTimer = 0.0f;
    bool running = false;
    bool outbound = true;
    bool returning = false;

private:
    // The unit vector of this tick's step (towards the end point when outbound), or false
    // when the platform cannot travel.
    bool StepDirection(Vec2& unit) const;
    // Moves everything carried by -(dx, dy), previous positions too.
    void Carry(float dx, float dy);
};
