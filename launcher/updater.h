// Updater: "Check Updates". The content update fetches stage lists and maps the player does
// not have yet; the version check compares the server's "Version.txt" with our version,
// fetches the patch and the editor and starts the patcher. Both run synchronously, report
// every outcome through the Prompter, and read the server's address from "Servers.cfg".
// Nothing the server names is trusted: list entries and map names must pass the rules of
// update_names.h, every file arrives whole or not at all, and stage lists and "MapPacks.cfg"
// take their place only once every map they name is on disk.
#pragma once

#include "launcher/http_download.h"
#include "platform/prompter.h"

#include <string>
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
    // Steps after the player said Yes: the lists, then their maps, then the lists' move.
    bool FetchContent(const std::vector<std::string>& needed);
    // Opens "/Cavernaut/" + serverPath and reports its failures with the content update's
    // boxes and log lines; false when the update must end.
    bool OpenContent(HttpDownload& http, const std::string& serverPath, const std::string& name);
    bool SaveContent(HttpDownload& http, const std::string& localPath, const std::string& name);
    // Reads the map names of a downloaded stage list; false (and the corrupt box) when the
    // list cannot be read or names anything but a plain map file.
    bool ReadStageList(const std::string& path, std::vector<std::string>& maps);
    // Moves the downloaded lists into place once every map they name is on disk.
    bool InstallLists(const std::vector<std::string>& lists);
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
