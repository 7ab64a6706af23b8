#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace cavfuzz
{

void EnterScratchFolder()
{
    // Every input is written to a file: memory-backed /dev/shm keeps that cheap.
    char shm[] = "/dev/shm/cav-fuzz-XXXXXX";
    char tmp[] = "/tmp/cav-fuzz-XXXXXX";
    char* folder = mkdtemp(shm);
    if (folder == nullptr)
        folder = mkdtemp(tmp);
    if (folder == nullptr || chdir(folder) != 0)
        std::abort();
    static std::string scratch = folder;
    std::atexit([] { std::filesystem::remove_all(scratch); });
}

bool WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!folder.empty())
        std::filesystem::create_directories(folder, error);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

bool WriteInput(const std::string& path, const std::string& bytes)
{
    return WriteInput(path, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

void SplitInput(const std::uint8_t* data, std::size_t size, std::string* parts, int count)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string separator = "\n--\n";
    std::size_t at = 0;
    for (int i = 0; i < count; ++i)
    {
        parts[i].clear();
        if (at > input.size())
            continue;
        std::size_t end = i + 1 < count ? input.find(separator, at) : std::string::npos;
        if (end == std::string::npos)
        {
            parts[i] = input.substr(at);
            at = input.size() + 1;
        }
        else
        {
            parts[i] = input.substr(at, end - at);
            at = end + separator.size();
        }
    }
}

} // namespace cavfuzz
