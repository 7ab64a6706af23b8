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

bool SplitListLines(const std::string& text, std::vector<std::string>& lines)
{
    constexpr std::size_t kMaxPiece = 255; // DataFile's line buffer less its NUL
    std::size_t at = 0;
    while (at < text.size())
    {
        std::string line;
        while (at < text.size() && line.size() < kMaxPiece)
        {
            char c = text[at++];
            if (c == '\r' && at < text.size() && text[at] == '\n')
            {
                ++at;
                line += '\n';
                break;
            }
            line += c;
            if (c == '\n')
                break;
        }
        if (line.find('\0') != std::string::npos)
            return false;
        lines.push_back(line);
    }
    return true;
}

bool ReadListNames(const std::string& text, bool (*accept)(const std::string&),
                   std::vector<std::string>& names)
{
    std::vector<std::string> lines;
    if (!SplitListLines(text, lines))
        return false;
    for (const std::string& line : lines)
    {
        std::string name = NameFromLine(line);
        if (!accept(name))
            return false;
        names.push_back(name);
    }
    return true;
}

std::string PercentEncode(const std::string& name)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : name)
    {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '.' || c == '_' || c == '~')
        {
            out += static_cast<char>(c);
            continue;
        }
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    return out;
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
        if (c == '/' || c == '\\' || c < 0x20 || c > 0x7e)
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
