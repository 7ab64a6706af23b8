#include "platform/process.h"

#include <spawn.h>
#include <sys/types.h>

extern char** environ;

namespace platform
{

bool StartProgram(const std::string& path)
{
    if (path.empty())
        return false;
    std::string program = path;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    // glibc's posix_spawn reports a failed exec (missing file, no permission) as its result.
    return posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) == 0;
}

} // namespace platform
