#include "launcher/updater.h"

#include "engine/data_file.h"
#include "engine/logger.h"
#include "engine/map_format.h"
#include "engine/server_config.h"
#include "launcher/update_names.h"
#include "platform/platform.h"
#include "platform/process.h"

#include <cstdio>
#include <cstring>

const char* const kGameVersion = "1.0.0";

namespace
{

const char* const kServerRoot = "/Cavernaut/";
const char* const kMapFolder = "Data/Maps/";

// Marks the updater busy for one check; a nested check is refused.
class RunGuard
{
public:
    explicit RunGuard(bool& flag) : flag(flag), owner(!flag) { flag = true; }
    ~RunGuard()
    {
        if (owner)
            flag = false;
    }
    bool Owner() const { return owner; }

private:
    bool& flag;
    bool owner;
};

bool FileOpens(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

} // namespace

Updater::Updater(platform::Prompter& prompter, int timeoutSeconds)
    : prompter(prompter), timeoutSeconds(timeoutSeconds)
{
}

bool Updater::OpenContent(HttpDownload& http, const std::string& serverPath,
                          const std::string& name)
{
    FetchResult result = http.Open(kServerRoot + serverPath);
    gLogger.Log("Attempting to download file: ");
    gLogger.Log(name);
    switch (result)
    {
    case FetchResult::Opened:
        return true;
    case FetchResult::ConnectionError:
        prompter.Tell("CONNECTION ERROR!", "ERROR");
        gLogger.Log("Connection error!\n");
        return false;
    case FetchResult::OtherError:
        prompter.Tell("FAILED!", "ERROR");
        gLogger.Log("Unknown error!\n");
        return false;
    case FetchResult::NoStream:
        break;
    }
    prompter.Tell("FAILED!", "ERROR");
    gLogger.Log("Failed to get stream!\n");
    return false;
}

bool Updater::FetchBody(HttpDownload& http, const std::string& name, std::string& body)
{
    bool ok = http.Fetch(body,
                         [&name]()
                         {
                             gLogger.Log("Downloaded File: ");
                             gLogger.Log(name);
                             gLogger.Log("\n");
                         });
    http.Close();
    if (!ok)
    {
        prompter.Tell("FAILED!", "ERROR");
        gLogger.Log("Failed to read stream!\n");
    }
    return ok;
}

bool Updater::ReadStageList(const std::string& text, std::vector<std::string>& maps)
{
    std::vector<std::string> names;
    if (!ReadListNames(text, IsMapFileName, names))
    {
        gLogger.Log("Refused stage list\n");
        prompter.Tell("FILE IS CORRUPT, TRY AGAIN", "DONE");
        return false;
    }
    maps.insert(maps.end(), names.begin(), names.end());
    return true;
}

namespace
{

using Files = std::vector<std::pair<std::string, std::string>>; // name, contents

const std::string* Find(const Files& files, const std::string& name)
{
    for (const auto& file : files)
    {
        if (file.first == name)
            return &file.second;
    }
    return nullptr;
}

} // namespace

bool Updater::UpdateIsWhole(const Files& lists, const Files& maps)
{
    for (const auto& [name, text] : lists)
    {
        if (!IsStageListName(name))
            continue;
        std::vector<std::string> named;
        if (!ReadListNames(text, IsMapFileName, named) || named.empty())
        {
            gLogger.Log("Empty or corrupt stage list: " + name + "\n");
            return false;
        }
        for (const std::string& map : named)
        {
            if (Find(maps, map) == nullptr && !FileOpens(kMapFolder + map))
            {
                gLogger.Log("Missing map: " + map + "\n");
                return false;
            }
        }
    }
    for (const auto& [name, bytes] : maps)
    {
        if (bytes.size() < static_cast<std::size_t>(kMinMapSize))
        {
            gLogger.Log("Map too short: " + name + "\n");
            return false;
        }
    }
    // The game reads one stage list per pack, "Stages1.txt" upwards.
    const std::string* packList = Find(lists, "MapPacks.cfg");
    std::string packText;
    if (packList != nullptr)
        packText = *packList;
    else
        platform::ReadFileBytes("MapPacks.cfg", packText);
    std::vector<std::string> packs;
    if (!SplitListLines(packText, packs))
        return false;
    std::size_t stageLists = 0;
    for (;; ++stageLists)
    {
        char name[32];
        std::snprintf(name, sizeof name, "Stages%zu.txt", stageLists + 1);
        if (Find(lists, name) == nullptr && !FileOpens(name))
            break;
    }
    if (packs.empty() || packs.size() != stageLists)
    {
        gLogger.Log("Pack list does not match the stage lists\n");
        return false;
    }
    return true;
}

bool Updater::Install(const Files& lists, const Files& maps)
{
    bool ok = true;
    for (const auto& [name, bytes] : maps)
        ok = ok && platform::WriteFileAtomically(kMapFolder + name, bytes);
    // The pack list goes last: it must never name a pack whose stage list is not in place.
    for (int pass = 0; pass < 2; ++pass)
    {
        for (const auto& [name, text] : lists)
        {
            if (IsStageListName(name) == (pass == 0))
                ok = ok && platform::WriteFileAtomically(name, text);
        }
    }
    if (!ok)
        prompter.Tell("FAILED!", "ERROR");
    return ok;
}

bool Updater::CheckContentUpdates()
{
    RunGuard guard(running);
    if (!guard.Owner())
        return false;
    LoadServer();

    gLogger.Log("Checking for updates...\n");
    HttpDownload http(host, port, timeoutSeconds);
    FetchResult result = http.Open(std::string(kServerRoot) + "Updates.txt");
    if (!ReportOpenError(result) || result == FetchResult::NoStream)
        return false;
    if (!SavePatchFile(http, "Updates.txt"))
        return false;

    const std::vector<std::string> local = LocalStageLists();
    std::string updates;
    std::vector<std::string> lines;
    if (!platform::ReadFileBytes("Updates.txt", updates) || !SplitListLines(updates, lines))
    {
        gLogger.Log("Refused list: unreadable or a NUL inside a line\n");
        prompter.Tell("FILE IS CORRUPT, TRY AGAIN", "DONE");
        return false;
    }
    std::vector<std::string> needed;
    for (const std::string& line : lines)
    {
        std::string name = NameFromLine(line);
        if (!IsUpdateListName(name))
        {
            gLogger.Log("Refused list name: " + name + "\n");
            prompter.Tell("FILE IS CORRUPT, TRY AGAIN", "DONE");
            return false;
        }
        if (IsArchived(line, local))
        {
            gLogger.Log("File Allready Archived: " + line + "\n");
            continue;
        }
        needed.push_back(name);
        gLogger.Log("Content Needed: " + line);
    }
    if (needed.size() < 2)
        return true;

    if (!prompter.AskYesNo("UPDATES FOUND\n DOWNLOAD NOW?", "READY"))
        return false;
    platform::BusyScope busy(prompter, "Please wait, Downloading new content...");
    return FetchContent(needed);
}

bool Updater::FetchContent(const std::vector<std::string>& needed)
{
    HttpDownload http(host, port, timeoutSeconds);
    // Everything stays in memory until the whole update has been checked.
    Files lists;
    for (const std::string& name : needed)
    {
        std::string text;
        if (!OpenContent(http, PercentEncode(name), name) || !FetchBody(http, name, text))
            return false;
        lists.emplace_back(name, text);
    }

    // The first needed line is the pack list: it names packs, not maps.
    std::vector<std::string> names;
    for (std::size_t i = 1; i < lists.size(); ++i)
    {
        if (!ReadStageList(lists[i].second, names))
            return false;
    }

    Files maps;
    for (const std::string& map : names)
    {
        if (!OpenContent(http, "Data/Maps/" + PercentEncode(map), map))
            return false;
        if (FileOpens(kMapFolder + map) || Find(maps, map) != nullptr)
        {
            gLogger.Log("File allready archived: " + map);
            http.Close();
            continue;
        }
        std::string bytes;
        if (!FetchBody(http, map, bytes))
            return false;
        maps.emplace_back(map, bytes);
    }
    if (!UpdateIsWhole(lists, maps))
    {
        prompter.Tell("FILE IS CORRUPT, TRY AGAIN", "DONE");
        return false;
    }
    return Install(lists, maps);
}

bool Updater::ReportOpenError(FetchResult result)
{
    switch (result)
    {
    case FetchResult::ConnectionError:
        prompter.Tell("CONNECTION ERROR!", "ERROR");
        return false;
    case FetchResult::OtherError:
        prompter.Tell("FAILED!", "ERROR");
        return false;
    default:
        return true;
    }
}

void Updater::LoadServer()
{
    ServerConfig servers;
    servers.Load();
    host = servers.updateHost;
    port = servers.updatePort;
}

bool Updater::OpenPatchFile(HttpDownload& http, const std::string& name)
{
    FetchResult result = http.Open(kServerRoot + name);
    if (!ReportOpenError(result))
        return false;
    if (result == FetchResult::NoStream)
    {
        prompter.Tell("NO PATCH FOUND!", "DONE");
        return false;
    }
    return true;
}

bool Updater::SavePatchFile(HttpDownload& http, const std::string& name)
{
    std::string body;
    bool ok = http.Fetch(body) && platform::WriteFileAtomically(name, body);
    http.Close();
    if (!ok)
        prompter.Tell("FAILED!", "ERROR");
    return ok;
}

bool Updater::CheckVersion()
{
    RunGuard guard(running);
    if (!guard.Owner())
        return false;
    LoadServer();

    HttpDownload http(host, port, timeoutSeconds);
    FetchResult result = http.Open(std::string(kServerRoot) + "Version.txt");
    if (!ReportOpenError(result))
        return false;
    gLogger.Log("Checking Version...\n");
    if (result == FetchResult::NoStream)
    {
        prompter.Tell("INSTALL COMPLETED", "DONE");
        return false;
    }
    if (!SavePatchFile(http, "Version.txt"))
        return false;

    DataFile version;
    const char* line = version.Open("Version.txt", "rt") ? version.ReadLine() : nullptr;
    if (line == nullptr)
    {
        prompter.Tell("FILE IS CORRUPT, TRY AGAIN", "DONE");
        return false;
    }
    // Six bytes: "1.0.0" and its terminating zero, so "1.0.0\n" is a different version.
    if (std::memcmp(line, kGameVersion, 6) == 0)
    {
        gLogger.Log("Version Upto Date.\n");
        prompter.Tell("VERSION UP-TO-DATE", "DONE");
        return false;
    }
    gLogger.Log("New Version Found.\n");

    if (!OpenPatchFile(http, "Patch.exe"))
        return false;
    platform::BusyScope busy(prompter, "Please wait, Downloading patch...");
    if (!SavePatchFile(http, "Patch.exe") || !OpenPatchFile(http, "NautED.exe") ||
        !SavePatchFile(http, "NautED.exe"))
        return false;
    gLogger.Log("Version Upto Date.\n");
    if (!platform::StartProgram("./Patcher.exe"))
    {
        gLogger.Log("Failed to start Patcher.exe\n");
        prompter.Tell("FAILED!", "ERROR");
        return false;
    }
    return true;
}
