#include "text_tokens.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace objgen
{

bool TokeniseLine(const std::string& line, std::vector<Token>& tokens)
{
    tokens.clear();
    size_t i = 0;
    while (i < line.size())
    {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r')
        {
            ++i;
            continue;
        }
        if (c == '#')
        {
            break;
        }
        Token token;
        if (c == '"')
        {
            size_t close = line.find('"', i + 1);
            if (close == std::string::npos)
            {
                return false;
            }
            token.text = line.substr(i + 1, close - i - 1);
            token.quoted = true;
            i = close + 1;
        }
        else
        {
            size_t end = i;
            while (end < line.size() && line[end] != ' ' && line[end] != '\t' &&
                   line[end] != '\r' && line[end] != '#')
            {
                ++end;
            }
            token.text = line.substr(i, end - i);
            i = end;
        }
        tokens.push_back(token);
    }
    return true;
}

bool ParseNumber(const std::string& text, double& value)
{
    if (text.empty())
    {
        return false;
    }
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+')
    {
        ++first;
    }
    auto result = std::from_chars(first, last, value);
    return result.ec == std::errc() && result.ptr == last && std::isfinite(value);
}

bool ParseInt(const std::string& text, long& value)
{
    if (text.empty())
    {
        return false;
    }
    auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line))
    {
        if (!line.empty() && line.back() == '\r')
        {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

bool ReadTextFile(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
    {
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
    {
        return false;
    }
    text = content.str();
    return true;
}

std::string DirectoryOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
    {
        return ".";
    }
    if (slash == 0)
    {
        return "/";
    }
    return path.substr(0, slash);
}

std::string JoinPath(const std::string& dir, const std::string& rel)
{
    if (!rel.empty() && rel[0] == '/')
    {
        return rel;
    }
    if (dir.empty() || dir == ".")
    {
        return rel;
    }
    if (dir.back() == '/')
    {
        return dir + rel;
    }
    return dir + "/" + rel;
}

} // namespace objgen
