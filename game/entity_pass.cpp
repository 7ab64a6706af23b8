// The update pass over the entity list and the reaping of the dead. Deletion waits until the
// whole pass has run and every other entity has forgotten the dead: kinds keep pointers to
// each other (targets, partners, carried entities), and an entity may look at another that
// died earlier in the same pass.
#include "game/engine.h"

#include "game/entity.h"

#include <algorithm>

void Engine::UpdateEntities()
{
    std::vector<Entity*> gone;
    // A std::list iterator survives push_back: entities released during the pass are
    // reached by this loop and updated in the same step.
    for (auto it = entities.begin(); it != entities.end(); ++it)
    {
        if (UpdateEntityReapDead(*it))
            gone.push_back(*it);
    }
    ReapDeadEntities(gone);
}

void Engine::ReapDeadEntities(const std::vector<Entity*>& gone)
{
    if (gone.empty())
        return;
    std::vector<const Entity*> goneSet(gone.begin(), gone.end());
    std::sort(goneSet.begin(), goneSet.end());
    auto isGone = [&goneSet](const Entity* entity) {
        return std::binary_search(goneSet.begin(), goneSet.end(), entity);
    };

    for (Entity* entity : entities)
    {
        if (!isGone(entity))
            entity->ForgetEntities(goneSet);
    }
    entities.remove_if([&isGone](Entity* entity) {
        if (!isGone(entity))
            return false;
        delete entity;
        return true;
    });
}
