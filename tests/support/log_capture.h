// Reading back what the code under test logged.
// LoggedTempDirTest: a temp-folder test with the log switched on.
// LogCapture: switches the log on, skips the file header, and reads back "Logfile.txt" of the
// current (temporary) folder; switches the log off again.
#pragma once

#include "engine/logger.h"
#include "support/temp_dir.h"

#include <cstdio>
#include <string>

namespace cavtest
{

class LoggedTempDirTest : public TempDirTest
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Everything logged since SetUp (without the file's dated header).
    std::string LogText() const;
};

class LogCapture
{
public:
    LogCapture()
    {
        std::remove("Logfile.txt");
        gLogger.enabled = true;
        gLogger.writeCount = 1; // past the first write: no header, append only
    }
    ~LogCapture()
    {
        gLogger.enabled = false;
        gLogger.writeCount = 0;
    }
    std::string Text() const { return FileExists("Logfile.txt") ? ReadFile("Logfile.txt") : ""; }
};

} // namespace cavtest
