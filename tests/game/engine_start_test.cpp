// Start-up and shutdown of the Engine: a complete headless start over a small data set made
// in a temp folder, resources that fail, and a window that cannot open.
#include "game/engine.h"

#include "engine/line_model.h"
#include "engine/map_format.h"
#include "game/sound_files.h"
#include "platform/audio.h"
#include "platform/input_backend.h"
#include "support/log_capture.h"
#include "support/ogg_writer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace
{

std::string Sfx(const std::string& name)
{
    return "Data/SFX/" + name + ".ogg";
}

void PutInt(std::string& bytes, std::int32_t value)
{
    unsigned char word[4];
    EncodeLittleEndian32(static_cast<std::uint32_t>(value), word);
    bytes.append(reinterpret_cast<const char*>(word), 4);
}

void PutFloat(std::string& bytes, float value)
{
    std::uint32_t bits;
    static_assert(sizeof bits == sizeof value, "float is 32 bits");
    std::memcpy(&bits, &value, sizeof bits);
    PutInt(bytes, static_cast<std::int32_t>(bits));
}

// One beam from (110, 50) to (120, 50) around the centre (100, 50): (10, 0)-(20, 0) loaded.
std::string OneBeamModel()
{
    std::string bytes;
    PutInt(bytes, 1);
    PutInt(bytes, 100);
    PutInt(bytes, 50);
    for (float v : {110.0f, 50.0f, 1.0f, 0.0f, 0.0f, 120.0f, 50.0f, 0.0f, 1.0f, 0.0f})
        PutFloat(bytes, v);
    return bytes;
}

class EngineStartTest : public cavtest::TempDirTest
{
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        platform::SetAudioBackend(&audio);
        platform::SetInputBackend(&inputBackend);
        namespace fs = std::filesystem;
        fs::create_directories("Data/Maps");
        fs::create_directories("Data/Objects");
        fs::create_directories("Data/SFX");
        cavtest::WriteFile("MapPacks.cfg", "Test Pack\n");
        cavtest::WriteFile("Stages1.txt", "one.map\n");
        MapDocument map;
        map.title = "FIRST SECTOR";
        map.password = "ABCDE";
        map.endTimer = 30;
        ASSERT_TRUE(WriteMap("Data/Maps/one.map", map));
        const std::string empty(12, '\0'); // no beams, centre (0, 0)
        for (const ModelSlot& slot : kModelSlots)
            cavtest::WriteFile(std::string("Data/Objects/") + slot.name + ".obj", empty);
        cavtest::WriteFile("Data/Objects/SpaceMan01.obj", OneBeamModel());
        for (const SoundFile& file : kSampleFiles)
            ASSERT_TRUE(cavtest::WriteToneOgg(Sfx(file.name), 0.02));
        for (const SoundFile& file : kStreamFiles)
            ASSERT_TRUE(cavtest::WriteToneOgg(Sfx(file.name), 0.02));
    }

    void TearDown() override
    {
        engine.reset();
        platform::SetAudioBackend(nullptr);
        platform::SetInputBackend(nullptr);
        TempDirTest::TearDown();
    }

    bool StartHeadless()
    {
        EngineSettings settings;
        settings.headless = true;
        engine = std::make_unique<Engine>(settings);
        return engine->Start();
    }

    platform::RecordingAudio audio;
    platform::RecordingInputBackend inputBackend;
    std::unique_ptr<Engine> engine;
};

TEST_F(EngineStartTest, StartsIntoTheSplashWithEverythingLoaded)
{
    inputBackend.joysticksOpenable = {true};
    cavtest::LogCapture log;
    ASSERT_TRUE(StartHeadless());
    EXPECT_TRUE(engine->Started());
    EXPECT_FALSE(engine->VideoUp());

    EXPECT_EQ(engine->gameState, Splash);
    EXPECT_EQ(engine->totalSteps, 0);
    EXPECT_EQ(engine->packs.currentPack, 0);
    EXPECT_EQ(audio.Count("play", Sfx("Splash")), 1);
    EXPECT_EQ(audio.Count("load-sample"), 22);
    EXPECT_EQ(audio.Count("load-stream"), 5);
    EXPECT_TRUE(engine->input.joystickPresent);
    EXPECT_EQ(engine->input.Sensitivity(), 80);
    EXPECT_TRUE(cavtest::FileExists("Controls.dat"));
    ASSERT_EQ(engine->packs.rosters.size(), 1u);
    EXPECT_EQ(engine->packs.rosters[0][0], "Data/Maps/one.map");

    // The mirrored walking frames are mirror images of the scaled frames: (10, 0)-(20, 0)
    // at 0.125 is (1.25, 0)-(2.5, 0), mirrored (-1.25, 0)-(-2.5, 0).
    const LineModel& scaled = engine->res.lineModels[model::SpaceMan01];
    const LineModel& mirrored = engine->res.lineModels[model::SpaceMan01Mirrored];
    ASSERT_EQ(scaled.beams.size(), 1u);
    ASSERT_EQ(mirrored.beams.size(), 1u);
    EXPECT_FLOAT_EQ(scaled.beams[0].x1, 1.25f);
    EXPECT_FLOAT_EQ(mirrored.beams[0].x1, -1.25f);
    EXPECT_FLOAT_EQ(mirrored.beams[0].x2, -2.5f);
    EXPECT_FLOAT_EQ(mirrored.beams[0].dx, -1.0f);

    const std::string text = log.Text();
    EXPECT_NE(text.find("Intializing Engine!\n"), std::string::npos);
    EXPECT_NE(text.find("\n[Initializing Devil]\nComplete...\n\n"), std::string::npos);
    EXPECT_NE(text.find("Total Texture Memory Usage: 0 MB\n"), std::string::npos);
}

