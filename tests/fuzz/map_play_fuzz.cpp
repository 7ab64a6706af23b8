// A stage in play: the input is a control script (the first kScriptSize bytes) and a ".map"
// (the rest). The map becomes the only stage of a one-stage pack, the game starts it as
// START GAME does, and up to kSteps simulation steps run as the game's own step runs them,
// with the ship's five controls held as the script says. The faults this looks for live in
// what entities, shots and effects do once a stage plays, not in the loader:
// - a position that turns NaN or infinite although every number of the map is finite;
// - entities, emitters, shots or beams piling up without bound;
// - a step that takes too long.
// The sanitizers add everything undefined on the way.
//
// Script layout (missing bytes are zero):
//   0      seed of rand()
//   1      flags: 1 the ship appears at once (also after a crash), 2 it keeps its lives, 4 every hundred steps it
//          is put down at rest near an entity
//   2..7   for each of those placements, which entity (modulo the count) and where beside it
//   8..    pairs (controls, steps): bit 0 LEFT, 1 RIGHT, 2 thrust, 3 shield, 4 laser, held
//          for 1 + steps simulation steps; when the pairs run out nothing is held
#include "fuzz_support.h"

#include "engine/map_format.h"
#include "game/engine.h"
#include "game/entity.h"
#include "platform/input_backend.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iterator>
#include <memory>
#include <string>

