#include "support/log_capture.h"

#include "engine/logger.h"

namespace cavtest
{

void LoggedTempDirTest::SetUp()
{
    TempDirTest::SetUp();
    gLogger.enabled = true;
    gLogger.writeCount = 0;
}

void LoggedTempDirTest::TearDown()
{
    gLogger.enabled = false;
    gLogger.writeCount = 0;
    TempDirTest::TearDown();
}

std::string LoggedTempDirTest::LogText() const
{
    if (!FileExists("Logfile.txt"))
        return "";
    std::string text = ReadFile("Logfile.txt");
    std::size_t header = text.find('\n');
    return header == std::string::npos ? "" : text.substr(header + 1);
}

} // namespace cavtest
