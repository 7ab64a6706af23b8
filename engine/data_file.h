// DataFile: the one reader of binary and text data files (maps, line models, pack lists,
// stage rosters, updater lists). It keeps only a path, a mode and an offset: every
// operation reopens the file, seeks to the saved offset, moves one field and closes it,
// so a file replaced on disk between reads goes on at the saved offset.
// A field that would run past the end of the file is refused: the read reports false and
// leaves both the destination and the offset unchanged; loaders rely on that to refuse
// truncated files. Character fields are copied raw; no terminator is added.
#pragma once

#include <cstddef>

class DataFile
{
public:
    static constexpr std::size_t kPathSize = 256;
    static constexpr std::size_t kModeSize = 12;
    static constexpr std::size_t kLineSize = 256;

    // Copies path and mode; false when the file cannot be opened or either string does not
    // fit its buffer. On success the offset is 0.
    bool Open(const char* path, const char* mode);

    // The next text line, with its "\n" when it fits (a "\r\n" ending becomes "\n"), at most
    // 255 characters; longer lines come in pieces. Null at the end of the file or on failure.
    // The same buffer is returned by every call.
    char* ReadLine();

    bool ReadWord(void* dest);     // 4 bytes: an int32 or float32, little-endian on disk
    bool ReadName(char* dest);     // 16 bytes
    bool ReadTitle(char* dest);    // 32 bytes
    bool ReadPassword(char* dest); // 6 bytes
    bool ReadByte(void* dest);     // 1 byte

    // Writers, for the tools and the editor: "wb" truncates at Open, "ab" appends.
    bool WriteWord(const void* src);
    bool WriteName(const char* src);
    bool WriteTitle(const char* src);
    bool WritePassword(const char* src);
    bool WriteByte(const void* src);

    long Offset() const { return offset; }
    const char* Path() const { return path; }

private:
    bool ReadField(void* dest, std::size_t size);
    bool ReadFieldBuffered(void* dest, std::size_t size);
    bool WriteField(const void* src, std::size_t size);

    char path[kPathSize] = {};
    char mode[kModeSize] = {};
    long offset = 0;
    char line[kLineSize] = {};
};
