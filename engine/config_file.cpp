#include "engine/config_file.h"

#include "platform/platform.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <locale>
#include <sstream>

ConfigFile gConfigFile;

namespace
{

std::string FirstWord(const std::string& text, std::size_t& end)
{
    std::size_t begin = text.find_first_not_of(" \t\r\n\v\f");
    if (begin == std::string::npos)
    {
        end = text.size();
        return std::string();
    }
    end = text.find_first_of(" \t\r\n\v\f", begin);
    if (end == std::string::npos)
        end = text.size();
    return text.substr(begin, end - begin);
}

std::string Trim(const std::string& text)
{
    const char* blanks = " \t\r\n\v\f";
    std::size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string::npos)
        return std::string();
    return text.substr(begin, text.find_last_not_of(blanks) - begin + 1);
}

// The third white-space-delimited item of a line: key, "=", value.
std::string ThirdWord(const std::string& line)
{
    std::size_t pos = 0;
    std::string rest = line;
    std::string word;
    for (int i = 0; i < 3; ++i)
    {
        word = FirstWord(rest, pos);
        rest = rest.substr(pos);
    }
    return word;
}

} // namespace

bool ConfigFile::IsWriteMode(const std::string& path)
{
    if (!savePath.empty() && path == savePath)
        return true;
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (file == nullptr)
    {
        created.push_back(path);
        return true;
    }
    std::fclose(file);
    for (const std::string& entry : created)
    {
        if (entry == path)
            return true;
    }
    return false;
}

void ConfigFile::AppendLine(const std::string& path, const std::string& text)
{
    // While Save runs, its file's lines collect in memory and are written at once.
    if (!savePath.empty() && path == savePath)
    {
        saveContents += text;
        return;
    }
    // A file that cannot be written loses the line silently: none of these calls reports.
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr)
        return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

bool ConfigFile::FindValue(const std::string& path, const std::string& key, std::string& rest,
                           std::string& word)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::string line;
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::size_t end = 0;
        if (FirstWord(line, end) != key)
            continue;
        word = ThirdWord(line);
        // A value may hold blanks: it is everything after the "\t= " that follows the key,
        // less blanks before and after it, so a one-word value reads as a stream reads it.
        const std::string separator = "\t= ";
        std::size_t at = line.find(key);
        if (at != std::string::npos &&
            line.compare(at + key.size(), separator.size(), separator) == 0)
            rest = Trim(line.substr(at + key.size() + separator.size()));
        else
            rest = word;
        return true;
    }
    return false;
}

void ConfigFile::Section(const std::string& path, const std::string& section)
{
    if (IsWriteMode(path))
        AppendLine(path, section + "\n");
}

void ConfigFile::IntValue(const std::string& path, const std::string& key, int& value)
{
    if (IsWriteMode(path))
    {
        AppendLine(path, key + "\t= " + std::to_string(value) + "\n");
        return;
    }
    std::string rest, word;
    if (!FindValue(path, key, rest, word))
        return;
    int parsed = 0;
    const char* first = word.data();
    const char* last = word.data() + word.size();
    if (first != last && *first == '+')
        ++first;
    auto result = std::from_chars(first, last, parsed);
    if (result.ec == std::errc())
        value = parsed;
}

void ConfigFile::FloatValue(const std::string& path, const std::string& key, float& value)
{
    if (IsWriteMode(path))
    {
        std::ostringstream out;
        out.imbue(std::locale::classic());
        out << value;
        AppendLine(path, key + "\t= " + out.str() + "\n");
        return;
    }
    std::string rest, word;
    if (!FindValue(path, key, rest, word))
        return;
    std::istringstream in(word);
    in.imbue(std::locale::classic());
    float parsed = 0.0f;
    if (in >> parsed)
        value = parsed;
}

void ConfigFile::StringValue(const std::string& path, const std::string& key, std::string& value)
{
    if (IsWriteMode(path))
    {
        AppendLine(path, key + "\t= " + value + "\n");
        return;
    }
    value.clear();
    std::string rest, word;
    if (FindValue(path, key, rest, word))
        value = rest;
}

bool ConfigFile::Save(const std::string& path, const std::function<void()>& routine)
{
    savePath = path;
    saveContents.clear();
    // The file counts as created in this run from now on, as if it had been deleted and
    // rewritten: later runs of its routine in this run append rather than read.
    bool known = false;
    for (const std::string& entry : created)
        known = known || entry == path;
    if (!known)
        created.push_back(path);

    routine();

    bool ok = platform::WriteFileAtomically(path, saveContents);
    savePath.clear();
    saveContents.clear();
    return ok;
}
