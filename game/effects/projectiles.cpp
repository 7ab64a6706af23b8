// The shots' init and update steps and their list upkeep.
#include "game/effects/projectiles.h"

#include "game/effects/emitters.h"
#include "game/engine.h"

#include <cmath>

void Projectile::SetCallbacks(ProjectileInit initStep, ProjectileUpdate updateStep)
{
    init = initStep;
    update = updateStep;
    finished = false;
}

bool Projectile::RunUpdate(Projectile& shot)
{
    if (shot.update != nullptr)
        shot.update(shot);
    return shot.finished;
}

namespace
{

void Place(Projectile& shot, float x, float y)
{
    shot.x = shot.prevX = x;
    shot.y = shot.prevY = y;
    shot.life = 3.0f;
    shot.shape.emplace_back(5.0f, x, y);
}

void Restart(int slot)
{
    Sample& sample = gEngine->res.samples[slot];
    sample.Stop();
    sample.Play();
}

// The body the three updates share; `turn` is the kind's own step 2.
template <class Turn>
void Advance(Projectile& shot, Turn turn)
{
    shot.prevX = shot.x;
    shot.prevY = shot.y;
    shot.x += shot.vx;
    shot.y += shot.vy;
    turn(shot);
    gEngine->WrapAroundMap(shot.x, shot.prevX);
    for (Circle& c : shot.shape)
    {
        c.x = shot.x;
        c.y = shot.y;
    }
    Vec2 normal;
    if (gEngine->CollideWithWalls(shot.shape, normal))
    {
        AddEmitter(new DebrisEmitter(normal.x, normal.y), shot.x, shot.y);
        shot.finished = true;
        Restart(sfx::StageReflect);
        return;
    }
    shot.life -= 0.01f;
    if (shot.life <= 0.0f)
        shot.finished = true;
    if (shot.finished)
        AddEmitter(new ImpactEmitter, shot.x, shot.y);
}

void Spin(Projectile& shot)
{
    shot.prevAngle = shot.angle;
    shot.angle += 5.5f;
}

} // namespace

void LaserShotInit(Projectile& shot, float x, float y, float angle, float vx, float vy)
{
    shot.enemyMade = false;
    shot.angle = shot.prevAngle = angle;
    shot.scoreMultiplier = 1.0f;
    const float a = angle * 0.017453292f;
    shot.vx = 4.0f * std::cos(a) + vx;
    shot.vy = 4.0f * std::sin(a) + vy;
    Place(shot, x, y);
}

void EnemyShotInit(Projectile& shot, float x, float y, float, float vx, float vy)
{
    shot.enemyMade = true;
    shot.angle = shot.prevAngle = 0.0f;
    shot.vx = vx;
    shot.vy = vy;
    shot.scoreMultiplier = 5.0f;
    Place(shot, x, y);
    Restart(sfx::EnemyShot);
}

void LaserShotUpdate(Projectile& shot)
{
    Advance(shot, [](Projectile&) {});
}

void EnemyShotUpdate(Projectile& shot)
{
    Advance(shot, Spin);
}

void EnemyBulletUpdate(Projectile& shot)
{
    Advance(shot,
            [](Projectile& s)
            {
                s.vy += 0.01f;
                Spin(s);
            });
}

void FireProjectile(std::list<Projectile>& list, ProjectileInit init, ProjectileUpdate update,
                    float x, float y, float angle, float vx, float vy)
{
    Projectile shot;
    shot.SetCallbacks(init, update);
    shot.init(shot, x, y, angle, vx, vy);
    list.push_back(shot);
}

void UpdateProjectiles(std::list<Projectile>& shots)
{
    shots.remove_if(Projectile::RunUpdate);
}
