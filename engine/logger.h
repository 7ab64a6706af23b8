// Logger: the run's log. Every text is echoed to standard output and appended to
// "Logfile.txt"; the first text of a run truncates the file and writes the dated header.
// Off until enabled. Texts carry their own line ends and are written verbatim.
#pragma once

#include <string>

class Logger
{
public:
    void Log(std::string text);
    void Enable(bool on);

    bool enabled;
    int writeCount;
};

// Zero-initialised before main, so logging is safe (and off) before any constructor runs.
extern Logger gLogger;

// "Mmm dd yyyy", the date this program was built.
const char* BuildDate();
