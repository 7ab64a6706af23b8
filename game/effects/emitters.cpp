// The emitter list's upkeep and what every kind shares.
#include "game/effects/emitters.h"

#include "game/engine.h"

bool ParticleIsDead(const Particle& particle)
{
    return particle.life < 0.0f;
}

bool EmitterIsFinished(Emitter* emitter)
{
    emitter->Update();
    if (!emitter->finished)
        return false;
    delete emitter;
    return true;
}

void UpdateEmitters(std::list<Emitter*>& emitters)
{
    emitters.remove_if(EmitterIsFinished);
}

Emitter* AddEmitter(Emitter* emitter, float x, float y)
{
    emitter->Init(x, y);
    gEngine->emitters.push_back(emitter);
    return emitter;
}

void StopTrail(Emitter* trail)
{
    if (auto* emitter = dynamic_cast<TrailEmitter*>(trail))
        emitter->stop = true;
}

void Emitter::ForgetEntities(const std::vector<const Entity*>&) {}
