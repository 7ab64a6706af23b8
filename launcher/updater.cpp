#include "launcher/updater.h"

#include "engine/data_file.h"
#include "engine/logger.h"
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

bool Updater::SaveContent(HttpDownload& http, const std::string& localPath, const std::string& name)
{
    bool ok = http.Save(localPath,
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

bool Updater::ReadStageList(const std::string& path, std::vector<std::string>& maps)
{
    DataFile list;
    if (!list.Open(path.c_str(), "rt"))
    {
        prompter.Tell("FILE IS CORRUPT, TRY AGAIN", "DONE");
        return false;
    }
    while (const char* line = list.ReadLine())
    {
        std::string name = NameFromLine(line);
        if (!IsMapFileName(name))
        {
            gLogger.Log("Refused map name: " + name + "\n");
            prompter.Tell("FILE IS CORRUPT, TRY AGAIN", "DONE");
            return false;
        }
        maps.push_back(name);
    }
    return true;
}

bool Updater::InstallLists(const std::vector<std::string>& lists)
{
    // A stage list naming a map that is not here would stop the game at its next start.
    for (const std::string& name : lists)
    {
        if (!IsStageListName(name))
            continue;
        std::vector<std::string> maps;
        if (!ReadStageList(platform::TempPathFor(name), maps))
            return false;
        for (const std::string& map : maps)
        {
            if (!FileOpens(kMapFolder + map))
            {
                gLogger.Log("Missing map: " + map + "\n");
                prompter.Tell("FAILED!", "ERROR");
                return false;
            }
        }
    }
    // The pack list goes last: it must never name a pack whose stage list is not in place.
    bool ok = true;
    for (int pass = 0; pass < 2; ++pass)
    {
        for (const std::string& name : lists)
        {
            if (IsStageListName(name) != (pass == 0))
                continue;
            ok = ok && platform::ReplaceFile(platform::TempPathFor(name), name);
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
    DataFile updates;
    if (!updates.Open("Updates.txt", "rt"))
    {
        prompter.Tell("FILE IS CORRUPT, TRY AGAIN", "DONE");
        return false;
    }
    std::vector<std::string> needed;
    while (const char* line = updates.ReadLine())
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
            gLogger.Log(std::string("File Allready Archived: ") + line + "\n");
            continue;
        }
        needed.push_back(name);
        gLogger.Log(std::string("Content Needed: ") + line);
    }
    if (needed.size() < 2)
        return true;

    if (!prompter.AskYesNo("UPDATES FOUND\n DOWNLOAD NOW?", "READY"))
        return false;
    platform::BusyScope busy(prompter, "Please wait, Downloading new content...");
    bool ok = FetchContent(needed);
    // Lists that did not take their place are of no use to a later attempt.
    for (const std::string& name : needed)
        std::remove(platform::TempPathFor(name).c_str());
    return ok;
}

bool Updater::FetchContent(const std::vector<std::string>& needed)
{
    HttpDownload http(host, port, timeoutSeconds);
    // Lists wait under temporary names until their maps are here.
    for (const std::string& name : needed)
    {
        if (!OpenContent(http, name, name) || !SaveContent(http, platform::TempPathFor(name), name))
            return false;
    }

    // The first needed line is the pack list: it names packs, not maps.
    std::vector<std::string> maps;
    for (std::size_t i = 1; i < needed.size(); ++i)
    {
        if (!ReadStageList(platform::TempPathFor(needed[i]), maps))
            return false;
    }

    for (const std::string& map : maps)
    {
        if (!OpenContent(http, std::string("Data/Maps/") + map, map))
            return false;
        const std::string path = kMapFolder + map;
        if (FileOpens(path))
        {
            gLogger.Log("File allready archived: " + map);
            http.Close();
            continue;
        }
        const std::string temp = platform::TempPathFor(path);
        if (!SaveContent(http, temp, map))
            return false;
        if (!platform::ReplaceFile(temp, path))
        {
            std::remove(temp.c_str());
            prompter.Tell("FAILED!", "ERROR");
            return false;
        }
    }
    return InstallLists(needed);
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
    bool ok = http.SaveReplacing(name);
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
