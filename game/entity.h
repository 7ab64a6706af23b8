// Entity: the base of every stage object other than walls, shots and particles, with its six
// virtual operations in slot order (Load, Spawn, Update, HitTest, Kill, Activate), and the
// factory that turns a ".map" type code into a new object.
//
// Ownership: the Engine's entity list owns its entities. Kinds that point at other entities
// (partners, targets, carried entities, a platform's end points) own none of them and drop
// them in ForgetEntities, which the Engine calls for every entity before it deletes dead
// ones; so no entity pointer outlives its entity.
#pragma once

#include "engine/geometry.h"

#include <cstdint>
#include <list>
#include <vector>

class DataFile;

using CircleList = std::list<Circle>;

class Entity
{
public:
    Entity() = default;
    virtual ~Entity() = default;
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;

    // Reads the record from angle onward (the loader has read the type); false at the first
    // failed field. The base reads angle, x, y.
    virtual bool Load(DataFile& file);
    // Every kind places itself in its own way; the base rule, which a kind keeps until its
    // own behaviour is written: position and previous position := (px, py), circles placed,
    // alive.
    virtual void Spawn(float px, float py);
    // One 0.01 s tick. The base rule is that of a kind that stays put: previous position :=
    // position.
    virtual void Update();
    // The circle list is the callee's own copy. `flag` false asks for no hit at all (the
    // kinds that react to a touch only react when it is set); the base ignores it.
    virtual bool HitTest(CircleList circles, bool flag = true);
    virtual void Kill();
    virtual void Activate();

    // Drops every pointer this entity holds to any of `gone`, which are about to be deleted.
    virtual void ForgetEntities(const std::vector<const Entity*>& gone);

    // The body of the base Load: angle, x, y.
    bool LoadBase(DataFile& file);
    // Recomputes each shape circle's centre from position and angle.
    void UpdateCollisionPoints();

    std::int32_t type = 0;
    float x = 0.0f, y = 0.0f;
    float prevX = 0.0f, prevY = 0.0f;
    float angle = 0.0f;
    float health = 0.0f;
    bool dead = false;
    CircleList shape;
    std::int32_t points = 0;

protected:
    void AddCircle(float radius, float offsetX, float offsetY);
};

// A new entity of the kind with its type set, or null for 21, codes above 24 and negative
// codes. Code 14 is a Rock with health 3.0 and a first circle of radius 20.0. The map reader,
// not the factory, counts the reactors.
Entity* CreateEntity(std::int32_t type);

// Places a circle list that is not an entity's shape; nothing for an empty list.
void UpdateCollisionPoints(CircleList& circles, float angle, float x, float y);

// Updates the entity and tells whether it is now dead and due for removal. The caller
// deletes it only after every other entity has dropped its pointers to it
// (Engine::ReapDeadEntities).
bool UpdateEntityReapDead(Entity* entity);

// Dead flag set or health <= 0.
bool EntityIsDead(const Entity* entity);

// Removes every pointer to a gone entity from a pointer list (helper for ForgetEntities).
void ForgetIn(std::vector<Entity*>& list, const std::vector<const Entity*>& gone);
// Clears the pointer when it points at a gone entity.
void ForgetIn(Entity*& pointer, const std::vector<const Entity*>& gone);
