// The update pass over the entity list and the reaping of the dead. Deletion waits until the
// whole pass has run and every entity has forgotten the dead: kinds keep pointers to each
// other (targets, partners, carried entities, a platform's end points), and an entity may
// look at another that died earlier in the same pass.
#include "game/engine.h"
#include "game/entities/switches.h"
#include "game/entity.h"

void Engine::UpdateEntities()
{
    // A std::list iterator survives push_back: entities released during the pass are
    // reached by this loop and updated in the same step.
    for (auto it = level.entities.begin(); it != level.entities.end(); ++it)
        UpdateEntityReapDead(*it);
    ReapDeadEntities();
}

void Engine::ReapDeadEntities()
{
    DropDeadLinks();
    level.entities.remove_if(
        [](Entity* entity)
        {
            if (!entity->dead)
                return false;
            delete entity;
            return true;
        });
}

void Engine::DropDeadLinks()
{
    std::vector<const Entity*> gone;
    for (const Entity* entity : level.entities)
    {
        if (entity->dead)
            gone.push_back(entity);
    }
    if (gone.empty())
        return;
    for (Entity* entity : level.entities)
        entity->ForgetEntities(gone);
    // The beams of a force field follow points inside it.
    effects.dynamicBeams.remove_if(
        [&gone](const DynamicBeam& beam)
        {
            for (const Entity* entity : gone)
            {
                auto field = dynamic_cast<const ForceField*>(entity);
                if (field != nullptr &&
                    (beam.anchorA == &field->emitterPoint || beam.anchorB == &field->emitterPoint ||
                     beam.direction == &field->direction))
                    return true;
            }
            return false;
        });
}
