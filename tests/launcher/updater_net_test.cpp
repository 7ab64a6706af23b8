// "Check Updates" against a real HTTP server on 127.0.0.1 (scripts/lib/start-http.sh).
// Skipped only when that server's variables are absent.
#include "engine/config_file.h"
#include "launcher/setup_frame.h"
#include "launcher/updater.h"
#include "support/recording_prompter.h"
#include "support/setup_window_runner.h"
#include "support/temp_dir.h"

#include <wx/button.h>
#include <wx/init.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <thread>

namespace fs = std::filesystem;
using cavtest::FileExists;
using cavtest::ReadFile;
using cavtest::WriteFile;
using Strings = std::vector<std::string>;

namespace
{

// Bytes that are not text: NULs and every other value, longer than one 8192-byte block.
std::string BinaryBlob(std::size_t size, unsigned seed)
{
    std::string out(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<char>((i * 31u + seed * 7u + (i >> 8)) % 256u);
    return out;
}

// Every file under `root`, relative, with its contents.
std::map<std::string, std::string> Listing(const std::string& root)
{
    std::map<std::string, std::string> files;
    for (const std::string& name : cavtest::FilesUnder(root))
        files[name] = ReadFile((fs::path(root) / name).string());
    return files;
}

// The local server, emptied for each test, and its request log.
class HttpServerTest : public cavtest::TempDirTest
{
protected:
    void SetUp() override
    {
        const char* port = std::getenv("CAV_HTTP_PORT");
        const char* root = std::getenv("CAV_HTTP_ROOT");
        const char* log = std::getenv("CAV_HTTP_LOG");
        if (port == nullptr || root == nullptr || log == nullptr)
            GTEST_SKIP() << "no test HTTP server (run scripts/test)";
        TempDirTest::SetUp();
        serverRoot = std::string(root) + "/Cavernaut/";
        requestLog = log;
        fs::remove_all(serverRoot);
        fs::create_directories(serverRoot);
        WriteFile(requestLog, "");
        UseServerPort(std::atoi(port));
        fs::create_directories("Data/Maps");
    }

    void UseServerPort(int port)
    {
        WriteFile("Servers.cfg", "[Server Configuration]\nUPDATE_HOST\t= 127.0.0.1\n"
                                 "UPDATE_PORT\t= " +
                                     std::to_string(port) + "\n");
    }

    void Serve(const std::string& path, const std::string& bytes)
    {
        WriteFile(serverRoot + path, bytes);
    }

    // The paths the server was asked for, in order, without the "/Cavernaut/" prefix.
    Strings Requests()
    {
        Strings paths;
        std::string text = ReadFile(requestLog);
        std::size_t at = 0;
        while (at < text.size())
        {
            std::size_t end = text.find('\n', at);
            std::string line = text.substr(at, end - at);
            const std::string prefix = "GET /Cavernaut/";
            paths.push_back(line.compare(0, prefix.size(), prefix) == 0 ? line.substr(prefix.size())
                                                                        : line);
            at = end == std::string::npos ? text.size() : end + 1;
        }
        return paths;
    }

    void InstallStubPatcher()
    {
        WriteFile("Patcher.exe", "#!/bin/sh\necho patched > Temp\n");
        fs::permissions("Patcher.exe", fs::perms::owner_all);
    }

    static bool AppearsSoon(const std::string& path)
    {
        for (int i = 0; i < 300 && !FileExists(path); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return FileExists(path);
    }

    std::string serverRoot;
    std::string requestLog;
    cavtest::RecordingPrompter prompter;
};

class UpdaterNetTest : public HttpServerTest
{
protected:
    wxInitializer toolkit; // sockets need the toolkit's base
    Updater updater{prompter, 3};
};

TEST_F(UpdaterNetTest, SameVersionIsUpToDate)
{
    Serve("Version.txt", "1.0.0");
    EXPECT_FALSE(updater.CheckVersion());
    EXPECT_EQ(prompter.Texts(), Strings{"VERSION UP-TO-DATE|DONE"});
    EXPECT_EQ(Requests(), Strings{"Version.txt"});
    EXPECT_EQ(ReadFile("Version.txt"), "1.0.0");
}

TEST_F(UpdaterNetTest, NewVersionDownloadsBothFilesWholeAndStartsThePatcher)
{
    const std::string patch = BinaryBlob(20000, 1);
    const std::string editor = BinaryBlob(8193, 2);
    Serve("Version.txt", "1.0.0\n");
    Serve("Patch.exe", patch);
    Serve("NautED.exe", editor);
    InstallStubPatcher();
    EXPECT_TRUE(updater.CheckVersion());
    EXPECT_TRUE(prompter.boxes.empty()) << prompter.Texts()[0];
    EXPECT_EQ(Requests(), (Strings{"Version.txt", "Patch.exe", "NautED.exe"}));
    EXPECT_TRUE(ReadFile("Patch.exe") == patch);
    EXPECT_TRUE(ReadFile("NautED.exe") == editor);
    EXPECT_EQ(prompter.busyTexts, Strings{"Please wait, Downloading patch..."});
    EXPECT_EQ(prompter.busyDepth, 0);
    EXPECT_TRUE(AppearsSoon("Temp"));
}

TEST_F(UpdaterNetTest, APatcherThatCannotStartFailsAndKeepsTheWindowOpen)
{
    Serve("Version.txt", "0.9.9\n");
    Serve("Patch.exe", "patch");
    Serve("NautED.exe", "editor");
    EXPECT_FALSE(updater.CheckVersion());
    EXPECT_EQ(prompter.Texts(), Strings{"FAILED!|ERROR"});
    EXPECT_EQ(ReadFile("Patch.exe"), "patch");
}

TEST_F(UpdaterNetTest, AClosedPortIsAConnectionError)
{
    // A port that was free a moment ago: nothing listens there.
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(probe, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    socklen_t len = sizeof addr;
    ASSERT_EQ(getsockname(probe, reinterpret_cast<sockaddr*>(&addr), &len), 0);
    close(probe);
    UseServerPort(ntohs(addr.sin_port));
    EXPECT_FALSE(updater.CheckVersion());
    EXPECT_FALSE(updater.CheckContentUpdates());
    EXPECT_EQ(prompter.Texts(), (Strings{"CONNECTION ERROR!|ERROR", "CONNECTION ERROR!|ERROR"}));
    EXPECT_FALSE(FileExists("Version.txt"));
    EXPECT_FALSE(FileExists("Updates.txt"));
}

TEST_F(UpdaterNetTest, MissingFilesTakeTheNoFileRoad)
{
    // No "Version.txt" on the server at all.
    EXPECT_FALSE(updater.CheckVersion());
    // An error page or a redirect is no file: never saved under the real name.
    Serve("Version.txt.status", "302");
    Serve("Version.txt", "1.0.0\n");
    EXPECT_FALSE(updater.CheckVersion());
    Serve("Version.txt.status", "500");
    EXPECT_FALSE(updater.CheckVersion());
    EXPECT_EQ(prompter.Texts(), (Strings{"INSTALL COMPLETED|DONE", "INSTALL COMPLETED|DONE",
                                         "INSTALL COMPLETED|DONE"}));
    EXPECT_FALSE(FileExists("Version.txt"));

    // No content list: false, silently.
    prompter.boxes.clear();
    EXPECT_FALSE(updater.CheckContentUpdates());
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(UpdaterNetTest, AMissingEditorKeepsThePatchAndStartsNothing)
{
    Serve("Version.txt", "1.0.0\n");
    Serve("Patch.exe", BinaryBlob(9000, 3));
    InstallStubPatcher();
    EXPECT_FALSE(updater.CheckVersion());
    EXPECT_EQ(prompter.Texts(), Strings{"NO PATCH FOUND!|DONE"});
    EXPECT_TRUE(ReadFile("Patch.exe") == BinaryBlob(9000, 3));
    EXPECT_FALSE(FileExists("NautED.exe"));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(FileExists("Temp"));

    // A patch behind a redirect is no patch either.
    prompter.boxes.clear();
    fs::remove("Patch.exe");
    Serve("Patch.exe.status", "301");
    EXPECT_FALSE(updater.CheckVersion());
    EXPECT_EQ(prompter.Texts(), Strings{"NO PATCH FOUND!|DONE"});
    EXPECT_FALSE(FileExists("Patch.exe"));
}

TEST_F(UpdaterNetTest, ATruncatedBodyFailsAndLeavesNoPartialFile)
{
    WriteFile("Patch.exe", "the old patch");
    Serve("Version.txt", "1.0.1\n");
    Serve("Patch.exe", BinaryBlob(10000, 4));
    Serve("Patch.exe.lie", "30000");
    InstallStubPatcher();
    EXPECT_FALSE(updater.CheckVersion());
    EXPECT_EQ(prompter.Texts(), Strings{"FAILED!|ERROR"});
    EXPECT_EQ(ReadFile("Patch.exe"), "the old patch");
    EXPECT_EQ(cavtest::FilesUnder("."),
              (Strings{"Patch.exe", "Patcher.exe", "Servers.cfg", "Version.txt"}));
    EXPECT_EQ(prompter.busyDepth, 0);
}

TEST_F(UpdaterNetTest, ASilentServerTimesOutInSeconds)
{
    Serve("Version.txt", "1.0.0");
    Serve("Version.txt.silent", "20");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(updater.CheckVersion());
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start)
            .count();
    EXPECT_LT(seconds, 10);
    EXPECT_EQ(prompter.Texts(), Strings{"FAILED!|ERROR"});
}

TEST_F(UpdaterNetTest, OneLineListAsksNothing)
{
    Serve("Updates.txt", "MapPacks.cfg\n");
    EXPECT_TRUE(updater.CheckContentUpdates());
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(Requests(), Strings{"Updates.txt"});
}

// What a content update that failed leaves: the files it began with and the list it fetched.
const Strings kUntouchedContent = {"Data/Maps/old.map", "Data/Maps/one.map", "Data/Maps/two.map",
                                   "MapPacks.cfg",      "Servers.cfg",       "Stages1.txt",
                                   "Stages2.txt",       "Updates.txt"};

class ContentUpdateTest : public UpdaterNetTest
{
protected:
    void SetUp() override
    {
        UpdaterNetTest::SetUp();
        if (IsSkipped())
            return;
        WriteFile("MapPacks.cfg", "Pack one\nPack two\n");
        WriteFile("Stages1.txt", "one.map\n");
        WriteFile("Stages2.txt", "two.map\n");
        WriteFile("Data/Maps/one.map", "map one");
        WriteFile("Data/Maps/two.map", "map two");
        WriteFile("Data/Maps/old.map", "our old map");
        ServeTheNewPack();
    }

    void ServeTheNewPack()
    {
        Serve("Updates.txt", "MapPacks.cfg\nStages1.txt\nStages2.txt\nStages3.txt\n");
        Serve("MapPacks.cfg", "Pack one\nPack two\nPack three\n");
        Serve("Stages3.txt", "new1.map\nold.map\n");
        Serve("Data/Maps/new1.map", BinaryBlob(12000, 5));
        Serve("Data/Maps/old.map", "the server's old map");
    }
};

TEST_F(ContentUpdateTest, YesFetchesTheNewListAndItsMapsButKeepsExistingMaps)
{
    EXPECT_TRUE(updater.CheckContentUpdates());
    EXPECT_EQ(prompter.Texts(), Strings{"UPDATES FOUND\n DOWNLOAD NOW?|READY"});
    EXPECT_EQ(prompter.busyTexts, Strings{"Please wait, Downloading new content..."});
    EXPECT_EQ(Requests(), (Strings{"Updates.txt", "MapPacks.cfg", "Stages3.txt",
                                   "Data/Maps/new1.map", "Data/Maps/old.map"}));
    EXPECT_EQ(ReadFile("MapPacks.cfg"), "Pack one\nPack two\nPack three\n");
    EXPECT_EQ(ReadFile("Stages3.txt"), "new1.map\nold.map\n");
    EXPECT_TRUE(ReadFile("Data/Maps/new1.map") == BinaryBlob(12000, 5));
    EXPECT_EQ(ReadFile("Data/Maps/old.map"), "our old map");
    EXPECT_EQ(cavtest::FilesUnder("."),
              (Strings{"Data/Maps/new1.map", "Data/Maps/old.map", "Data/Maps/one.map",
                       "Data/Maps/two.map", "MapPacks.cfg", "Servers.cfg", "Stages1.txt",
                       "Stages2.txt", "Stages3.txt", "Updates.txt"}));
}

TEST_F(ContentUpdateTest, NoFetchesNothingMore)
{
    prompter.answerYes = false;
    EXPECT_FALSE(updater.CheckContentUpdates());
    EXPECT_EQ(Requests(), Strings{"Updates.txt"});
    EXPECT_FALSE(FileExists("Stages3.txt"));
    EXPECT_EQ(ReadFile("MapPacks.cfg"), "Pack one\nPack two\n");
}

TEST_F(ContentUpdateTest, ASecondCheckCannotStartWhileOneRuns)
{
    bool nestedContent = true;
    bool nestedVersion = true;
    prompter.whileBoxIsUp = [&]()
    {
        nestedContent = updater.CheckContentUpdates();
        nestedVersion = updater.CheckVersion();
    };
    EXPECT_TRUE(updater.CheckContentUpdates());
    EXPECT_FALSE(nestedContent);
    EXPECT_FALSE(nestedVersion);
    EXPECT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(Requests().size(), 5u);
}

TEST_F(ContentUpdateTest, CrlfListsAndALastLineWithoutNewlineGiveTheRightNames)
{
    Serve("Updates.txt", "MapPacks.cfg\r\nStages1.txt\r\nStages2.txt\r\nStages3.txt");
    Serve("Stages3.txt", "new1.map\r\nold.map");
    EXPECT_TRUE(updater.CheckContentUpdates());
    EXPECT_EQ(Requests(), (Strings{"Updates.txt", "MapPacks.cfg", "Stages3.txt",
                                   "Data/Maps/new1.map", "Data/Maps/old.map"}));
    EXPECT_TRUE(FileExists("Data/Maps/new1.map"));
    EXPECT_TRUE(FileExists("Stages3.txt"));
}

TEST_F(ContentUpdateTest, AMissingMapLeavesNoListNamingIt)
{
    Serve("Stages3.txt", "new1.map\nmissing.map\n");
    EXPECT_FALSE(updater.CheckContentUpdates());
    EXPECT_EQ(prompter.Texts(), (Strings{"UPDATES FOUND\n DOWNLOAD NOW?|READY", "FAILED!|ERROR"}));
    EXPECT_EQ(ReadFile("MapPacks.cfg"), "Pack one\nPack two\n");
    EXPECT_EQ(cavtest::FilesUnder("."), kUntouchedContent);
}

TEST_F(ContentUpdateTest, ATruncatedMapFailsAndLeavesNoPartialMap)
{
    Serve("Data/Maps/new1.map.lie", "99999");
    EXPECT_FALSE(updater.CheckContentUpdates());
    EXPECT_EQ(prompter.Texts().back(), "FAILED!|ERROR");
    EXPECT_EQ(cavtest::FilesUnder("."), kUntouchedContent);
}

// The whole update is checked before anything is written: an update that would stop the
// next start of the game (an empty stage list, a pack list that does not name one pack per
// stage list, a map shorter than an empty map) is corrupt and changes nothing.
TEST_F(ContentUpdateTest, AnUpdateTheGameCouldNotStartWithChangesNothing)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Stages3.txt", ""},
        {"MapPacks.cfg", "Pack one\nPack two\n"},
        {"MapPacks.cfg", "Pack one\nPack two\nPack three\nPack four\n"},
        {"Data/Maps/new1.map", std::string(49, '\0')},
    };
    for (const auto& [path, bytes] : cases)
    {
        SCOPED_TRACE(path + " of " + std::to_string(bytes.size()) + " bytes");
        ServeTheNewPack();
        Serve(path, bytes);
        EXPECT_FALSE(updater.CheckContentUpdates());
        EXPECT_EQ(prompter.Texts().back(), "FILE IS CORRUPT, TRY AGAIN|DONE");
        EXPECT_EQ(ReadFile("MapPacks.cfg"), "Pack one\nPack two\n");
        EXPECT_FALSE(FileExists("Stages3.txt"));
        EXPECT_FALSE(FileExists("Data/Maps/new1.map"));
        prompter.boxes.clear();
    }
    // A map of exactly 50 bytes is a whole, empty map.
    ServeTheNewPack();
    Serve("Data/Maps/new1.map", std::string(50, '\0'));
    EXPECT_TRUE(updater.CheckContentUpdates());
    EXPECT_EQ(ReadFile("Stages3.txt"), "new1.map\nold.map\n");
}

TEST_F(ContentUpdateTest, ANulOrAByteOutsidePrintableAsciiIsCorrupt)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {std::string("MapPacks.cfg\nStages3.txt\0junk\n", 30), "new1.map\n"},
        {"MapPacks.cfg\nStages3.txt\n", std::string("new1.map\0.exe\n", 14)},
        {"MapPacks.cfg\nStages3.txt\n", "caf\xc3\xa9.map\n"},
    };
    for (const auto& [list, stages] : cases)
    {
        SCOPED_TRACE(stages);
        Serve("Updates.txt", list);
        Serve("Stages3.txt", stages);
        prompter.boxes.clear();
        EXPECT_FALSE(updater.CheckContentUpdates());
        EXPECT_EQ(prompter.Texts().back(), "FILE IS CORRUPT, TRY AGAIN|DONE");
        EXPECT_FALSE(FileExists("Stages3.txt"));
        EXPECT_EQ(ReadFile("MapPacks.cfg"), "Pack one\nPack two\n");
    }
}

