#include "engine/data_file.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace
{

// Copies src into a fixed buffer; false (and the buffer untouched) when it does not fit.
bool CopyBounded(char* dest, std::size_t size, const char* src)
{
    if (src == nullptr)
        return false;
    std::size_t len = std::strlen(src);
    if (len >= size)
        return false;
    std::memcpy(dest, src, len + 1);
    return true;
}

} // namespace

bool DataFile::Open(const char* newPath, const char* newMode)
{
    char pathCopy[kPathSize];
    char modeCopy[kModeSize];
    if (!CopyBounded(pathCopy, sizeof pathCopy, newPath) ||
        !CopyBounded(modeCopy, sizeof modeCopy, newMode))
        return false;
    std::memcpy(path, pathCopy, sizeof path);
    std::memcpy(mode, modeCopy, sizeof mode);

    FILE* file = std::fopen(path, mode);
    if (file == nullptr)
        return false;
    std::fseek(file, 0, SEEK_SET);
    offset = std::ftell(file);
    std::fclose(file);
    return true;
}

bool DataFile::ReadField(void* dest, std::size_t size)
{
    // A read mode opens with the plain system call: a buffered stream would allocate and
    // fill a 4 KiB buffer for every field, and a map holds tens of thousands of fields.
    if (mode[0] != 'r')
        return ReadFieldBuffered(dest, size);
    int fd = ::open(path, (std::strchr(mode, '+') ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Read into a scratch block first so that a short read leaves the destination as it was.
    unsigned char block[32];
    ssize_t got = ::pread(fd, block, size, offset);
    ::close(fd);
    if (got != static_cast<ssize_t>(size))
        return false;
    offset += static_cast<long>(size);
    std::memcpy(dest, block, size);
    return true;
}

bool DataFile::ReadFieldBuffered(void* dest, std::size_t size)
{
    FILE* file = std::fopen(path, mode);
    if (file == nullptr)
        return false;
    unsigned char block[32];
    bool ok = std::fseek(file, offset, SEEK_SET) == 0 && std::fread(block, 1, size, file) == size;
    if (ok)
    {
        std::fseek(file, 0, SEEK_CUR);
        offset = std::ftell(file);
        std::memcpy(dest, block, size);
    }
    std::fclose(file);
    return ok;
}

bool DataFile::WriteField(const void* src, std::size_t size)
{
    // Writers append whatever the open mode was: "wb" truncated the file once at Open.
    FILE* file = std::fopen(path, "ab");
    if (file == nullptr)
        return false;
    bool ok = std::fwrite(src, 1, size, file) == size;
    offset = std::ftell(file);
    ok = (std::fclose(file) == 0) && ok;
    return ok;
}

char* DataFile::ReadLine()
{
    FILE* file = std::fopen(path, mode);
    if (file == nullptr)
        return nullptr;
    std::fseek(file, 0, SEEK_END);
    long end = std::ftell(file);
    if (offset >= end)
    {
        std::fclose(file);
        return nullptr;
    }
    std::fseek(file, offset, SEEK_SET);
    std::size_t n = 0;
    while (n < kLineSize - 1)
    {
        int c = std::fgetc(file);
        if (c == EOF)
            break;
        if (c == '\r')
        {
            // Linux does no text-mode translation: fold "\r\n" into "\n" ourselves.
            int next = std::fgetc(file);
            if (next == '\n')
            {
                line[n++] = '\n';
                break;
            }
            if (next != EOF)
                std::ungetc(next, file);
        }
        line[n++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    line[n] = '\0';
    std::fseek(file, 0, SEEK_CUR);
    offset = std::ftell(file);
    std::fclose(file);
    return line;
}

bool DataFile::ReadWord(void* dest)
{
    return ReadField(dest, 4);
}

bool DataFile::ReadName(char* dest)
{
    return ReadField(dest, 16);
}

bool DataFile::ReadTitle(char* dest)
{
    return ReadField(dest, 32);
}

bool DataFile::ReadPassword(char* dest)
{
    return ReadField(dest, 6);
}

bool DataFile::ReadByte(void* dest)
{
    return ReadField(dest, 1);
}

bool DataFile::WriteWord(const void* src)
{
    return WriteField(src, 4);
}

bool DataFile::WriteName(const char* src)
{
    return WriteField(src, 16);
}

bool DataFile::WriteTitle(const char* src)
{
    return WriteField(src, 32);
}

bool DataFile::WritePassword(const char* src)
{
    return WriteField(src, 6);
}

bool DataFile::WriteByte(const void* src)
{
    return WriteField(src, 1);
}
