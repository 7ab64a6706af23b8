#include "engine/server_config.h"

#include "engine/config_file.h"

#include <cstdio>

void ServerConfig::Load(const std::string& path)
{
    // A private ConfigFile: the shared one would keep a file it created in write mode for
    // the rest of the run, so a second load would append the lines again instead of reading.
    ConfigFile cfg;
    auto routine = [&]()
    {
        cfg.Section(path, "[Server Configuration]");
        cfg.StringValue(path, "SCORE_HOST", scoreHost);
        cfg.IntValue(path, "SCORE_PORT", scorePort);
        cfg.StringValue(path, "SCORE_USER", scoreUser);
        cfg.StringValue(path, "SCORE_PASSWORD", scorePassword);
        cfg.StringValue(path, "SCORE_DATABASE", scoreDatabase);
        cfg.StringValue(path, "UPDATE_HOST", updateHost);
        cfg.IntValue(path, "UPDATE_PORT", updatePort);
    };
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr)
    {
        cfg.Save(path, routine);
        return;
    }
    std::fclose(file);
    // Keys absent from the file keep the values held; a string key read as empty would
    // otherwise wipe its default, so strings are read into copies first.
    ServerConfig before = *this;
    routine();
    auto keep = [](std::string& value, const std::string& fallback)
    {
        if (value.empty())
            value = fallback;
    };
    keep(scoreHost, before.scoreHost);
    keep(scoreUser, before.scoreUser);
    keep(scorePassword, before.scorePassword);
    keep(scoreDatabase, before.scoreDatabase);
    keep(updateHost, before.updateHost);
}