TEST_F(ContentUpdateTest, NamesArePercentEncodedInTheRequest)
{
    Serve("Stages3.txt", "a b#c%?.map\nold.map\n");
    Serve("Data/Maps/a b#c%?.map", BinaryBlob(100, 3));
    EXPECT_TRUE(updater.CheckContentUpdates());
    EXPECT_EQ(Requests(), (Strings{"Updates.txt", "MapPacks.cfg", "Stages3.txt",
                                   "Data/Maps/a%20b%23c%25%3F.map", "Data/Maps/old.map"}));
    EXPECT_TRUE(ReadFile("Data/Maps/a b#c%?.map") == BinaryBlob(100, 3));
}

TEST_F(ContentUpdateTest, HostileNamesAreRefusedAndNothingIsWritten)
{
    const std::string parent = fs::path(temp->Path()).parent_path().string();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"MapPacks.cfg\n../evil.txt\n", ""},
        {"MapPacks.cfg\nEngine.cfg\n", ""},
        {"MapPacks.cfg\nScores.dat\n", ""},
        {"MapPacks.cfg\n/etc/passwd\n", ""},
        {"MapPacks.cfg\nCavernaut\n", ""},
        {"MapPacks.cfg\nStages3.txt\n", "../../escape.map\n"},
        {"MapPacks.cfg\nStages3.txt\n", "new1.map\n/tmp/abs.map\n"},
        {"MapPacks.cfg\nStages3.txt\n", "..\\win.map\n"},
        {"MapPacks.cfg\nStages3.txt\n", ".hidden.map\n"},
        {"MapPacks.cfg\nStages3.txt\n", "Controls.dat\n"},
        {"MapPacks.cfg\nStages3.txt\n", "a_name_far_too_long_for_a_map.map\n"},
    };
    WriteFile("Engine.cfg", "[Display Properties]\nRes\t= 1\n");
    for (const auto& [list, stages] : cases)
    {
        SCOPED_TRACE(list + stages);
        Serve("Updates.txt", list);
        Serve("Stages3.txt", stages);
        const auto before = Listing(".");
        prompter.boxes.clear();
        WriteFile(requestLog, "");
        EXPECT_FALSE(updater.CheckContentUpdates());
        EXPECT_EQ(prompter.Texts().back(), "FILE IS CORRUPT, TRY AGAIN|DONE");
        auto after = Listing(".");
        after.erase("Updates.txt");
        auto expected = before;
        expected.erase("Updates.txt");
        EXPECT_EQ(after, expected);
        for (const std::string& path : Requests())
            EXPECT_EQ(path.find("Data/Maps/"), std::string::npos) << path;
    }
    for (const auto& entry : fs::directory_iterator(parent))
        EXPECT_EQ(entry.path().filename().string().find("escape"), std::string::npos);
    EXPECT_FALSE(FileExists("/tmp/abs.map"));
}

} // namespace

