#include "launcher/update_names.h"

#include <cstdio>
#include <cstring>

std::string NameFromLine(const std::string& line)
{
    std::string name = line;
    if (!name.empty() && name.back() == '\n')
        name.pop_back();
    if (!name.empty() && name.back() == '\r')
        name.pop_back();
    return name;
}

bool IsStageListName(const std::string& name)
{
    const std::string prefix = "Stages";
    const std::string suffix = ".txt";
    if (name.size() <= prefix.size() + suffix.size() ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::string digits =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.size() > 4 || digits[0] == '0')
        return false;
    for (char c : digits)
    {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool IsUpdateListName(const std::string& name)
{
    return name == "MapPacks.cfg" || IsStageListName(name);
}

bool IsMapFileName(const std::string& name)
{
    const std::string suffix = ".map";
    if (name.size() <= suffix.size() || name.size() > kMaxMapNameLength)
        return false;
    if (name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    if (name[0] == '.' || name.find("..") != std::string::npos)
        return false;
    for (unsigned char c : name)
    {
        if (c == '/' || c == '\\' || c < 0x20 || c == 0x7f)
            return false;
    }
    return true;
}

std::vector<std::string> LocalStageLists()
{
    std::vector<std::string> lists;
    for (int i = 1;; ++i)
    {
        char name[32];
        std::snprintf(name, sizeof name, "Stages%i.txt", i);
        std::FILE* file = std::fopen(name, "r");
        if (file == nullptr)
            break;
        std::fclose(file);
        lists.push_back(name);
    }
    return lists;
}

bool IsArchived(const std::string& line, const std::vector<std::string>& localLists)
{
    for (const std::string& local : localLists)
    {
        std::size_t n = local.size() >= 2 ? local.size() - 2 : 0;
        if (std::strncmp(line.c_str(), local.c_str(), n) == 0)
            return true;
    }
    return false;
}
