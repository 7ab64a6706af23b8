// Collects what the code under test logs: switches the log on, skips the file header, and
// reads back "Logfile.txt" of the current (temporary) folder. Switches the log off again.
#pragma once

#include "engine/logger.h"
#include "support/temp_dir.h"

#include <cstdio>
#include <string>

namespace cavtest
{

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
