// SourceFile: the readable asset sources under content/: "key = value" lines; a line
// whose first non-blank character is '#' is a comment (values may hold '#'); blank
// lines are ignored; a key may repeat (e.g. one "row" per line of a picture). Getters
// report a missing or malformed value on stderr with the file name and return false,
// so a tool can name every fault in its source at once.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace imagekit
{

class SourceFile
{
public:
    // False (with a message) when the file cannot be read or a line has no '='.
    bool Load(const std::string& path);

    const std::string& Path() const { return path; }
    bool Has(const std::string& key) const;
    bool GetString(const std::string& key, std::string& out) const;
    bool GetInt(const std::string& key, int& out) const;
    bool GetFloat(const std::string& key, float& out) const;
    // Whitespace-separated integers, exactly `count` of them.
    bool GetInts(const std::string& key, std::vector<int>& out, size_t count) const;
    // Three whole numbers 0..255: red, green, blue.
    bool GetColour(const std::string& key, uint8_t out[3]) const;
    // Every value of a repeated key, in file order.
    std::vector<std::string> GetAll(const std::string& key) const;

private:
    const std::string* Find(const std::string& key) const;
    bool Fail(const std::string& key, const char* what) const;

    std::string path;
    std::vector<std::pair<std::string, std::string>> entries;
};

} // namespace imagekit
