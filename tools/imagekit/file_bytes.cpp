#include "imagekit/file_bytes.h"

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
    std::string temp = path + ".tmp";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr)
    {
        std::perror(temp.c_str());
        return false;
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    if (ok)
    {
        fs::rename(temp, target, ec);
        ok = !ec;
    }
    if (!ok)
    {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        fs::remove(temp, ec);
    }
    return ok;
}

} // namespace imagekit
