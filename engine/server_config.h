// ServerConfig: where the score board and the update server live, from "Servers.cfg"
// (section "[Server Configuration]"). A missing file is written with the defaults; a key
// missing from an existing file keeps its default. Both the game's score board and the
// setup window's updater read it through Load.
#pragma once

#include <string>

struct ServerConfig
{
    std::string scoreHost = "127.0.0.1";
    int scorePort = 3306;
    std::string scoreUser = "skyscore_j7ax";
    std::string scorePassword = "4#kR7zq";
    std::string scoreDatabase = "skyscore_j7ax";
    std::string updateHost = "127.0.0.1";
    int updatePort = 80;

    // Reads path, or writes it with the values held when it does not exist. Each call reads
    // the file afresh, so the score board and the updater may both load it in one run.
    void Load(const std::string& path = "Servers.cfg");
};
