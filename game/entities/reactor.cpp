#include "game/entities/reactor.h"

#include "game/engine.h"
#include "game/effects/emitters.h"

Generator::Generator()
{
    AddCircle(15.0f, 0.0f, -15.0f);
    health = 10.0f;
    points = 150;
}

void Generator::Spawn(float px, float py)
{
    x = prevX = px;
    y = prevY = py;
    UpdateCollisionPoints();
    dead = false;
    health = 10.0f;
}

void Generator::Update()
{
    // The death check comes first: a reactor shot down to exactly 0 must not regrow to 0.01
    // and live on. A dead one does nothing more, so it is never counted off twice.
    if (dead)
        return;
    if (health <= 0.0f)
    {
        Kill();
        return;
    }
    health += 0.01f;
    if (health > 10.0f)
        health = 10.0f;
}

void Generator::Kill()
{
    if (dead)
        return;
    dead = true;
    Engine& engine = *gEngine;
    engine.samples[sfx::Explode2].Stop();
    engine.samples[sfx::Explode2].Play();
    Emitter* burst = new GeneratorEmitter;
    burst->Init(x, y);
    engine.emitters.push_back(burst);

    --engine.generatorCount;
    if (engine.generatorCount > 0)
        return;
    engine.countdownActive = true;
    engine.countdownSeconds = static_cast<float>(engine.endTimer);
    engine.samples[sfx::Danger].Stop();
    engine.samples[sfx::Danger].Play();
}
