// Space men, fuel pods, beacons and forces against a ship placed by hand.
#include "game/effects/emitters.h"
#include "game/entities/space_men.h"
#include "support/map_fixture.h"

#include <cmath>
#include <cstdlib>

using namespace cavtest;

namespace
{

constexpr std::int32_t kForce = 3, kFuelPod = 4, kSpaceMan = 5, kBeacon = 20;

class SpaceMenTest : public LevelTest
{
protected:
    // The records on a floor from -300 to 300 at y 100.
    void Load(std::vector<MapEntityRecord> records)
    {
        std::srand(11);
        MapDocument map;
        map.walls.push_back(MakeWall(-300.0f, 100.0f, 300.0f, 100.0f));
        map.entities = std::move(records);
        ASSERT_TRUE(WriteAndLoad(map));
    }
    template <class T>
    T* At(std::size_t n)
    {
        return dynamic_cast<T*>(EntityAt(n));
    }
    PlayerShip& PlaceShip(float x, float y, bool landed = false)
    {
        PlayerShip& ship = engine->ship;
        ship.x = ship.prevX = x;
        ship.y = ship.prevY = y;
        ship.inPlay = true;
        ship.landed = landed;
        ship.exploded = false;
        ship.vx = ship.vy = 0.0f;
        ship.UpdateCollisionPoints();
        return ship;
    }
};

// He either walks or waves in a tick: waving he stands with his counter in 2..4, walking
// it runs in 0..2; and he never walks off his ledge.
TEST_F(SpaceMenTest, ManWalksAndWavesInTurnAndNeverLeavesHisLedge)
{
    Load({MakeRecord(kSpaceMan, 250.0f, 100.0f)});
    SpaceMan* man = At<SpaceMan>(0);
    PlaceShip(0.0f, -2000.0f);
    int wavingTicks = 0, walkingTicks = 0, steps = 0;
    for (int i = 0; i < 6000; ++i)
    {
        const bool wasWaving = man->waving;
        const float before = man->x;
        man->Update();
        ASSERT_EQ(man->y, 100.0f);
        ASSERT_LE(std::fabs(man->x), 302.0f);
        if (wasWaving && man->waving)
        {
            ++wavingTicks;
            ASSERT_EQ(man->x, before);
            ASSERT_GE(man->animationCounter, 2.0f);
            ASSERT_LE(man->animationCounter, 4.0f);
        }
        else if (!wasWaving && !man->waving)
        {
            ++walkingTicks;
            steps += man->x != before; // not where he turns back at the edge
            ASSERT_LE(man->animationCounter, 2.0f);
        }
    }
    EXPECT_GT(wavingTicks, 500); // 2.5 s after every walk of 3 to 7 s
    EXPECT_GT(walkingTicks, 2500);
    EXPECT_GT(steps, walkingTicks * 9 / 10);
}

TEST_F(SpaceMenTest, ManWalksTowardsALandedShipNearby)
{
    for (float side : {-1.0f, 1.0f})
    {
        Load({MakeRecord(kSpaceMan, 0.0f, 100.0f)});
        SpaceMan* man = At<SpaceMan>(0);
        PlaceShip(side * 90.0f, 88.0f, true);
        for (int i = 0; i < 100; ++i)
            man->Update();
        EXPECT_NEAR(man->x, side * 30.0f, 0.5f) << side; // 0.3 a tick towards it
    }
}

TEST_F(SpaceMenTest, OnlyALandedShipRescuesAManAndOnlyOnce)
{
    for (bool landed : {false, true})
    {
        SCOPED_TRACE(landed);
        Load({MakeRecord(kSpaceMan, 0.0f, 100.0f)});
        SpaceMan* man = At<SpaceMan>(0);
        engine->progress.score = 0;
        engine->progress.rescued = 0;
        const PlayerShip& ship = PlaceShip(5.0f, 95.0f, landed);
        for (int touch = 0; touch < 3; ++touch)
            EXPECT_FALSE(man->HitTest(ship.shape)); // the ship is never hurt by him
        EXPECT_EQ(man->dead, landed);
        EXPECT_EQ(engine->progress.score, landed ? 50 : 0);
        EXPECT_EQ(engine->progress.rescued, landed ? 1 : 0);
    }
    // A shot's circles hit him; shot dead he leaves no burst.
    Load({MakeRecord(kSpaceMan, 0.0f, 100.0f)});
    SpaceMan* man = At<SpaceMan>(0);
    EXPECT_TRUE(man->HitTest({Circle(5.0f, 3.0f, 100.0f)}));
    man->health = 0.0f;
    man->Update();
    EXPECT_TRUE(man->dead);
    EXPECT_TRUE(engine->effects.emitters.empty());
}

TEST_F(SpaceMenTest, PodRefuelsOnlyAHoveringShipHoldingItsShieldWithin100)
{
    struct Case
    {
        float distance;
        bool landed;
        int shield;
        bool refuels;
    };
    const Case cases[] = {
        {99.0f, false, ButtonState::Held, true},
        {100.0f, false, ButtonState::Held, false},
        {99.0f, true, ButtonState::Held, false},
        {99.0f, false, ButtonState::Pressed, false},
        {50.0f, false, ButtonState::Up, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.distance << " " << c.landed << " " << c.shield);
        Load({MakeRecord(kFuelPod, 0.0f, 100.0f)});
        FuelPod* pod = At<FuelPod>(0);
        PlayerShip& ship = PlaceShip(0.0f, 100.0f - c.distance, c.landed);
        ship.fuel = 10.0f;
        engine->input[ButtonFire2].value = c.shield;
        pod->Update();
        EXPECT_FLOAT_EQ(ship.fuel, c.refuels ? 10.15f : 10.0f);
        EXPECT_FLOAT_EQ(pod->fuelLeft, c.refuels ? 99.9f : 100.0f);
    }
}

TEST_F(SpaceMenTest, AFullPodDrainsInAbout1000TicksThenPaysAndExplodes)
{
    Load({MakeRecord(kFuelPod, 0.0f, 100.0f)});
    FuelPod* pod = At<FuelPod>(0);
    PlayerShip& ship = PlaceShip(0.0f, 40.0f);
    ship.fuel = 0.0f;
    ship.fuelEmitter = nullptr; // no stream: the pod still pours
    engine->input[ButtonFire2].value = ButtonState::Held;
    int ticks = 0;
    while (!pod->dead && ticks < 2000)
    {
        pod->Update();
        ++ticks;
    }
    EXPECT_GE(ticks, 995);
    EXPECT_LE(ticks, 1005);
    EXPECT_NEAR(ship.fuel, 150.0f, 1.0f);
    EXPECT_EQ(engine->progress.score, 15);
    EXPECT_EQ(engine->effects.emitters.size(), 1u); // its burst
}

// The ship's stream emitter is the emitter list's: once the list has deleted it, the pod
// must not reach it through the ship's old pointer (the sanitizer build sees any touch).
TEST_F(SpaceMenTest, PodFeedsTheShipsStreamOnlyWhileTheListHoldsIt)
{
    Load({MakeRecord(kFuelPod, 0.0f, 100.0f)});
    FuelPod* pod = At<FuelPod>(0);
    PlayerShip& ship = PlaceShip(0.0f, 40.0f);
    auto stream = static_cast<FuelStreamEmitter*>(AddEmitter(new FuelStreamEmitter, 0, 0));
    ship.fuelEmitter = stream;
    engine->input[ButtonFire2].value = ButtonState::Held;
    pod->Update();
    ASSERT_EQ(stream->particles.size(), 1u);
    const Circle& body = pod->shape.front(); // the particle starts by the pod's body
    EXPECT_LE(std::fabs(stream->particles.back().x - body.x), 10.0f);
    EXPECT_LE(std::fabs(stream->particles.back().y - body.y), 10.0f);

    engine->effects.emitters.remove(stream);
    delete stream;
    for (int i = 0; i < 10; ++i)
        pod->Update();
    EXPECT_NEAR(pod->fuelLeft, 98.9f, 1e-3f);
}

TEST_F(SpaceMenTest, ABeaconTakesTheRespawnPointOnItsFirstTouchOnly)
{
    Load({MakeRecord(kBeacon, -200.0f, 100.0f), MakeRecord(kBeacon, 200.0f, 100.0f)});
    Beacon* left = At<Beacon>(0);
    Beacon* right = At<Beacon>(1);
    struct Touch
    {
        Beacon* beacon;
        float respawnX;
    };
    const Touch touches[] = {{left, -200.0f}, {right, 200.0f}, {left, 200.0f}};
    for (const Touch& t : touches)
    {
        const PlayerShip& ship = PlaceShip(t.beacon->x, 80.0f);
        EXPECT_FALSE(t.beacon->HitTest(ship.shape));
        EXPECT_TRUE(t.beacon->activated);
        EXPECT_EQ(ship.respawnX, t.respawnX);
        EXPECT_EQ(ship.respawnY, 100.0f);
    }
    // A shot's circles never reach it.
    Load({MakeRecord(kBeacon, 0.0f, 100.0f)});
    PlaceShip(0.0f, -500.0f);
    EXPECT_FALSE(At<Beacon>(0)->HitTest({Circle(5.0f, 0.0f, 80.0f)}));
    EXPECT_FALSE(At<Beacon>(0)->activated);
}

TEST_F(SpaceMenTest, AForcePushesOnlyAFlyingShipInside)
{
    struct Case
    {
        bool inPlay, landed, exploded;
        float y; // the force's circle: radius 50 around (0, 0)
        bool pushed;
    };
    const Case cases[] = {
        {true, false, false, -40.0f, true},  {true, true, false, -40.0f, false},
        {false, false, false, -40.0f, false}, {true, false, true, -40.0f, false},
        {true, false, false, -60.0f, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.inPlay << c.landed << c.exploded << c.y);
        MapEntityRecord force = MakeRecord(kForce, 0.0f, 0.0f);
        force.fields[0].integer = 50;
        Load({force});
        PlayerShip& ship = PlaceShip(0.0f, c.y, c.landed);
        ship.inPlay = c.inPlay;
        ship.exploded = c.exploded;
        EntityAt(0)->Update();
        EXPECT_NEAR(ship.vx, 0.0f, 1e-6f);
        EXPECT_FLOAT_EQ(ship.vy, c.pushed ? -0.01f : 0.0f); // angle 0 pushes upwards
    }
}

TEST_F(SpaceMenTest, AForceOfNoRadiusStreamsFromItsCentreWithoutCrashing)
{
    MapEntityRecord force = MakeRecord(kForce, 10.0f, 20.0f);
    force.fields[0].integer = 0;
    Load({force});
    PlaceShip(0.0f, -500.0f);
    ASSERT_EQ(engine->effects.emitters.size(), 1u);
    for (int i = 0; i < 200; ++i)
    {
        engine->UpdateEntities();
        UpdateEmitters(engine->effects.emitters);
    }
    const Emitter* stream = engine->effects.emitters.front();
    ASSERT_FALSE(stream->particles.empty());
    for (const Particle& p : stream->particles)
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
}

} // namespace
