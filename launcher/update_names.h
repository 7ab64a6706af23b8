// The names the update server hands us, and the rules they must pass before any of them
// becomes a file name here. Lines come from DataFile::ReadLine, which keeps the line end.
#pragma once

#include <string>
#include <vector>

// A map path holds at most 31 characters: "Data/Maps/" plus at most 21.
constexpr std::size_t kMaxMapNameLength = 21;

// The name a line carries: the line with its line end ("\n", "\r\n" or a lone "\r")
// removed. A last line with no line end is kept whole.
std::string NameFromLine(const std::string& line);

// The lines of a downloaded list, cut as DataFile::ReadLine cuts them (at most 255
// characters a piece, "\r\n" folded into "\n"), each with its line end. False when a line
// holds a NUL byte: the game would read the name cut short there, so the list is corrupt.
bool SplitListLines(const std::string& text, std::vector<std::string>& lines);

// The names a downloaded list carries (NameFromLine of each line). False, with the names
// read so far, when the list is corrupt (a NUL) or a name fails `accept`.
bool ReadListNames(const std::string& text, bool (*accept)(const std::string&),
                   std::vector<std::string>& names);

// A name made safe for a request path: every byte but letters, digits and "-._~" becomes
// "%XX", so "?", "#", "%" or a blank cannot change the request.
std::string PercentEncode(const std::string& name);

// A line of "Updates.txt" may name only "MapPacks.cfg" or a stage list "Stages<n>.txt"
// (n a positive decimal number of at most four digits, without leading zeros).
bool IsUpdateListName(const std::string& name);
bool IsStageListName(const std::string& name);

// A line of a stage list may name only a plain ".map" file in "Data/Maps/": no path
// separator, no "..", no leading dot, only printable ASCII, at most kMaxMapNameLength long.
bool IsMapFileName(const std::string& name);

// "Stages%i.txt" for i = 1, 2, ... as long as that file opens for reading.
std::vector<std::string> LocalStageLists();

// Whether a line of "Updates.txt" names a stage list we already have: it begins with a
// local list's name less that name's last two characters.
bool IsArchived(const std::string& line, const std::vector<std::string>& localLists);
