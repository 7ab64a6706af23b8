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

bool ReplaceFile(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool WriteFileAtomically(const std::string& path, const std::string& contents)
{
    const std::string temp = TempPathFor(path);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const char* data = contents.data();
    std::size_t left = contents.size();
    bool ok = true;
    while (left > 0)
    {
        ssize_t n = ::write(fd, data, left);
        if (n < 0)
        {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    if (ok && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok)
        ok = ReplaceFile(temp, path);
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}

} // namespace platform
