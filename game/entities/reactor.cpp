#include "game/entities/reactor.h"

#include "game/effects/emitters.h"
#include "game/engine.h"

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
    engine.res.samples[sfx::Explode2].Stop();
    engine.res.samples[sfx::Explode2].Play();
    AddEmitter(new GeneratorEmitter, x, y);

    --engine.progress.generatorCount;
    if (engine.progress.generatorCount > 0)
        return;
    engine.progress.countdownActive = true;
    engine.progress.countdownSeconds = static_cast<float>(engine.level.endTimer);
    engine.res.samples[sfx::Danger].Stop();
    engine.res.samples[sfx::Danger].Play();
}