namespace
{

constexpr std::size_t kScriptSize = 256;
constexpr int kSteps = 600;
constexpr std::size_t kFirstPair = 8;
// Processor time one step may take, instrumentation included; a normal step takes well
// under a millisecond.
constexpr double kSlowStepSeconds = 0.25;

enum ScriptFlag : std::uint8_t
{
    AppearAtOnce = 1,
    KeepLives = 2,
    PlaceNearEntities = 4,
};

const InputButton kControls[] = {ButtonLeft, ButtonRight, ButtonFire, ButtonFire2, ButtonFire3};

platform::RecordingInputBackend inputBackend;

[[noreturn]] void Fail(int step, const std::string& what)
{
    std::fprintf(stderr, "map_play: step %i: %s\n", step, what.c_str());
    std::abort();
}

double ProcessSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Walks the map's records the way the loader does and tells whether every float in it (wall
// ends and colours, angles, positions, the kinds' own reals) is finite. Only for such maps
// must play stay finite; a map the loader will refuse gives false and is never played.
bool MapNumbersFinite(const std::string& map)
{
    std::size_t at = 0;
    auto next = [&map, &at](std::uint32_t& raw)
    {
        if (map.size() - at < 4)
            return false;
        unsigned char bytes[4];
        std::memcpy(bytes, map.data() + at, 4);
        raw = DecodeLittleEndian32(bytes);
        at += 4;
        return true;
    };
    auto finite = [&next]()
    {
        std::uint32_t raw = 0;
        if (!next(raw))
            return false;
        float value = 0.0f;
        std::memcpy(&value, &raw, sizeof value);
        return std::isfinite(value) != 0;
    };
    std::uint32_t beams = 0, entities = 0;
    if (!next(beams) || !next(entities) || beams > map.size() || entities > map.size())
        return false;
    for (std::uint32_t b = 0; b < beams; ++b)
    {
        for (int v = 0; v < 10; ++v)
        {
            if (!finite())
                return false;
        }
    }
    for (std::uint32_t e = 0; e < entities; ++e)
    {
        std::uint32_t code = 0;
        if (!next(code))
            return false;
        const KindLayout* layout = FindKindLayout(static_cast<std::int32_t>(code));
        if (layout == nullptr || !finite() || !finite() || !finite())
            return false;
        for (int f = 0; f < layout->fieldCount; ++f)
        {
            const FieldType type = layout->fields[f].type;
            if (type == FieldType::Float32)
            {
                if (!finite())
                    return false;
            }
            else if (map.size() - at < FieldWidth(type))
            {
                return false;
            }
            else
            {
                at += FieldWidth(type);
            }
        }
    }
    return true;
}

bool Finite(float x, float y)
{
    return std::isfinite(x) && std::isfinite(y);
}

bool CirclesFinite(const CircleList& circles)
{
    for (const Circle& c : circles)
    {
        if (!Finite(c.x, c.y))
            return false;
    }
    return true;
}

// Everything that has a position, checked after a step; the first bad one named, or "".
std::string FirstNonFinite(const Engine& engine)
{
    const PlayerShip& ship = engine.ship;
    if (!Finite(ship.x, ship.y) || !Finite(ship.prevX, ship.prevY) || !Finite(ship.vx, ship.vy) ||
        !std::isfinite(ship.angle) || !CirclesFinite(ship.shape) || !CirclesFinite(ship.shield) ||
        !CirclesFinite(ship.leftLeg) || !CirclesFinite(ship.rightLeg))
        return "the ship";
    const CameraView& camera = engine.camera;
    if (!Finite(camera.camX, camera.camY) || !Finite(camera.prevCamX, camera.prevCamY) ||
        !Finite(engine.progress.shakeX, engine.progress.shakeY))
        return "the camera";
    for (int i = 0; i < 6; ++i)
    {
        if (!Finite(camera.anchors[i].x, camera.anchors[i].y) ||
            !Finite(camera.prevAnchors[i].x, camera.prevAnchors[i].y))
            return "a parallax layer";
    }
    for (const Entity* entity : engine.level.entities)
    {
        if (!Finite(entity->x, entity->y) || !Finite(entity->prevX, entity->prevY) ||
            !std::isfinite(entity->angle) || !CirclesFinite(entity->shape))
            return "an entity of kind " + std::to_string(entity->type);
    }
    for (const auto* shots : {&engine.effects.playerShots, &engine.effects.enemyShots})
    {
        for (const Projectile& shot : *shots)
        {
            if (!Finite(shot.x, shot.y) || !Finite(shot.prevX, shot.prevY) ||
                !Finite(shot.vx, shot.vy) || !CirclesFinite(shot.shape))
                return "a shot";
        }
    }
    for (const Emitter* emitter : engine.effects.emitters)
    {
        if (!Finite(emitter->x, emitter->y))
            return "an emitter";
        for (const Particle& p : emitter->particles)
        {
            if (!Finite(p.x, p.y) || !Finite(p.prevX, p.prevY) || !std::isfinite(p.size))
                return "a particle";
        }
    }
    for (const DynamicBeam& beam : engine.effects.dynamicBeams)
    {
        if (!Finite(beam.beam.x1, beam.beam.y1) || !Finite(beam.beam.x2, beam.beam.y2))
            return "a dynamic beam";
    }
    for (const ScorePopup& popup : engine.effects.scorePopups)
    {
        if (!Finite(popup.x, popup.y))
            return "a score pop-up";
    }
    return "";
}

// What one stage may hold at a time. Every kind that makes entities in play (turrets'
// seekers and wasps, volcanoes' debris, a homing missile's launch) makes at most one every
// 0.4 s, so in six seconds far fewer than 16 each. A thing starts at most a few effects a
// step (a force field whose times are a step long flashes on and off every step) and each
// burns out within two seconds; shots follow the things that fire them; a force field
// beams to each of its partners. What breaks these piles up without end.
void CheckCounts(const Engine& engine, std::size_t placed, int step)
{
    const std::size_t entities = engine.level.entities.size();
    if (entities > 16 * placed + 16)
        Fail(step, std::to_string(entities) + " entities from " + std::to_string(placed));
    const std::size_t things = placed + entities;
    if (engine.effects.emitters.size() > 400 + 3 * 200 * things)
        Fail(step, std::to_string(engine.effects.emitters.size()) + " emitters");
    const std::size_t shots = engine.effects.playerShots.size() + engine.effects.enemyShots.size();
    if (shots > 400 + 8 * things)
        Fail(step, std::to_string(shots) + " shots");
    if (engine.effects.dynamicBeams.size() > 64 + 2 * placed * placed)
        Fail(step, std::to_string(engine.effects.dynamicBeams.size()) + " dynamic beams");
    if (engine.effects.scorePopups.size() > 64 + 4 * things)
        Fail(step, std::to_string(engine.effects.scorePopups.size()) + " score pop-ups");
}

// The ship set down at rest a little above an entity, as a player could fly it there.
void PutShipNear(Engine& engine, std::uint8_t choice)
{
    const auto& entities = engine.level.entities;
    PlayerShip& ship = engine.ship;
    if (entities.empty() || !ship.inPlay || ship.leaving || ship.exploded)
        return;
    auto it = entities.begin();
    std::advance(it, static_cast<long>(choice % entities.size()));
    ship.x = ship.prevX = (*it)->x + static_cast<float>((choice * 7) % 120) - 60.0f;
    ship.y = ship.prevY = (*it)->y - 70.0f;
    ship.vx = ship.vy = 0.0f;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    cavfuzz::EnterScratchFolder();
    platform::SetInputBackend(&inputBackend); // no window: the mouse never moves
    if (!cavfuzz::WriteInput("MapPacks.cfg", std::string("FUZZ\n")) ||
        !cavfuzz::WriteInput("Stages1.txt", std::string("play.map\n")))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::uint8_t script[kScriptSize] = {};
    const std::size_t scriptBytes = size < kScriptSize ? size : kScriptSize;
    std::memcpy(script, data, scriptBytes);
    const std::string map(reinterpret_cast<const char*>(data) + scriptBytes, size - scriptBytes);
    if (!cavfuzz::WriteInput("Data/Maps/play.map", map))
        return 0;

    EngineSettings settings;
    settings.headless = true;
    auto engine = std::make_unique<Engine>(settings);
    if (!engine->LoadMapPacks() || !engine->LoadStageRosters())
        return 0;
    std::srand(script[0]);
    engine->NewGame();
    if (engine->quit || engine->gameState != Playing)
        return 0; // the map was refused
    const bool mapFinite = MapNumbersFinite(map);
    const std::size_t placed = engine->level.entities.size();

    std::size_t pair = kFirstPair;
    int held = 0;
    std::uint8_t controls = 0;
    for (int step = 0; step < kSteps; ++step)
    {
        if (held == 0)
        {
            controls = 0;
            if (pair + 1 < kScriptSize)
            {
                controls = script[pair];
                held = 1 + script[pair + 1];
                pair += 2;
            }
        }
        if (held > 0)
            --held;
        for (std::size_t c = 0; c < std::size(kControls); ++c)
            engine->input[kControls[c]].Set(((controls >> c) & 1) != 0);
        if (script[1] & KeepLives)
            engine->progress.lives = 3;
        PlayerShip& ship = engine->ship;
        if ((script[1] & AppearAtOnce) && !ship.inPlay && !ship.leaving && !ship.exploded)
            ship.stepTimer = 0.01f; // also after a crash restarted the stage
        if ((script[1] & PlaceNearEntities) && step % 100 == 99)
            PutShipNear(*engine, script[2 + step / 100]);

        const double start = ProcessSeconds();
        engine->Step();
        const double took = ProcessSeconds() - start;
        if (took > kSlowStepSeconds)
            Fail(step, "the step took " + std::to_string(took) + " s");

        if (mapFinite)
        {
            const std::string bad = FirstNonFinite(*engine);
            if (!bad.empty())
                Fail(step, bad + " is no longer finite");
        }
        CheckCounts(*engine, placed, step);
        if (engine->quit || engine->gameState != Playing)
            break;
    }
    return 0;
}