namespace
{

// The button runs the content update first and the version check only when that succeeded.
class CheckUpdatesButtonTest : public HttpServerTest
{
protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr)
            GTEST_SKIP() << "no display (run scripts/test)";
        HttpServerTest::SetUp();
        gConfigFile.ResetForNewRun();
    }

    // Presses "Check Updates" in the real window, then closes it.
    void PressCheckUpdates()
    {
        SetupChoices choices;
        bool shown = false;
        cavtest::RunSetupWindow(
            choices, shown, prompter,
            [&](SetupApp& app)
            {
                SetupPanel* panel = app.frame->panel;
                wxCommandEvent press(wxEVT_BUTTON, SetupPanel::ID_CHECK_UPDATES);
                press.SetEventObject(panel->checkUpdates);
                panel->OnCheckUpdates(press);
                buttonsEnabledAfter = panel->checkUpdates->IsEnabled() && panel->play->IsEnabled();
                app.frame->Close(true);
            });
    }

    bool buttonsEnabledAfter = false;
};

TEST_F(CheckUpdatesButtonTest, NoContentListMeansNoVersionCheck)
{
    Serve("Version.txt", "1.0.0");
    PressCheckUpdates();
    EXPECT_EQ(Requests(), Strings{"Updates.txt"});
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_TRUE(buttonsEnabledAfter);
}

TEST_F(CheckUpdatesButtonTest, ASuccessfulContentUpdateIsFollowedByTheVersionCheck)
{
    Serve("Updates.txt", "MapPacks.cfg\n");
    Serve("Version.txt", "1.0.0");
    PressCheckUpdates();
    EXPECT_EQ(Requests(), (Strings{"Updates.txt", "Version.txt"}));
    EXPECT_EQ(prompter.Texts(), Strings{"VERSION UP-TO-DATE|DONE"});
    EXPECT_TRUE(buttonsEnabledAfter);
}

} // namespace
