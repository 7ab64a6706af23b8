#include "support/headless_game.h"

#include "engine/config_file.h"
#include "engine/map_format.h"

#include <filesystem>

namespace cavtest
{

void HeadlessGameTest::SetUp()
{
    LoggedTempDirTest::SetUp();
    platform::SetAudioBackend(&audio);
    platform::SetInputBackend(&inputBackend);
    SetScoreServer(&scoreServer);
    gConfigFile.ResetForNewRun();
    EngineSettings settings;
    settings.headless = true;
    engine = std::make_unique<Engine>(settings);
    std::filesystem::create_directories("Data/Maps");
}

void HeadlessGameTest::TearDown()
{
    engine.reset();
    SetScoreServer(nullptr);
    platform::SetInputBackend(nullptr);
    platform::SetAudioBackend(nullptr);
    LoggedTempDirTest::TearDown();
}

void HeadlessGameTest::AddPack(const std::string& name, const std::vector<std::string>& passwords)
{
    std::vector<std::string> roster;
    for (std::size_t i = 0; i < passwords.size(); ++i)
    {
        const std::string file = name + std::to_string(i + 1) + ".map";
        MapDocument map;
        map.title = name + " " + std::to_string(i + 1);
        map.password = passwords[i];
        map.walls.push_back(Beam());
        ASSERT_TRUE(WriteMap("Data/Maps/" + file, map));
        roster.push_back("Data/Maps/" + file);
    }
    engine->packs.packNames.push_back(name + "\n");
    engine->packs.rosters.push_back(roster);
    engine->packs.passwords.push_back(passwords);
}

void HeadlessGameTest::Steps(int count)
{
    for (int i = 0; i < count; ++i)
    {
        ++engine->totalSteps;
        engine->Update();
        engine->TickButtons();
        engine->input.anyKey = false;
    }
}

void HeadlessGameTest::Tap(int code)
{
    engine->OnKey(code, true);
    Steps();
    engine->OnKey(code, false);
    Steps();
}

void HeadlessGameTest::Type(const std::string& text)
{
    for (char c : text)
        engine->OnTextInput(static_cast<unsigned char>(c));
    Steps();
}

void HeadlessGameTest::EnterMenu()
{
    engine->EnterFrontEnd();
    engine->stateTimer = 3.5f;
}

} // namespace cavtest
