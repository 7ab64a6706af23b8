// The rules of a stage in play: a new game, a stage start (or the end of the game, or the
// credits), one step of the world in its fixed order, the hits of one step with their
// scoring, the reactor count-down with its shake and blast, the sector bonus, extra lives and
// the pause menu.
#include "game/playing.h"

#include "game/engine.h"

#include "engine/collision.h"
#include "engine/map_format.h"
#include "game/effects/dynamic_beams.h"
#include "game/effects/emitters.h"
#include "game/effects/projectiles.h"
#include "game/effects/score_popups.h"
#include "game/entities/platform.h"
#include "game/entities/rotator.h"
#include "game/entity.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace
{

constexpr float kTick = 0.01f;
// A reflected shot nearer than this to the ship's centre is simply absorbed by the shield.
constexpr float kAbsorbDistance = 29.0f;

void RestartSample(Sample& sample)
{
    sample.Stop();
    sample.Play();
}

// Pops the ship: a burst of the reactor's sparks where it was, and the loss of a life.
void DestroyShip(Engine& engine)
{
    AddEmitter(new GeneratorEmitter, engine.ship.x, engine.ship.y);
    engine.ship.Kill();
}

template <typename Carrier>
void DropDeadCarried(Entity* entity)
{
    auto carrier = dynamic_cast<Carrier*>(entity);
    if (carrier == nullptr)
        return;
    auto& carried = carrier->carriedEntities;
    carried.erase(
        std::remove_if(carried.begin(), carried.end(), [](const Entity* e) { return e->dead; }),
        carried.end());
}

} // namespace

int StageBonus(int rescued, float fuel)
{
    return rescued * 500 + static_cast<int>(fuel * 10.0f);
}

int WholeSeconds(float seconds)
{
    // 2^31 is exact as a float; every float below it and above -2^31 truncates into range.
    constexpr float kLimit = 2147483648.0f;
    if (seconds >= kLimit)
        return std::numeric_limits<int>::max();
    if (seconds <= -kLimit)
        return std::numeric_limits<int>::min();
    if (std::isnan(seconds))
        return 0;
    return static_cast<int>(seconds);
}

void Engine::NewGame()
{
    progress.stage = 1;
    progress.lives = 3;
    progress.score = 0;
    progress.nextExtraLife = 10000;
    ship.respawnX = 0.0f;
    ship.respawnY = 0.0f;
    StartStage();
}

