#include "platform/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
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

// The mode a plain open(..., 0666) would give a new file. umask() can only be read by
// changing it, which would race with files other threads create meanwhile, so the kernel's
// own report is read instead. Without it the file keeps mkstemp's owner-only mode: a save
// must never be readable by more people than the user meant.
mode_t NewFileMode()
{
    std::string status;
    if (!ReadFileBytes("/proc/self/status", status))
        return 0600;
    const std::string key = "\nUmask:";
    const std::size_t at = status.find(key);
    if (at == std::string::npos)
        return 0600;
    char* end = nullptr;
    const unsigned long mask = std::strtoul(status.c_str() + at + key.size(), &end, 8);
    if (end == status.c_str() + at + key.size())
        return 0600;
    return static_cast<mode_t>(0666 & ~mask);
}

// The temporary file of one save: a name of its own beside the target, so that no file the
// user keeps there is ever overwritten or removed. It is removed again unless Replace moved
// it over the target.
class TempFile
{
public:
    explicit TempFile(const std::string& target)
    {
        // Close-on-exec: the programs the launcher starts must not inherit the file.
        std::string pattern = target + ".XXXXXX";
        fd = ::mkostemp(&pattern[0], O_CLOEXEC);
        if (fd < 0)
            return;
        path = pattern;
        if (::fchmod(fd, NewFileMode()) != 0)
            Discard();
    }
    ~TempFile() { Discard(); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool Made() const { return fd >= 0; }
    int Fd() const { return fd; }
    const std::string& Path() const { return path; }

    // Flushes whatever was written through any descriptor of the file to the disk, then
    // renames it over `target`; only the safe save renames a file over another.
    bool Replace(const std::string& target)
    {
        bool ok = ::fsync(fd) == 0;
        ok = (::close(fd) == 0) && ok;
        fd = -1;
        ok = ok && std::rename(path.c_str(), target.c_str()) == 0;
        if (ok)
            path.clear();
        return ok;
    }

private:
    void Discard()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
        if (!path.empty())
            ::unlink(path.c_str());
        path.clear();
    }

    int fd = -1;
    std::string path;
};

} // namespace

bool WriteFileAtomicallyWith(const std::string& path,
                             const std::function<bool(const std::string& tempPath)>& write)
{
    // The writers open the empty temporary file again by its name ("wb" or appending), which
    // fills this very file: the descriptor kept here flushes it all before the rename.
    TempFile temp(path);
    return temp.Made() && write(temp.Path()) && temp.Replace(path);
}

bool WriteFileAtomically(const std::string& path, const std::string& contents)
{
    TempFile temp(path);
    return temp.Made() && WriteAll(temp.Fd(), contents.data(), contents.size()) &&
           temp.Replace(path);
}

} // namespace platform
