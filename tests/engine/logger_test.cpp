#include "engine/logger.h"
#include "support/temp_dir.h"

#include <cstring>
#include <filesystem>

using cavtest::FileExists;
using cavtest::ReadFile;
using cavtest::TempDirTest;

namespace
{

class LoggerTest : public TempDirTest
{
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        gLogger.enabled = false;
        gLogger.writeCount = 0;
    }
    void TearDown() override
    {
        gLogger.enabled = false;
        gLogger.writeCount = 0;
        TempDirTest::TearDown();
    }
};

TEST_F(LoggerTest, OffWritesNothing)
{
    gLogger.Log("hidden\n");
    EXPECT_EQ(gLogger.writeCount, 0);
    EXPECT_FALSE(FileExists("Logfile.txt"));
}

TEST_F(LoggerTest, HeaderThenPiecesOfOneLineVerbatim)
{
    testing::internal::CaptureStdout();
    gLogger.Enable(true);
    gLogger.Enable(true); // already on: logs nothing more
    gLogger.Log("Loaded sample: ");
    gLogger.Log("Data/SFX/Explode.ogg");
    gLogger.Log("\n");
    gLogger.Log("100% done %s %n\n");
    std::string out = testing::internal::GetCapturedStdout();

    std::string header = std::string("Logfile created on ") + BuildDate() + "\n";
    std::string body =
        ">>Logging Enabled<<\nLoaded sample: Data/SFX/Explode.ogg\n100% done %s %n\n";
    EXPECT_EQ(ReadFile("Logfile.txt"), header + body);
    EXPECT_EQ(out, body);
    EXPECT_EQ(gLogger.writeCount, 5);
    // The build date has the compiler's "Mmm dd yyyy" shape.
    EXPECT_EQ(std::strlen(BuildDate()), 11u);
}

TEST_F(LoggerTest, NewRunTruncatesAndDisableLogsOnce)
{
    cavtest::WriteFile("Logfile.txt", "previous run\n");
    testing::internal::CaptureStdout();
    gLogger.Enable(true);
    gLogger.Enable(false);
    gLogger.Enable(false);
    gLogger.Log("after\n");
    testing::internal::GetCapturedStdout();
    std::string log = ReadFile("Logfile.txt");
    EXPECT_EQ(log.find("previous run"), std::string::npos);
    EXPECT_NE(log.find(">>Logging Disabled<<\n"), std::string::npos);
    EXPECT_EQ(log.find("after"), std::string::npos);
    EXPECT_EQ(gLogger.writeCount, 2);
}

TEST_F(LoggerTest, UnwritableLogStillEchoesAndCounts)
{
    std::filesystem::create_directory("Logfile.txt"); // cannot be opened as a file
    testing::internal::CaptureStdout();
    gLogger.Enable(true);
    gLogger.Log("still here\n");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, ">>Logging Enabled<<\nstill here\n");
    EXPECT_EQ(gLogger.writeCount, 2);
}

} // namespace
