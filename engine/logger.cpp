#include "engine/logger.h"

#include <cstdio>

Logger gLogger;

const char* BuildDate()
{
    return __DATE__;
}

void Logger::Log(std::string text)
{
    if (!enabled)
        return;
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);

    std::FILE* file = nullptr;
    if (writeCount == 0)
    {
        file = std::fopen("Logfile.txt", "w");
        if (file != nullptr)
        {
            std::fputs("Logfile created on ", file);
            std::fputs(BuildDate(), file);
            std::fputs("\n", file);
        }
    }
    else
    {
        file = std::fopen("Logfile.txt", "a");
    }
    if (file != nullptr)
    {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    ++writeCount;
}

void Logger::Enable(bool on)
{
    if (on && !enabled)
    {
        enabled = true;
        Log(">>Logging Enabled<<\n");
    }
    else if (!on && enabled)
    {
        Log(">>Logging Disabled<<\n");
        enabled = false;
    }
}
