#include "support/flight_fixture.h"

#include "support/map_fixture.h"
#include "support/ogg_writer.h"

#include <cstdlib>
#include <filesystem>

namespace cavtest
{

namespace
{

const int kSampleSlots[] = {sfx::Phazer,    sfx::Explode,       sfx::Shield,
                            sfx::Engine,    sfx::ShieldReflect, sfx::StageReflect,
                            sfx::EnemyShot, sfx::TeleportOut};

std::string SamplePath(int slot)
{
    return "Data/SFX/sample" + std::to_string(slot) + ".ogg";
}

} // namespace

void FlightTest::SetUp()
{
    TempDirTest::SetUp();
    platform::SetAudioBackend(&audio);
    platform::SetInputBackend(&inputBackend);
    std::srand(7);
    EngineSettings settings;
    settings.headless = true;
    engine = std::make_unique<Engine>(settings);
    std::filesystem::create_directories("Data/SFX");
    for (int slot : kSampleSlots)
    {
        ASSERT_TRUE(WriteToneOgg(SamplePath(slot), 0.02));
        ASSERT_TRUE(engine->res.samples[slot].Load(SamplePath(slot), false));
    }
}

void FlightTest::TearDown()
{
    engine.reset();
    platform::SetAudioBackend(nullptr);
    platform::SetInputBackend(nullptr);
    TempDirTest::TearDown();
}

void FlightTest::SetWalls(std::initializer_list<Beam> walls)
{
    engine->level.walls.assign(walls);
    engine->ComputeMapBounds();
    engine->BuildWallGrid();
}

int FlightTest::Plays(int slot) const
{
    return audio.Count("play", SamplePath(slot));
}

void FlightTest::SetButton(InputButton button, int state)
{
    engine->input[button].value = state;
}

void FlightTest::Tick(int ticks)
{
    for (int i = 0; i < ticks; ++i)
        engine->ship.Update();
}

} // namespace cavtest
