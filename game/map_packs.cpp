// Map packs, stage rosters and passwords: "MapPacks.cfg" names the packs, "Stages<n>.txt"
// lists the maps of pack n in playing order, and each map's password is read from its tail
// at start so a typed password is found without loading any map.
#include "engine/data_file.h"
#include "engine/logger.h"
#include "engine/map_format.h"
#include "game/engine.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace
{

// "Data/Maps/" and the name must fit the 31 characters a map path may hold.
constexpr std::size_t kMaxMapName = 21;

std::string WithoutLineEnd(const char* line)
{
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

// The roster of one stage list; false, with a log line, at the first line that names no
// usable map file.
bool ReadRoster(const char* listName, std::vector<std::string>& roster)
{
    DataFile list;
    if (!list.Open(listName, "rt"))
        return false;
    while (const char* line = list.ReadLine())
    {
        const std::string name = WithoutLineEnd(line);
        if (name.empty())
        {
            gLogger.Log(std::string("Blank Line In ") + listName + "!\n");
            return false;
        }
        if (name.size() > kMaxMapName)
        {
            gLogger.Log(std::string("Map Name Too Long In ") + listName + ": " + name + "\n");
            return false;
        }
        roster.push_back("Data/Maps/" + name);
    }
    return true;
}

// The passwords of a roster, read from each map's tail.
bool ReadPasswords(const std::vector<std::string>& roster, std::vector<std::string>& list,
                   int& stage, char (&password)[kPasswordSize])
{
    stage = 0;
    for (const std::string& path : roster)
    {
        ++stage;
        MapTail tail;
        if (!ReadMapTail(path.c_str(), tail))
        {
            const bool missing = FileSizeOf(path.c_str()) < 0;
            gLogger.Log(std::string(missing ? "Map Not Found: " : "Map Too Short: ") + path + "\n");
            return false;
        }
        std::memcpy(password, tail.password, kPasswordSize);
        list.push_back(tail.password);
    }
    return true;
}

} // namespace

bool Engine::LoadMapPacks()
{
    packs.currentPack = 0;
    packs.packNames.clear();
    DataFile file;
    if (file.Open("MapPacks.cfg", "rt"))
    {
        while (const char* line = file.ReadLine())
            packs.packNames.push_back(line);
    }
    if (packs.packNames.empty())
    {
        gLogger.Log("No Map Packs Found!\n");
        return false;
    }
    gLogger.Log("Loaded Map Packs.\n");
    return true;
}

bool Engine::LoadStageRosters()
{
    packs.rosters.clear();
    packs.passwords.clear();
    for (std::size_t i = 0; i < packs.packNames.size(); ++i)
    {
        char listName[32];
        std::snprintf(listName, sizeof listName, "Stages%i.txt", static_cast<int>(i + 1));
        std::vector<std::string> roster;
        if (!ReadRoster(listName, roster) || roster.empty())
        {
            gLogger.Log("No Map Rosta Found!\n");
            return false;
        }
        packs.rosters.push_back(roster);
        std::vector<std::string> list;
        if (!ReadPasswords(roster, list, progress.stage, level.password))
            return false;
        packs.passwords.push_back(list);
    }
    gLogger.Log("Loaded Map Rosta.\n");
    return true;
}

bool Engine::FindStageByPassword()
{
    if (packs.currentPack < 0 || static_cast<std::size_t>(packs.currentPack) >= packs.passwords.size())
        return false;
    const std::string typed(level.password, strnlen(level.password, kPasswordSize));
    const std::vector<std::string>& list = packs.passwords[packs.currentPack];
    progress.stage = 1;
    bool found = false;
    for (const std::string& entry : list)
    {
        if (entry == typed)
        {
            found = true;
            break;
        }
        ++progress.stage;
    }
    if (!found)
        return false;
    MapTail tail;
    if (!ReadMapTail(packs.rosters[packs.currentPack][progress.stage - 1].c_str(), tail))
        return false;
    std::memcpy(level.title, tail.title, kTitleSize);
    return true;
}
