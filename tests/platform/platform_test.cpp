#include "platform/platform.h"
#include "support/temp_dir.h"

#include <chrono>

using cavtest::FileExists;
using cavtest::ReadFile;
using cavtest::TempDirTest;
using cavtest::WriteFile;

namespace
{

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
    ASSERT_TRUE(platform::WriteFileAtomically("s.dat", std::string("new\0data", 8)));
    EXPECT_EQ(ReadFile("s.dat"), std::string("new\0data", 8));
    EXPECT_FALSE(FileExists(platform::TempPathFor("s.dat")));
    // Into a folder that does not exist: fails, and nothing else changes.
    EXPECT_FALSE(platform::WriteFileAtomically("nofolder/s.dat", "x"));
    EXPECT_EQ(ReadFile("s.dat"), std::string("new\0data", 8));
}

TEST(Platform, SleepWaitsAtLeastTheTime)
{
    auto start = std::chrono::steady_clock::now();
    platform::SleepMs(3);
    auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(std::chrono::duration_cast<std::chrono::microseconds>(waited).count(), 3000);
}

} // namespace