void Engine::StartStage()
{
    progress.packCompleted = false;
    paused = false;

    const int mapCount =
        (packs.currentPack >= 0 && packs.currentPack < static_cast<int>(packs.rosters.size()))
            ? static_cast<int>(packs.rosters[packs.currentPack].size())
            : 0;
    if (progress.stage <= mapCount && progress.lives <= 0)
    {
        EndGame();
        return;
    }
    progress.generatorCount = 0;
    if (progress.stage > mapCount)
    {
        StartCredits();
        return;
    }
    // A stage that cannot be loaded ends the program after this pass; nothing of it is set
    // up, so the half-read level is never stepped or shown as a stage.
    if (!LoadMap())
    {
        quit = true;
        return;
    }

    ship.Respawn();
    gameState = Playing;
    camera.camX = camera.prevCamX = 320.0f - ship.x;
    camera.camY = camera.prevCamY = 240.0f - ship.y;
    ship.stepTimer = 2.5f;
    AddEmitter(new StageStartEmitter, ship.x, ship.y);

    progress.shakeX = progress.shakeY = 0.0f;
    progress.countdownActive = false;
    progress.shakeTimer = 0.0f;
    ship.fuel = 500.0f;
    stateTimer = 3.5f;
    progress.rescued = 0;
    progress.countdownSeconds = -1.0f;
    progress.lastCountdownSecond = 0;
    progress.stageBonusPaid = false;

    for (int row = 0; row < 15; ++row)
    {
        for (auto& layer : camera.stars)
        {
            float y = static_cast<float>(std::rand() % 480 + 140);
            float x = static_cast<float>(std::rand() % 640);
            layer[row] = Vec2(x, y);
        }
    }
    for (int layer = 0; layer < 3; ++layer)
    {
        camera.anchors[layer] = camera.prevAnchors[layer] = Vec2(0.0f, 0.0f);
        camera.anchors[layer + 3] = camera.prevAnchors[layer + 3] = Vec2(640.0f, 0.0f);
    }

    res.samples[sfx::Teleport].Play();
    if (VideoUp())
    {
        glClearColor(0.025f, 0.025f, 0.05f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
}

void Engine::UpdatePlaying()
{
    if (input[ButtonPause].value == ButtonState::Pressed ||
        input[ButtonEsc].value == ButtonState::Released)
    {
        paused = !paused;
        menu.menuPage = 1;
        menu.menuItem = 0;
        PauseSound(paused);
    }
    if (paused)
    {
        UpdatePauseMenu();
        return;
    }

    stateTimer -= kTick;

    if (!ship.inPlay || ship.leaving)
    {
        const float before = ship.stepTimer;
        ship.stepTimer -= kTick;
        if (!progress.stageBonusPaid)
        {
            if (menu.infiniteFuel)
                ship.fuel = 0.0f;
            if (before - kTick <= 2.0f && progress.countdownActive && ship.leaving)
            {
                ++progress.stage;
                progress.stageBonusPaid = true;
                ship.respawnX = ship.respawnY = 0.0f;
                progress.score += StageBonus(progress.rescued, ship.fuel);
            }
        }
        if (ship.stepTimer <= 0.0f)
        {
            if (progress.countdownActive || ship.leaving)
            {
                StartStage();
                if (gameState != Playing || quit)
                    return; // the game ended, the credits began, or the map failed
            }
            else
            {
                ship.Spawn(0.0f, -300.0f);
            }
        }
    }

    UpdateCamera();

    for (Entity* entity : level.entities)
    {
        DropDeadCarried<Rotator>(entity);
        DropDeadCarried<MovingPlatform>(entity);
    }

    if (!ship.leaving && progress.countdownSeconds >= -1.0f)
        UpdateEntities();

    if (ship.inPlay && !ship.leaving)
    {
        ship.Update();
        // Its explosion timer may have started the stage anew, or ended the game.
        if (gameState != Playing || quit)
            return;
    }
    if (menu.infiniteFuel && !ship.leaving)
        ship.fuel = 9999.0f;

    UpdateDynamicBeams(effects.dynamicBeams);
    UpdateProjectiles(effects.playerShots);
    UpdateProjectiles(effects.enemyShots);
    UpdateEmitters(effects.emitters);
    UpdateScorePopups(effects.scorePopups);

    UpdatePlayerBullets();
    UpdateCountdown();

    if (progress.score >= progress.nextExtraLife)
    {
        progress.nextExtraLife += 20000;
        res.samples[sfx::ExtraLife].Play();
        ++progress.lives;
    }
}

void Engine::UpdateCountdown()
{
    if (!progress.countdownActive || ship.leaving)
        return;
    progress.countdownSeconds -= kTick;
    if (menu.infiniteTime && progress.countdownSeconds <= 0.0f)
        progress.countdownSeconds += kTick;

    const int whole = WholeSeconds(progress.countdownSeconds);
    if (whole != progress.lastCountdownSecond)
    {
        progress.lastCountdownSecond = whole;
        RestartSample(res.samples[sfx::Clock]);
    }

    if (progress.countdownSeconds > -0.25f)
    {
        progress.shakeTimer -= kTick;
        if (progress.shakeTimer <= 0.0f)
        {
            progress.shakeY = static_cast<float>(std::rand() % 10 - 5);
            progress.shakeX = static_cast<float>(std::rand() % 10 - 5);
            progress.shakeTimer = 0.04f;
        }
        return;
    }
    // The reactor blows: whatever is left of the ship goes with it.
    ship.leaving = true;
    ship.stepTimer = 7.0f;
    ship.Kill();
    progress.rescued = 0;
}

void Engine::UpdatePlayerBullets()
{
    auto canBeHit = [this] { return !ship.exploded && ship.inPlay && !ship.leaving; };

    // Walls are deadly even to the menu.invincible.
    Vec2 normal;
    if (!ship.exploded && ship.inPlay && CollideWithWalls(ship.shape, normal))
    {
        AddEmitter(new DebrisEmitter(normal.x, normal.y), ship.x, ship.y);
        DestroyShip(*this);
    }

    for (Projectile& shot : effects.enemyShots)
    {
        if (shot.finished)
            continue;
        if (!ship.shieldOn && canBeHit())
        {
            if (ship.HitTest(shot.shape))
            {
                shot.finished = true;
                if (!menu.invincible)
                    DestroyShip(*this);
            }
        }
        else if (ship.shieldOn && canBeHit() && ship.HitTestWithSound(shot.shape))
        {
            Vec2 toShip = Normalize(ship.x - shot.x, ship.y - shot.y);
            Vec2 v = Reflect(Vec2(shot.vx, shot.vy), toShip, 1.0f);
            shot.vx = v.x;
            shot.vy = v.y;
            if (Distance(ship.x, ship.y, shot.x, shot.y) >= kAbsorbDistance)
            {
                shot.x += shot.vx;
                shot.y += shot.vy;
                for (Circle& circle : shot.shape)
                {
                    circle.x = shot.x;
                    circle.y = shot.y;
                }
                effects.playerShots.push_back(shot);
            }
            shot.finished = true;
        }
        if (shot.finished)
            continue;
        for (Entity* entity : level.entities)
        {
            if ((entity->type == static_cast<int>(EntityKind::Rock) ||
                 entity->type == static_cast<int>(EntityKind::LargeRock)) &&
                entity->HitTest(shot.shape))
            {
                shot.finished = true;
                break;
            }
        }
    }

    // Each shot hits one entity at most, and a kill pays once: only the hit that takes the
    // health from above 0 to 0 or below scores.
    for (Entity* entity : level.entities)
    {
        if (entity->dead)
            continue;
        for (Projectile& shot : effects.playerShots)
        {
            if (shot.finished || !entity->HitTest(shot.shape))
                continue;
            shot.finished = true;
            const bool wasAlive = entity->health > 0.0f;
            entity->health -= 1.0f;
            RestartSample(res.samples[sfx::Reactorhit]);
            if (!wasAlive || entity->health > 0.0f)
                continue;
            const int paid =
                static_cast<int>(static_cast<float>(entity->points) * shot.scoreMultiplier);
            progress.score += paid;
            if (shot.scoreMultiplier > 1.0f)
                AddScorePopup(shot.x, shot.y, paid);
        }
    }

    // Crashing into things: every entity touched takes the knock, the ship dies once.
    if (canBeHit())
    {
        bool crashed = false;
        for (Entity* entity : level.entities)
        {
            if (entity->dead || !entity->HitTest(ship.shape) || !ship.HitTest(entity->shape))
                continue;
            entity->health -= 2.0f;
            crashed = true;
        }
        if (crashed && !menu.invincible)
            DestroyShip(*this);
    }

    for (const DynamicBeam& beam : effects.dynamicBeams)
    {
        if (canBeHit() && !ship.shape.empty() && CircleHitsSegment(beam.beam, ship.shape.front()) &&
            !menu.invincible)
            DestroyShip(*this);
        for (auto* shots : {&effects.playerShots, &effects.enemyShots})
        {
            for (Projectile& shot : *shots)
            {
                if (shot.finished || shot.shape.empty() ||
                    !CircleHitsSegment(beam.beam, shot.shape.front()))
                    continue;
                shot.finished = true;
                RestartSample(res.samples[sfx::Reactorhit]);
            }
        }
    }
}

void Engine::UpdatePauseMenu()
{
    Sample& ui = res.samples[sfx::UI];
    int& page = menu.menuPage;
    int& item = menu.menuItem;

    if ((page == 2 || page == 3) && !input.captureActive && input.anyKey)
    {
        ++item;
        int index = input.captureIndex + 1;
        if (index == 2)
            index = 4;
        else if (index == 10)
            index = 12;
        input.StartCapture(index, input.capturePrimary);
        ui.Play();
        if (item >= 5)
        {
            page = 1;
            item = 3;
            input.captureActive = false;
        }
    }

    if (page == 1 && input[ButtonSelect].value == ButtonState::Pressed)
    {
        ui.Play();
        if (item == 0)
        {
            page = 2;
            item = 0;
            input.StartCapture(0, true);
        }
        else if (item == 1)
        {
            page = 3;
            item = 0;
            input.StartCapture(8, false);
        }
        else if (item == 3)
        {
            page = 1;
            item = 0;
            // A failed write keeps the old file whole; the new bindings still hold this run.
            input.SaveControls();
            paused = false;
            PauseSound(false);
        }
    }

    const bool mouse = input.Grabbed();
    const float mouseDy = static_cast<float>(this->mouseDy) * input.mouseFactor;
    const bool up =
        input[ButtonUp].value == ButtonState::Pressed ||
        input[ButtonMenuUp].value == ButtonState::Pressed ||
        (mouse && (input[ButtonMouse4].value == ButtonState::Released || mouseDy < -1.0f));
    const bool down =
        input[ButtonDown].value == ButtonState::Pressed ||
        input[ButtonMenuDown].value == ButtonState::Pressed ||
        (mouse && (input[ButtonMouse5].value == ButtonState::Released || mouseDy > 1.0f));
    if (up)
    {
        ui.Play();
        if (page == 1)
            item = item == 0 ? 3 : item - 1;
    }
    if (down)
    {
        ui.Play();
        if (page == 1)
            item = item == 3 ? 0 : item + 1;
    }

    if (totalSteps % 3 == 0 && page == 1 && item == 2)
    {
        int sensitivity = input.Sensitivity();
        const bool lower = input[ButtonLeft].value == ButtonState::Held ||
                           (mouse && input[ButtonMouse1].value == ButtonState::Held);
        const bool raise = input[ButtonRight].value == ButtonState::Held ||
                           (mouse && input[ButtonMouse23].value == ButtonState::Held);
        if (lower && sensitivity > 50)
            --sensitivity;
        if (raise && sensitivity < 99)
            ++sensitivity;
        if (lower || raise)
        {
            input.SetSensitivity(sensitivity);
            input.mouseFactor = (static_cast<float>(sensitivity) * 50.0f - 2450.0f) * 0.005f;
        }
    }

    menu.blinkTimer += kTick;
    if (menu.blinkTimer >= 1.0f)
        menu.blinkTimer = 0.0f;
}
