#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace platform
{

bool RemoveFile(const char* path)
{
    if (path == nullptr)
        return false;
    return std::remove(path) == 0 || errno == ENOENT;
}

void SleepMs(unsigned int ms)
{
    struct timespec ts;
    ts.tv_sec = ms / 1000;
    ts.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
    while (nanosleep(&ts, &ts) != 0 && errno == EINTR)
    {
    }
}

bool LocalTimestamp(char* out, std::size_t size)
{
    if (out == nullptr || size < 18)
        return false;
    tzset();
    time_t now = time(nullptr);
    struct tm local;
    if (localtime_r(&now, &local) == nullptr)
        return false;
    return strftime(out, size, "%m/%d/%y %H:%M:%S", &local) == 17;
}

std::string TempPathFor(const std::string& path)
{
    return path + ".tmp";
}

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    char buffer[8192];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, n);
    bool ok = std::ferror(file) == 0;
    ok = std::fclose(file) == 0 && ok;
    if (!ok)
        bytes.clear();
    return ok;
}

namespace
{

// Only the safe save renames a file over another: nothing else may bypass it.
bool ReplaceFile(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool WriteAll(int fd, const char* data, std::size_t left)
{
    while (left > 0)
    {
        ssize_t n = ::write(fd, data, left);
        if (n < 0)
        {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Flushes a finished file to the disk before it may replace anything.
bool SyncToDisk(const std::string& path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = ::fsync(fd) == 0;
    return (::close(fd) == 0) && ok;
}

} // namespace

bool WriteFileAtomicallyWith(const std::string& path,
                             const std::function<bool(const std::string& tempPath)>& write)
{
    const std::string temp = TempPathFor(path);
    bool ok = write(temp) && SyncToDisk(temp) && ReplaceFile(temp, path);
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}

bool WriteFileAtomically(const std::string& path, const std::string& contents)
{
    return WriteFileAtomicallyWith(
        path,
        [&contents](const std::string& temp)
        {
            int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
            if (fd < 0)
                return false;
            bool ok = WriteAll(fd, contents.data(), contents.size());
            return (::close(fd) == 0) && ok;
        });
}

} // namespace platform
