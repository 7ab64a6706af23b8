// Updater: "Check Updates". The content update fetches stage lists and maps the player does
// not have yet; the version check compares the server's "Version.txt" with our version,
// fetches the patch and the editor and starts the patcher. Both run synchronously, report
// every outcome through the Prompter, and read the server's address from "Servers.cfg".
// Nothing the server names is trusted: list entries and map names must pass the rules of
// update_names.h, and the whole update is fetched and checked before anything is written:
// either the game can start with all of it, or nothing changes.
#pragma once

#include "launcher/http_download.h"
#include "platform/prompter.h"

#include <string>
#include <utility>
#include <vector>

extern const char* const kGameVersion; // "1.0.0"

class Updater
{
public:
    explicit Updater(platform::Prompter& prompter, int timeoutSeconds = 5);

    // True when there is nothing to fetch or everything was fetched; false on a refusal,
    // a failure, or when another check is already running.
    bool CheckContentUpdates();

    // True when a patch was downloaded and the patcher started: the setup window closes.
    bool CheckVersion();

    bool IsRunning() const { return running; }

private:
    // Steps after the player said Yes: fetch the lists and their maps, check the whole
    // update, then install it.
    bool FetchContent(const std::vector<std::string>& needed);
    // Opens "/Cavernaut/" + serverPath and reports its failures with the content update's
    // boxes and log lines; false when the update must end.
    bool OpenContent(HttpDownload& http, const std::string& serverPath, const std::string& name);
    bool FetchBody(HttpDownload& http, const std::string& name, std::string& body);
    // The map names of a fetched stage list; false (and the corrupt box) when the list holds
    // a NUL or names anything but a plain map file.
    bool ReadStageList(const std::string& text, std::vector<std::string>& maps);
    // Whether the game can start with the update installed: every new stage list names at
    // least one map, each map it names is fetched or already here, every fetched map is at
    // least as large as an empty map, and the pack list names one pack per stage list.
    bool UpdateIsWhole(const std::vector<std::pair<std::string, std::string>>& lists,
                       const std::vector<std::pair<std::string, std::string>>& maps);
    // Writes the maps, then the stage lists, then the pack list, each whole or not at all.
    bool Install(const std::vector<std::pair<std::string, std::string>>& lists,
                 const std::vector<std::pair<std::string, std::string>>& maps);
    // The error boxes for a failed open; true when the server answered (with or without a file).
    bool ReportOpenError(FetchResult result);
    // The version check's steps for the patch and the editor: open ("NO PATCH FOUND!" when
    // the server has no such file) and save whole under its own name ("FAILED!" otherwise).
    bool OpenPatchFile(HttpDownload& http, const std::string& name);
    bool SavePatchFile(HttpDownload& http, const std::string& name); // also the lists
    void LoadServer(); // the update server's address, from "Servers.cfg"

    platform::Prompter& prompter;
    int timeoutSeconds;
    std::string host;
    int port = 80;
    bool running = false;
};
