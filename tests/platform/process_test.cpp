// Starting the patcher: run directly, not awaited, failure reported.
#include "platform/process.h"
#include "support/temp_dir.h"

#include <chrono>
#include <filesystem>
#include <thread>

namespace
{

class ProcessTest : public cavtest::TempDirTest
{
};

TEST_F(ProcessTest, StartsAProgramWithoutAShellAndReportsFailures)
{
    EXPECT_FALSE(platform::StartProgram("./Missing.exe"));
    cavtest::WriteFile("NotExecutable.exe", "#!/bin/sh\ntouch ran\n");
    EXPECT_FALSE(platform::StartProgram("./NotExecutable.exe"));

    // A name a shell would take apart is just a file name here.
    const std::string tricky = "./Patch er;touch injected.exe";
    cavtest::WriteFile(tricky, "#!/bin/sh\ntouch ran\n");
    std::filesystem::permissions(tricky, std::filesystem::perms::owner_all);
    EXPECT_TRUE(platform::StartProgram(tricky));
    for (int i = 0; i < 200 && !cavtest::FileExists("ran"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(cavtest::FileExists("ran"));
    EXPECT_FALSE(cavtest::FileExists("injected.exe"));
}

} // namespace
