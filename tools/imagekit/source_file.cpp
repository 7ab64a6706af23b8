#include "imagekit/source_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace imagekit
{

namespace
{

std::string Trim(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return "";
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

} // namespace

bool SourceFile::Load(const std::string& filePath)
{
    path = filePath;
    entries.clear();
    std::ifstream in(path);
    if (!in)
    {
        std::fprintf(stderr, "%s: cannot open\n", path.c_str());
        return false;
    }
    std::string line;
    int number = 0;
    bool ok = true;
    while (std::getline(in, line))
    {
        ++number;
        std::string text = Trim(line);
        if (text.empty() || text[0] == '#')
            continue;
        size_t eq = text.find('=');
        if (eq == std::string::npos)
        {
            std::fprintf(stderr, "%s:%d: expected \"key = value\"\n", path.c_str(), number);
            ok = false;
            continue;
        }
        entries.emplace_back(Trim(text.substr(0, eq)), Trim(text.substr(eq + 1)));
    }
    return ok;
}

const std::string* SourceFile::Find(const std::string& key) const
{
    for (const auto& entry : entries)
    {
        if (entry.first == key)
            return &entry.second;
    }
    return nullptr;
}

bool SourceFile::Fail(const std::string& key, const char* what) const
{
    std::fprintf(stderr, "%s: \"%s\" %s\n", path.c_str(), key.c_str(), what);
    return false;
}

bool SourceFile::Has(const std::string& key) const
{
    return Find(key) != nullptr;
}

bool SourceFile::GetString(const std::string& key, std::string& out) const
{
    const std::string* value = Find(key);
    if (value == nullptr)
        return Fail(key, "is missing");
    out = *value;
    return true;
}

bool SourceFile::GetInt(const std::string& key, int& out) const
{
    std::vector<int> one;
    if (!GetInts(key, one, 1))
        return false;
    out = one[0];
    return true;
}

bool SourceFile::GetFloat(const std::string& key, float& out) const
{
    const std::string* value = Find(key);
    if (value == nullptr)
        return Fail(key, "is missing");
    char* end = nullptr;
    errno = 0;
    float v = std::strtof(value->c_str(), &end);
    if (end == value->c_str() || *end != '\0' || errno != 0)
        return Fail(key, "is not a number");
    out = v;
    return true;
}

bool SourceFile::GetInts(const std::string& key, std::vector<int>& out, size_t count) const
{
    const std::string* value = Find(key);
    if (value == nullptr)
        return Fail(key, "is missing");
    std::istringstream in(*value);
    out.clear();
    long v = 0;
    while (in >> v)
        out.push_back(static_cast<int>(v));
    if (!in.eof() || out.size() != count)
        return Fail(key, count == 1 ? "is not a whole number" : "has the wrong count of numbers");
    return true;
}

bool SourceFile::GetColour(const std::string& key, uint8_t out[3]) const
{
    std::vector<int> rgb;
    if (!GetInts(key, rgb, 3))
        return false;
    for (int v : rgb)
    {
        if (v < 0 || v > 255)
            return Fail(key, "needs red, green and blue from 0 to 255");
    }
    for (int i = 0; i < 3; ++i)
        out[i] = static_cast<uint8_t>(rgb[i]);
    return true;
}

std::vector<std::string> SourceFile::GetAll(const std::string& key) const
{
    std::vector<std::string> all;
    for (const auto& entry : entries)
    {
        if (entry.first == key)
            all.push_back(entry.second);
    }
    return all;
}

} // namespace imagekit
