// The world part of the play screen: stars, walls, entities, shots, dynamic beams, the ship
// with its shield, particles and score pop-ups, and their wrapped copies.
#include "game/play_screen.h"

#include "engine/gl_state.h"
#include "engine/map_format.h"
#include "engine/vertex_sink.h"
#include "game/engine.h"
#include "game/entities/rocks.h"
#include "game/entities/seekers.h"
#include "game/entities/space_men.h"
#include "game/entities/switches.h"
#include "game/entity.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

namespace
{

// Texturing and blending off: the state every pass hands on.
void EndGlowPass()
{
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

// A textured square of half-side s at (x, y), texture corners as for particles.
void GlowSquare(VertexSink& sink, float x, float y, float s)
{
    sink.TexCoord(0.0f, 0.0f);
    sink.Vertex(x - s, y - s);
    sink.TexCoord(1.0f, 0.0f);
    sink.Vertex(x + s, y - s);
    sink.TexCoord(1.0f, 1.0f);
    sink.Vertex(x + s, y + s);
    sink.TexCoord(0.0f, 1.0f);
    sink.Vertex(x - s, y + s);
}

void DrawStarSet(VertexSink& sink, const Vec2 (&stars)[15])
{
    sink.Begin(GL_QUADS);
    for (const Vec2& star : stars)
        GlowSquare(sink, star.x, star.y, 25.0f);
    sink.End();
}

Vec2 Lerped(float x, float y, float prevX, float prevY, float t)
{
    return LerpPoint(Vec2(x, y), Vec2(prevX, prevY), t);
}

void CallModelList(VertexSink& sink, unsigned int base, int slot)
{
    sink.Begin(GL_QUADS);
    sink.CallList(base + static_cast<unsigned int>(slot));
    sink.End();
}

} // namespace

bool EntityInView(float px, float py, float sx, float sy, float wrapWidth)
{
    if (py < sy - kViewHalfHeight || py > sy + kViewHalfHeight)
        return false;
    for (float x : {px, px - wrapWidth, px + wrapWidth})
    {
        if (x > sx - kViewHalfWidth && x < sx + kViewHalfWidth)
            return true;
    }
    return false;
}

int SpaceManFrame(float animationCounter)
{
    return std::clamp(static_cast<int>(animationCounter), 0, 3);
}

int EntityModelSlot(const Entity& entity)
{
    switch (static_cast<EntityKind>(entity.type))
    {
    case EntityKind::BlueTurret:
        return model::BlueTurret;
    case EntityKind::ForceField:
        return model::ForceField;
    case EntityKind::Button:
    {
        auto button = dynamic_cast<const Button*>(&entity);
        return button != nullptr && button->rearmTimer > 0.0f ? model::ButtonIn : model::Button;
    }
    case EntityKind::FuelPod:
        return model::Fuel;
    case EntityKind::SpaceMan:
    {
        auto man = dynamic_cast<const SpaceMan*>(&entity);
        if (man == nullptr)
            return -1;
        static const int kFrames[2][4] = {
            {model::SpaceMan01, model::SpaceMan02, model::SpaceMan03, model::SpaceMan04},
            {model::SpaceMan01Mirrored, model::SpaceMan02Mirrored, model::SpaceMan03Mirrored,
             model::SpaceMan04Mirrored}};
        return kFrames[man->facing ? 1 : 0][SpaceManFrame(man->animationCounter)];
    }
    case EntityKind::Generator:
        return model::Generator;
    case EntityKind::BlueTank:
        return model::BlueTank;
    case EntityKind::RedTurret:
        return model::RedTurret;
    case EntityKind::DepthCharge:
        return model::DepthCharge;
    case EntityKind::Tree:
        return model::Tree;
    case EntityKind::Rock:
        return model::Boulder;
    case EntityKind::LargeRock:
        return model::BoulderLarge;
    case EntityKind::HomingMissile:
    case EntityKind::LaunchedMissile:
        return model::Ufo;
    case EntityKind::GreenTurret:
        return model::GreenTurret;
    case EntityKind::Beacon:
    {
        auto beacon = dynamic_cast<const Beacon*>(&entity);
        if (beacon == nullptr)
            return -1;
        const int k = static_cast<int>(static_cast<float>(beacon->tickCounter) * 0.1f);
        if (k % 2 == 0)
            return model::Beacon1;
        return beacon->activated ? model::Beacon3 : model::Beacon2;
    }
    case EntityKind::Seeker:
        return model::Seeker;
    case EntityKind::VolcanoDebris:
    {
        auto debris = dynamic_cast<const VolcanoDebris*>(&entity);
        if (debris == nullptr || debris->modelVariant < 0 || debris->modelVariant > 2)
            return -1;
        return model::VolDebris1 + debris->modelVariant;
    }
    case EntityKind::Wasp:
        return model::Wasp;
    default:
        return -1; // Force, Rotator, AreaTrigger, Volcano, MovingPlatform, TargetInfo
    }
}

void Engine::DrawPlaying(float t)
{
    VertexSink& sink = CurrentVertexSink();
    Vec2 view = Lerped(camera.camX, camera.camY, camera.prevCamX, camera.prevCamY, t);

    const float brightness = InterpolateOverTime(0.0f, 1.0f, 0.0f, 200.0f, view.y - 240.0f);
    if (brightness > 0.0f)
    {
        static const float kGrey[3] = {0.3f, 0.6f, 0.9f};
        for (int layer = 0; layer < 6; ++layer)
        {
            const Vec2& now = camera.anchors[layer];
            const Vec2& before = camera.prevAnchors[layer];
            Vec2 offset = Lerped(now.x + progress.shakeX, now.y + progress.shakeY,
                                 before.x + progress.shakeX, before.y + progress.shakeY, t);
            sink.BindTexture2D(res.beamTexture);
            SetBlendFunc(GL_SRC_COLOR, GL_ONE);
            sink.Translate(offset.x, offset.y - 150.0f);
            const int set = layer % 3;
            const float grey = kGrey[set] * brightness;
            sink.Color(grey, grey, grey, 1.0f);
            DrawStarSet(sink, camera.stars[set]);
            if (set == 2)
            {
                sink.Translate(0.0f, -480.0f);
                DrawStarSet(sink, camera.stars[0]);
            }
            sink.Projection(640.0f, 480.0f);
            EndGlowPass();
        }
    }

    view.x += progress.shakeX;
    view.y += progress.shakeY;

    if (!progress.countdownActive || progress.countdownSeconds > -0.25f)
    {
        auto pass = [&]
        {
            DrawWorld(t, 20.0f);
            sink.Translate(view.x, view.y);
            DrawParticles(t);
            sink.Translate(-view.x, -view.y);
        };
        pass();
        const float wrap = MapWrapWidth();
        if (wrap > 0.0f)
        {
            if (640.0f - level.maxX > camera.camX)
            {
                sink.Translate(wrap, 0.0f);
                pass();
                sink.Translate(-wrap, 0.0f);
            }
            if (-level.minX < camera.camX)
            {
                sink.Translate(-wrap, 0.0f);
                pass();
                sink.Translate(wrap, 0.0f);
            }
        }
    }

    sink.Projection(640.0f, 480.0f);
    DrawHud(t);
}

void Engine::DrawWorld(float t, float width)
{
    VertexSink& sink = CurrentVertexSink();
    const Vec2 view =
        Lerped(camera.camX + progress.shakeX, camera.camY + progress.shakeY,
               camera.prevCamX + progress.shakeX, camera.prevCamY + progress.shakeY, t);
    sink.BindTexture2D(res.beamTexture);
    SetBlendFunc(GL_SRC_COLOR, GL_ONE);
    sink.Translate(view.x, view.y);

    sink.Begin(GL_QUADS);
    for (const Beam& wall : level.walls)
        DrawBeam(wall, width);
    sink.End();

    const float wrap = MapWrapWidth();
    for (const Entity* entity : level.entities)
    {
        const int slot = EntityModelSlot(*entity);
        if (slot < 0)
            continue;
        Vec2 at = Lerped(entity->x, entity->y, entity->prevX, entity->prevY, t);
        if (!EntityInView(at.x, at.y, ship.x, ship.y, wrap))
            continue;
        sink.Translate(at.x, at.y);
        sink.Rotate(entity->angle);
        CallModelList(sink, res.displayListBase, slot);
        sink.Rotate(-entity->angle);
        sink.Translate(-at.x, -at.y);
    }

    // A shot is drawn by who made it: a shot the shield turned back stays an enemy bullet.
    auto drawShots = [&](const std::list<Projectile>& shots)
    {
        for (const Projectile& shot : shots)
        {
            Vec2 at = Lerped(shot.x, shot.y, shot.prevX, shot.prevY, t);
            const float angle = Lerp(shot.angle, shot.prevAngle, t) + 90.0f;
            sink.Translate(at.x, at.y);
            sink.Rotate(angle);
            CallModelList(sink, res.displayListBase,
                          shot.enemyMade ? model::Bullet : model::PlrBullet);
            sink.Rotate(-angle);
            sink.Translate(-at.x, -at.y);
        }
    };
    drawShots(effects.playerShots);
    drawShots(effects.enemyShots);

    sink.Begin(GL_QUADS);
    for (const DynamicBeam& beam : effects.dynamicBeams)
        DrawBeam(beam.beam, width);
    sink.End();

    if (ship.inPlay && !ship.exploded && !ship.leaving)
    {
        Vec2 at = Lerped(ship.x, ship.y, ship.prevX, ship.prevY, t);
        const float angle = Lerp(ship.angle, ship.prevAngle, t) + 90.0f;
        sink.Translate(at.x, at.y);
        sink.Rotate(angle);
        sink.Begin(GL_QUADS);
        LineModel::Draw(res.lineModels[model::Player], width);
        sink.End();
        sink.Rotate(-angle);
        if (ship.frame > 0)
        {
            const float spin = Lerp(ship.ringAngle, ship.prevRingAngle, t) + 90.0f;
            for (float share : {1.0f, 0.75f, 0.5f})
            {
                sink.Rotate(spin * share);
                if (ship.shieldOn)
                {
                    sink.Begin(GL_QUADS);
                    LineModel::Draw(res.lineModels[model::Shield], width);
                    sink.End();
                }
                sink.Rotate(-spin * share);
            }
        }
        sink.Translate(-at.x, -at.y);
    }

    sink.Translate(-view.x, -view.y);
    EndGlowPass();
}

void Engine::DrawParticles(float t)
{
    VertexSink& sink = CurrentVertexSink();
    if (!effects.emitters.empty())
    {
        sink.BindTexture2D(res.beamTexture);
        SetBlendFunc(GL_SRC_COLOR, GL_ONE);
        for (const Emitter* emitter : effects.emitters)
        {
            if (emitter->particles.empty())
                continue;
            sink.Begin(GL_QUADS);
            for (const Particle& p : emitter->particles)
            {
                Vec2 at = Lerped(p.x, p.y, p.prevX, p.prevY, t);
                const float size = Lerp(p.size, p.prevSize, t);
                sink.Color(std::min(p.r, 1.0f), std::min(p.g, 1.0f), std::min(p.b, 1.0f), 1.0f);
                GlowSquare(sink, at.x, at.y, size);
            }
            sink.End();
        }
        EndGlowPass();
    }

    if (effects.scorePopups.empty())
        return;
    Font& text = res.font;
    text.SetAlign(1);
    text.SetScale(0.5f, 0.5f);
    text.DisableShadow();
    for (const ScorePopup& popup : effects.scorePopups)
    {
        Vec2 at = Lerped(popup.x, popup.y, popup.prevX, popup.prevY, t);
        text.SetColor(0.0f, 1.0f, 1.0f, popup.life);
        char line[32];
        std::snprintf(line, sizeof line, "%i PTS", popup.points);
        text.DrawText(line, at.x, at.y);
    }
}
