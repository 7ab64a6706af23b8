#include "game/effects/emitters.h"
#include "game/entities/seekers.h"
#include "game/entities/space_men.h"
#include "support/flight_fixture.h"

#include <functional>

using namespace cavtest;

namespace
{

class EmittersTest : public FlightTest
{
protected:
    std::list<Emitter*>& List() { return engine->effects.emitters; }
    // Steps the list until it is empty; the number of steps, or -1 past `limit`.
    int RunOut(int limit = 2000)
    {
        for (int steps = 1; steps <= limit; ++steps)
        {
            UpdateEmitters(List());
            if (List().empty())
                return steps;
        }
        return -1;
    }
};

TEST_F(EmittersTest, BurstsEmitOnceAndFinishWhenTheirParticlesHaveDied)
{
    struct Case
    {
        const char* name;
        std::function<Emitter*()> make;
        std::size_t particles;
    } cases[] = {
        {"blue", [] { return new BlueExplosionEmitter; }, 60},
        {"orange", [] { return new OrangeExplosionEmitter; }, 60},
        {"green", [] { return new GreenTurretEmitter; }, 60},
        {"generator", [] { return new GeneratorEmitter; }, 108},
        {"impact", [] { return new ImpactEmitter; }, 9},
        {"debris", [] { return new DebrisEmitter(0.0f, -1.0f); }, 15},
    };
    for (const Case& c : cases)
    {
        Emitter* e = AddEmitter(c.make(), 40.0f, 50.0f);
        EXPECT_EQ(e->particles.size(), c.particles) << c.name;
        EXPECT_EQ(e->particles.front().prevX, 40.0f) << c.name;
        EXPECT_GT(RunOut(), 0) << c.name;
    }
}

// Counts, in `added`, the particles each Emit adds (the emitter is deleted when done).
template <class Kind>
class Counting : public Kind
{
public:
    explicit Counting(std::size_t& total) : added(total) {}
    void Emit() override
    {
        const std::size_t before = this->particles.size();
        Kind::Emit();
        added += this->particles.size() - before;
    }
    std::size_t& added;
};

TEST_F(EmittersTest, SpiralsEmitTheirCountAndThenFinish)
{
    std::size_t start = 0;
    std::size_t exit = 0;
    AddEmitter(new Counting<StageStartEmitter>(start), 100.0f, 100.0f);
    AddEmitter(new Counting<ExitEmitter>(exit), 100.0f, 100.0f);
    EXPECT_GT(RunOut(), 0);
    EXPECT_EQ(start, 74u * 4u);
    EXPECT_EQ(exit, 34u * 4u);
}

TEST_F(EmittersTest, EndlessKindsNeverFinishAndCreditsStartFull)
{
    Force force;
    force.radius = 0; // a force of no radius streams from its centre
    auto* stream = new ForceEmitter;
    stream->force = &force;
    AddEmitter(stream, 0.0f, 0.0f);
    AddEmitter(new ContinueEmitter, 320.0f, 240.0f);
    Emitter* credits = AddEmitter(new CreditsEmitter, 0.0f, 0.0f);
    ASSERT_FALSE(credits->particles.empty());
    EXPECT_NEAR(credits->particles.front().life, 0.4f, 0.02f); // 1.5 s of its 1.9 s gone
    AddEmitter(new ExhaustEmitter, 0.0f, 0.0f);
    AddEmitter(new FuelStreamEmitter, 0.0f, 0.0f);
    for (int i = 0; i < 500; ++i)
        UpdateEmitters(List());
    EXPECT_EQ(List().size(), 5u);
    EXPECT_FALSE(stream->particles.empty());
    engine->ClearLevel(); // each kind deleted through the base
    EXPECT_TRUE(List().empty());
}

TEST_F(EmittersTest, TheExhaustFlowsOnlyWhileFireIsHeld)
{
    engine->ship.Spawn(0.0f, -100.0f);
    Emitter* exhaust = List().front();
    struct Case
    {
        int fire;
        std::size_t added;
    } cases[] = {{ButtonState::Held, 1}, {ButtonState::Pressed, 0}, {ButtonState::Up, 0}};
    for (const Case& c : cases)
    {
        SetButton(ButtonFire, c.fire);
        const std::size_t before = exhaust->particles.size();
        UpdateEmitters(List());
        EXPECT_EQ(exhaust->particles.size() - before, c.added) << c.fire;
    }
}

TEST_F(EmittersTest, StreamsLetGoOfTheirDeadOwnerAndFadeOut)
{
    auto* force = new Force;
    force->radius = 30;
    auto* missile = new LaunchedMissile;
    engine->level.entities = {force, missile};
    auto* stream = new ForceEmitter;
    stream->force = force;
    AddEmitter(stream, 0.0f, 0.0f);
    auto* trail = new TrailEmitter;
    trail->Follow(missile, &missile->trailPoint, &missile->angle);
    AddEmitter(trail, 0.0f, 0.0f);
    for (int i = 0; i < 10; ++i)
        UpdateEmitters(List());
    ASSERT_FALSE(stream->particles.empty());
    ASSERT_FALSE(trail->particles.empty());

    force->dead = missile->dead = true;
    engine->ReapDeadEntities({force, missile}); // deleted: never read again
    EXPECT_TRUE(engine->level.entities.empty());
    EXPECT_TRUE(trail->stop);
    EXPECT_GT(RunOut(), 0);
}

TEST_F(EmittersTest, AStoppedTrailFadesOutInsteadOfVanishing)
{
    LaunchedMissile missile;
    auto* trail = new TrailEmitter;
    trail->Follow(&missile, &missile.trailPoint, &missile.angle);
    AddEmitter(trail, 0.0f, 0.0f);
    for (int i = 0; i < 10; ++i)
        UpdateEmitters(List());
    StopTrail(trail);
    UpdateEmitters(List());
    ASSERT_EQ(List().size(), 1u);
    EXPECT_FALSE(trail->particles.empty());
    EXPECT_GT(RunOut(), 50);
}

TEST(ParticleTest, ALifeOfExactlyZeroIsStillAlive)
{
    Particle p;
    p.life = 0.0f;
    EXPECT_FALSE(ParticleIsDead(p));
    p.life = -0.001f;
    EXPECT_TRUE(ParticleIsDead(p));
}

} // namespace
