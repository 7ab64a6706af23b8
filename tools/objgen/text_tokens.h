// Line tokenising and number parsing shared by the model and font readers: whitespace
// separated words, double-quoted strings kept whole, '#' comments outside quotes.
// Numbers are read independently of the C locale.
#pragma once

#include <string>
#include <vector>

namespace objgen
{

struct Token
{
    std::string text;
    bool quoted = false;
};

// Splits one line; false when a quoted string is not closed.
bool TokeniseLine(const std::string& line, std::vector<Token>& tokens);

// Whole-token number parsing; false when the token is not entirely a finite number.
bool ParseNumber(const std::string& text, double& value);
bool ParseInt(const std::string& text, long& value);

// Splits text into lines (without the line ends; a CR before LF is dropped).
std::vector<std::string> SplitLines(const std::string& text);

// Reads a whole file; false when it cannot be opened or read.
bool ReadTextFile(const std::string& path, std::string& text);

// The folder part of a path ("." when there is none) and joining a relative path to it.
std::string DirectoryOf(const std::string& path);
std::string JoinPath(const std::string& dir, const std::string& rel);

} // namespace objgen
