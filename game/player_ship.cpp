// The player ship's tick, spawn, respawn and destruction.
#include "game/player_ship.h"

#include "engine/collision.h"
#include "game/effects/emitters.h"
#include "game/effects/projectiles.h"
#include "game/engine.h"

namespace
{

constexpr float kThrust = 0.025f;
constexpr float kThrustFuel = 0.12f;
constexpr float kGravity = 0.005f;
constexpr float kDrag = 0.995f;
constexpr float kTurnStep = 0.15f;
constexpr float kMaxTurn = 2.5f;
constexpr float kTurnDecay = 0.7f;
constexpr float kShieldFuel = 0.05f;
constexpr float kEngineFade = 0.5f;
constexpr float kExitHeight = -600.0f;

int Button(InputButton button)
{
    return gEngine->input[button].value;
}

bool Down(int state)
{
    return state == ButtonState::Pressed || state == ButtonState::Held;
}

Sample& Sfx(int slot)
{
    return gEngine->res.samples[slot];
}

void Restart(Sample& sample)
{
    sample.Stop();
    sample.Play();
}

// Places a leg circle from its offset along the ship's facing and side.
void PlaceLeg(CircleList& leg, float x, float y, const Vec2& d, const Vec2& p)
{
    for (Circle& c : leg)
    {
        c.x = x + c.offsetY * d.x + c.offsetX * p.x;
        c.y = y + c.offsetY * d.y + c.offsetX * p.y;
    }
}

} // namespace

PlayerShip::PlayerShip()
{
    AddCircle(10.0f, 0.0f, -3.0f);
    leftLeg.emplace_back(5.0f, 0.0f, 0.0f, -8.0f, -7.0f);
    rightLeg.emplace_back(5.0f, 0.0f, 0.0f, 8.0f, -7.0f);
    shield.emplace_back(30.0f, 0.0f, 0.0f, 0.0f, 0.0f);
}

void PlayerShip::Spawn(float px, float py)
{
    exploded = false;
    inPlay = true;
    landed = false;
    leaving = false;
    engineSoundOn = false;
    shieldOn = false;
    dead = false;
    if (respawnX == 0.0f && respawnY == 0.0f)
    {
        x = px;
        y = py;
    }
    else
    {
        x = respawnX;
        y = respawnY - 12.0f;
        landed = true;
    }
    prevX = x;
    prevY = y;

    CameraView& camera = gEngine->camera;
    camera.camX = camera.prevCamX = 320.0f - x;
    camera.camY = camera.prevCamY = 240.0f - y;

    vx = vy = 0.0f;
    angle = prevAngle = 270.0f;

    AddEmitter(new ExhaustEmitter, x, y);
    fuelEmitter = static_cast<FuelStreamEmitter*>(AddEmitter(new FuelStreamEmitter, x, y));

    turnRate = 0.0f;
    explosionTimer = 2.5f;
    engineFade = kEngineFade;
    fuel = 500.0f;

    // Kinds that look at the ship's circles during the entity pass see it where it is now.
    Vec2 d;
    Vec2 p;
    AngleToVectors(angle, d, p);
    PlaceCircles(d, p);
}

void PlayerShip::Respawn()
{
    exploded = false;
    inPlay = false;
    leaving = false;
    if (respawnX == 0.0f && respawnY == 0.0f)
    {
        x = 0.0f;
        y = -300.0f;
    }
    else
    {
        x = respawnX;
        y = respawnY - 12.0f;
    }
    prevX = x;
    prevY = y;
}

void PlayerShip::Kill()
{
    // One crash costs one life: the hit tests of a step may find the wreck more than once.
    if (exploded)
        return;
    vx = vy = 0.0f;
    exploded = true;
    landed = false;
    fuel = 0.0f;
    Sfx(sfx::Explode).Play();
    Sfx(sfx::Shield).Stop();
    Sfx(sfx::Engine).Stop();
    StageProgress& progress = gEngine->progress;
    progress.lives -= 1;
    if (progress.countdownActive)
    {
        leaving = true;
        stepTimer = 7.0f;
        progress.rescued = 0;
    }
}

bool PlayerShip::HitTestWithSound(CircleList circles)
{
    for (const Circle& c : circles)
    {
        for (const Circle& s : shield)
        {
            if (CirclesOverlap(c, s))
            {
                Restart(Sfx(sfx::ShieldReflect));
                return true;
            }
        }
    }
    return false;
}

void PlayerShip::Update()
{
    if (exploded)
    {
        explosionTimer -= 0.01f;
        if (explosionTimer <= 0.0f)
        {
            gEngine->StartStage();
            exploded = false;
            inPlay = false;
            UpdateCollisionPoints();
        }
        return;
    }

    prevAngle = angle;
    prevX = x;
    prevY = y;
    Vec2 d;
    Vec2 p;
    AngleToVectors(angle, d, p);

    Thrust(d);
    Turn();

    vx *= kDrag;
    vy *= kDrag;
    x += vx;
    y += vy;

    Wrap();
    if (angle < 0.0f)
    {
        angle += 360.0f;
        prevAngle += 360.0f;
    }
    if (angle > 360.0f)
    {
        angle -= 360.0f;
        prevAngle -= 360.0f;
    }

    PlaceCircles(d, p);
    TryLanding();
    if (!landed)
    {
        FireLaser(d);
        UpdateShield();
    }

    prevRingAngle = ringAngle;
    ringAngle -= 7.5f;
    frame = frame >= 5 ? 0 : frame + 1;
    if (fuel < 0.0f)
        fuel = 0.0f;
    CheckSectorExit();
}

