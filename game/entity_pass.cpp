// The update pass over the entity list and the reaping of the dead. Deletion waits until the
// whole pass has run and every entity has forgotten the dead: kinds keep pointers to each
// other (targets, partners, carried entities, a platform's end points), and an entity may
// look at another that died earlier in the same pass.
#include "engine/map_format.h"
#include "game/engine.h"
#include "game/entities/switches.h"
#include "game/entity.h"

#include <algorithm>

void Engine::UpdateEntities()
{
    // An entity is removed in the pass in which its own update returns with it dead. One
    // killed by a later entity after its update stays for one more update, in the next pass.
    // A std::list iterator survives push_back: entities released during the pass are reached
    // by this loop and updated in the same step.
    std::vector<const Entity*> gone;
    for (auto it = level.entities.begin(); it != level.entities.end(); ++it)
    {
        if (UpdateEntityReapDead(*it))
            gone.push_back(*it);
    }
    ReapDeadEntities(gone);
}

void Engine::ReapDeadEntities(const std::vector<const Entity*>& gone)
{
    if (gone.empty())
        return;
    DropDeadLinks(gone);
    level.entities.remove_if(
        [&gone](Entity* entity)
        {
            if (std::find(gone.begin(), gone.end(), entity) == gone.end())
                return false;
            delete entity;
            return true;
        });
}

void Engine::DropDeadLinks(const std::vector<const Entity*>& gone)
{
    for (Entity* entity : level.entities)
        entity->ForgetEntities(gone);
    // A force's stream and a missile's trail read their entity: they let go of it here.
    for (Emitter* emitter : effects.emitters)
        emitter->ForgetEntities(gone);
    // The beams of a force field follow points inside it.
    effects.dynamicBeams.remove_if(
        [&gone](const DynamicBeam& beam)
        {
            for (const Entity* entity : gone)
            {
                if (entity->type != static_cast<std::int32_t>(EntityKind::ForceField))
                    continue;
                auto field = static_cast<const ForceField*>(entity);
                if (beam.anchorA == &field->emitterPoint || beam.anchorB == &field->emitterPoint ||
                    beam.direction == &field->direction)
                    return true;
            }
            return false;
        });
}
