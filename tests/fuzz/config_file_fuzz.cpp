// Settings files: any bytes read as an existing settings file through every value kind,
// with the keys the game's own files use, and the server settings read as the game reads them.
#include "engine/config_file.h"
#include "engine/server_config.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    cavfuzz::EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!cavfuzz::WriteInput("Engine.cfg", data, size) ||
        !cavfuzz::WriteInput("Servers.cfg", data, size))
        return 0;
    gConfigFile.ResetForNewRun(); // both files count as found at start: they are read
    const std::string path = "Engine.cfg";
    int number = 7;
    float real = 0.5f;
    std::string text = "ACE";
    gConfigFile.Section(path, "[Display Properties]");
    for (const char* key : {"Res", "FullScreen", "NAME", "SCORE", "x", ""})
    {
        gConfigFile.IntValue(path, key, number);
        gConfigFile.FloatValue(path, key, real);
        gConfigFile.StringValue(path, key, text);
    }
    ServerConfig servers;
    servers.Load();
    return 0;
}