void PlayerShip::Thrust(const Vec2& d)
{
    const int fire = Button(ButtonFire);
    if (fuel > 0.0f && inPlay && fire == ButtonState::Held)
    {
        landed = false;
        engineFade = kEngineFade;
        Sfx(sfx::Engine).SetVolume(100);
        if (!engineSoundOn)
        {
            engineSoundOn = true;
            Sfx(sfx::Engine).Play();
        }
        vx += d.x * kThrust;
        vy += d.y * kThrust;
        fuel -= kThrustFuel;
    }
    if (engineSoundOn && fire == ButtonState::Up)
    {
        engineFade -= 0.01f;
        Sfx(sfx::Engine)
            .SetVolume(static_cast<int>(
                InterpolateOverTime(100.0f, 0.0f, 0.0f, kEngineFade, kEngineFade - engineFade)));
        if (engineFade <= 0.0f)
        {
            engineSoundOn = false;
            engineFade = kEngineFade;
        }
    }
}

void PlayerShip::Turn()
{
    if (!landed)
        vy += kGravity;
    const int left = Button(ButtonLeft);
    const int right = Button(ButtonRight);
    if (left == ButtonState::Held)
        turnRate -= kTurnStep;
    if (right == ButtonState::Held)
        turnRate += kTurnStep;
    if (turnRate < -kMaxTurn)
        turnRate = -kMaxTurn;
    if (turnRate > kMaxTurn)
        turnRate = kMaxTurn;
    angle += turnRate;
    if (gEngine->input.Grabbed())
        angle += static_cast<float>(gEngine->mouseDx) * gEngine->input.mouseFactor;
    if (left == ButtonState::Up && right == ButtonState::Up)
        turnRate *= kTurnDecay;
}

void PlayerShip::Wrap()
{
    const float width = gEngine->MapWrapWidth();
    if (width <= 0.0f)
        return;
    CameraView& camera = gEngine->camera;
    if (x < gEngine->level.minX)
    {
        x += width;
        prevX += width;
        camera.camX -= width;
        camera.prevCamX -= width;
    }
    if (x > gEngine->level.maxX)
    {
        x -= width;
        prevX -= width;
        camera.camX += width;
        camera.prevCamX += width;
    }
}

void PlayerShip::PlaceCircles(const Vec2& d, const Vec2& p)
{
    UpdateCollisionPoints();
    for (Circle& c : shield)
    {
        c.x = x;
        c.y = y;
    }
    PlaceLeg(leftLeg, x, y, d, p);
    PlaceLeg(rightLeg, x, y, d, p);
}

void PlayerShip::TryLanding()
{
    if (landed || !(vy >= 0.0f && vy < 0.5f) || !(angle > 255.0f && angle < 285.0f))
        return;
    Vec2 left;
    Vec2 right;
    const bool leftTouches = gEngine->CollideWithWalls(leftLeg, left);
    const bool rightTouches = gEngine->CollideWithWalls(rightLeg, right);
    if (!leftTouches || !rightTouches || left.x != right.x || left.y != right.y)
        return;
    for (const Vec2& n : {left, right})
    {
        if (n.x < -0.3f || n.x > 0.3f || !(n.y < 0.0f))
            return;
    }
    landed = true;
    angle = prevAngle = left.x * 90.0f + 270.0f;
    vx = vy = 0.0f;
    if (shieldOn)
    {
        shieldOn = false;
        Sfx(sfx::Shield).Stop();
    }
}

void PlayerShip::FireLaser(const Vec2& d)
{
    const int fire3 = Button(ButtonFire3);
    if (Down(fire3))
    {
        if (laserCounter == 0)
        {
            Restart(Sfx(sfx::Phazer));
            FireProjectile(gEngine->effects.playerShots, LaserShotInit, LaserShotUpdate,
                           x + 8.0f * d.x, y + 8.0f * d.y, angle, vx, vy);
        }
        laserCounter = laserCounter >= 10 ? 0 : laserCounter + 1;
    }
    if (fire3 == ButtonState::Up)
        laserCounter = 0;
}

void PlayerShip::UpdateShield()
{
    const int fire2 = Button(ButtonFire2);
    if (Down(fire2))
    {
        if (!shieldOn)
        {
            shieldOn = true;
            Sfx(sfx::Shield).Play();
        }
        fuel -= kShieldFuel;
    }
    if (shieldOn && fire2 == ButtonState::Up)
    {
        Sfx(sfx::Shield).Stop();
        shieldOn = false;
    }
}

void PlayerShip::CheckSectorExit()
{
    const StageProgress& progress = gEngine->progress;
    if (leaving || !(progress.countdownSeconds > 0.0f || progress.countdownSeconds <= -1.0f) ||
        y > kExitHeight)
        return;
    stepTimer = progress.countdownActive ? 7.0f : 3.0f;
    leaving = true;
    Sfx(sfx::Shield).Stop();
    Sfx(sfx::Engine).Stop();
    AddEmitter(new ExitEmitter, x, y);
    AddEmitter(new BlueExplosionEmitter, x, y);
    Sfx(sfx::TeleportOut).Play();
}