TEST_F(EngineStartTest, ASoundThatFailsEndsTheStartThere)
{
    // Clock loads after TeleportOut and Danger and before Seeker.
    std::filesystem::remove(Sfx("Clock"));
    EXPECT_FALSE(StartHeadless());
    EXPECT_FALSE(engine->Started());
    EXPECT_EQ(audio.Count("load-sample", Sfx("Danger")), 1);
    EXPECT_EQ(audio.Count("load-sample", Sfx("Seeker")), 0);
    EXPECT_EQ(audio.Count("load-stream"), 0);
    EXPECT_EQ(audio.Count("play"), 0);
    EXPECT_FALSE(cavtest::FileExists("Controls.dat")); // nothing after the resources
}

TEST_F(EngineStartTest, TheLastStreamMissingEndsTheStartToo)
{
    std::filesystem::remove(Sfx("Gameover"));
    EXPECT_FALSE(StartHeadless());
    EXPECT_EQ(audio.Count("load-stream"), 5);
}

TEST_F(EngineStartTest, AMissingModelOrPackListEndsTheStart)
{
    std::filesystem::remove("Data/Objects/Wasp.obj");
    EXPECT_FALSE(StartHeadless());
    EXPECT_EQ(audio.Count("load-sample"), 0);

    engine.reset();
    std::filesystem::remove("MapPacks.cfg");
    cavtest::LogCapture log;
    EXPECT_FALSE(StartHeadless());
    EXPECT_NE(log.Text().find("No Map Packs Found!\n"), std::string::npos);
    EXPECT_TRUE(engine->res.lineModels[model::Apocalypse].beams.empty());
}

// The big models load first (slot 0, then 30, then 23), then the rest by slot: with two
// model files missing, the one that loads earlier is the failure the log names.
TEST_F(EngineStartTest, LineModelsLoadInTheirDesignedOrder)
{
    const struct
    {
        const char* missing[2];
        const char* reported;
    } cases[] = {
        {{"BlueTurret", "Pebbleware"}, "Pebbleware"},
        {{"Pebbleware", "GameOver"}, "GameOver"},
        {{"GameOver", "Apocalypse"}, "Apocalypse"},
        {{"Beacon3", "Tree"}, "Tree"},
    };
    for (const auto& c : cases)
    {
        std::string saved[2];
        for (int i = 0; i < 2; ++i)
        {
            const std::string path = std::string("Data/Objects/") + c.missing[i] + ".obj";
            saved[i] = path;
            std::filesystem::rename(path, path + ".away");
        }
        engine.reset();
        cavtest::LogCapture log;
        EXPECT_FALSE(StartHeadless());
        const std::string text = log.Text();
        EXPECT_NE(text.find(std::string("Data/Objects/") + c.reported + ".obj"), std::string::npos)
            << c.reported;
        EXPECT_EQ(
            text.find("Failed to load line model", text.find("Failed to load line model") + 1),
            std::string::npos);
        for (const std::string& path : saved)
            std::filesystem::rename(path + ".away", path);
    }
}

TEST_F(EngineStartTest, ShutdownAfterALoadedLevelAndAfterAFailedStart)
{
    ASSERT_TRUE(StartHeadless());
    engine->progress.stage = 1;
    ASSERT_TRUE(engine->LoadMap());
    EXPECT_STREQ(engine->level.title, "FIRST SECTOR");
    engine.reset(); // clears the level; under the sanitizer, nothing leaks or dangles

    std::filesystem::remove(Sfx("Phazer"));
    cavtest::LogCapture log;
    EXPECT_FALSE(StartHeadless());
    engine.reset();
    const std::string text = log.Text();
    EXPECT_NE(text.find("\n[Engine Shutdown]\nComplete...\n\n"), std::string::npos);
    EXPECT_EQ(gEngine, nullptr);
}

// The seven-argument constructor: without a display the window cannot open (SDL's dummy driver
// has no OpenGL), so it returns at once without loading anything, and the destructor's
// steps run on members that were never filled.
TEST_F(EngineStartTest, FullConstructorReturnsWhenTheWindowCannotOpen)
{
    cavtest::LogCapture log;
    {
        Engine engine(640, 480, false, true, true, "Cavernaut", false);
        EXPECT_FALSE(engine.Started());
        EXPECT_FALSE(engine.VideoUp());
        EXPECT_TRUE(engine.level.wallGrid.IsEmpty());
        EXPECT_TRUE(engine.packs.packNames.empty());
    }
    const std::string text = log.Text();
    EXPECT_NE(text.find("Intializing Engine!\n"), std::string::npos);
    EXPECT_EQ(text.find("[Initializing Devil]"), std::string::npos);
    EXPECT_NE(text.find("\n[Engine Shutdown]\nComplete...\n\n"), std::string::npos);
    EXPECT_EQ(audio.Count("load-sample"), 0);
}

} // namespace
