#include "imagekit/file_bytes.h"

#include "platform/platform.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace imagekit
{

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(path);
    if (target.has_parent_path())
    {
        fs::create_directories(target.parent_path(), ec);
        if (ec)
        {
            std::fprintf(stderr, "cannot create folder %s: %s\n",
                         target.parent_path().string().c_str(), ec.message().c_str());
            return false;
        }
    }
    // The one safe save: temporary file, flushed to disk, renamed over the target.
    bool ok = platform::WriteFileAtomically(
        path, std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    if (!ok)
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return ok;
}

} // namespace imagekit
