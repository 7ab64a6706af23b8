#include "platform/platform.h"
#include "support/temp_dir.h"

#include <chrono>
#include <sys/stat.h>

using cavtest::FileExists;
using cavtest::FilesUnder;
using cavtest::ReadFile;
using cavtest::TempDirTest;
using cavtest::WriteFile;

namespace
{

using Strings = std::vector<std::string>;

class PlatformTest : public TempDirTest
{
};

TEST_F(PlatformTest, RemoveFileTreatsMissingAsRemoved)
{
    WriteFile("x.dat", "1");
    EXPECT_TRUE(platform::RemoveFile("x.dat"));
    EXPECT_FALSE(FileExists("x.dat"));
    EXPECT_TRUE(platform::RemoveFile("x.dat"));
    EXPECT_FALSE(platform::RemoveFile(nullptr));
}

TEST_F(PlatformTest, AtomicWriteReplacesWholeOrNotAtAll)
{
    WriteFile("s.dat", "old");
    const mode_t oldMask = umask(027);
    const bool saved = platform::WriteFileAtomically("s.dat", std::string("new\0data", 8));
    struct stat info = {};
    const int statResult = stat("s.dat", &info);
    umask(oldMask);
    ASSERT_TRUE(saved);
    EXPECT_EQ(ReadFile("s.dat"), std::string("new\0data", 8));
    EXPECT_EQ(FilesUnder("."), Strings{"s.dat"});
    // A saved file is as readable as any other new file, not owner-only.
    ASSERT_EQ(statResult, 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    // A writer that fails half-way: its temporary file goes, the old file stays.
    auto failHalfWay = [](const std::string& temp)
    {
        WriteFile(temp, "partial");
        return false;
    };
    EXPECT_FALSE(platform::WriteFileAtomicallyWith("s.dat", failHalfWay));
    EXPECT_EQ(ReadFile("s.dat"), std::string("new\0data", 8));
    EXPECT_EQ(FilesUnder("."), Strings{"s.dat"});

    // Into a folder that does not exist: fails, and nothing else changes.
    EXPECT_FALSE(platform::WriteFileAtomically("nofolder/s.dat", "x"));
    EXPECT_EQ(ReadFile("s.dat"), std::string("new\0data", 8));
    EXPECT_EQ(FilesUnder("."), Strings{"s.dat"});
}

TEST_F(PlatformTest, SavingNeverTouchesTheUsersOtherFilesBesideTheTarget)
{
    const std::string own("the user's\0own file", 19);
    WriteFile("S01.map", "old");
    WriteFile("S01.map.tmp", own);
    WriteFile("S01.map.bak", "a backup");
    ASSERT_TRUE(platform::WriteFileAtomically("S01.map", "new"));
    auto writeNewer = [](const std::string& temp)
    {
        WriteFile(temp, "newer");
        return true;
    };
    ASSERT_TRUE(platform::WriteFileAtomicallyWith("S01.map", writeNewer));
    EXPECT_EQ(ReadFile("S01.map"), "newer");
    EXPECT_EQ(ReadFile("S01.map.tmp"), own);
    EXPECT_EQ(ReadFile("S01.map.bak"), "a backup");
    EXPECT_EQ(FilesUnder("."), (Strings{"S01.map", "S01.map.bak", "S01.map.tmp"}));
}

TEST(Platform, SleepWaitsAtLeastTheTime)
{
    auto start = std::chrono::steady_clock::now();
    platform::SleepMs(3);
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(std::chrono::duration_cast<std::chrono::microseconds>(waited).count(), 3000);
}

} // namespace
