// ConfigFile: the small settings files ("Controls.dat", "Scores.dat", "Engine.cfg", "Servers.cfg").
// One routine per file both creates and reads it: each value operation asks IsWriteMode.
// A missing file, or one created earlier in this run, is written (appending "key\t= value"
// lines with the caller's current values); an existing file is read, keys looked up in the
// whole file, first match winning. To save, a caller runs its routine through Save, which
// writes the whole file to a temporary name and renames it over the old one.
#pragma once

#include <functional>
#include <string>
#include <vector>

class ConfigFile
{
public:
    bool IsWriteMode(const std::string& path);
    void Section(const std::string& path, const std::string& section);
    void IntValue(const std::string& path, const std::string& key, int& value);
    void FloatValue(const std::string& path, const std::string& key, float& value);
    void StringValue(const std::string& path, const std::string& key, std::string& value);

    // Rewrites path with the values the routine holds: the routine's lines are collected and
    // written through platform::WriteFileAtomically once it has finished. False if the file
    // could not be written; the old file is then untouched.
    bool Save(const std::string& path, const std::function<void()>& routine);

    // Forgets which files were created in this run (for tests that simulate a new start).
    void ResetForNewRun() { created.clear(); }

private:
    void AppendLine(const std::string& path, const std::string& text);
    bool FindValue(const std::string& path, const std::string& key, std::string& rest,
                   std::string& word);

    std::vector<std::string> created;
    std::string savePath;     // the file being saved, while Save runs
    std::string saveContents; // its lines meanwhile
};

extern ConfigFile gConfigFile;
