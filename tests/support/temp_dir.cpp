#include "support/temp_dir.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace cavtest
{

TempDir::TempDir()
{
    oldCwd = fs::current_path().string();
    char pattern[] = "/tmp/cavtest-XXXXXX";
    char* made = mkdtemp(pattern);
    if (made == nullptr)
    {
        ADD_FAILURE() << "mkdtemp failed";
        return;
    }
    path = made;
    fs::current_path(path);
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::current_path(oldCwd, ec);
    if (!path.empty())
        fs::remove_all(path, ec);
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    fs::path p(path);
    if (p.has_parent_path())
        fs::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool FileExists(const std::string& path)
{
    return fs::exists(path);
}

std::vector<std::string> FilesUnder(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
    {
        if (entry.is_regular_file())
            names.push_back(fs::relative(entry.path(), folder).string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void CopyTree(const std::string& from, const std::string& to)
{
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    if (getrlimit(RLIMIT_FSIZE, &saved) != 0)
    {
        ADD_FAILURE() << "getrlimit failed";
        return;
    }
    struct rlimit small = saved;
    small.rlim_cur = bytes;
    set = setrlimit(RLIMIT_FSIZE, &small) == 0;
    if (!set)
        ADD_FAILURE() << "setrlimit failed";
}

FileSizeLimit::~FileSizeLimit()
{
    if (set && setrlimit(RLIMIT_FSIZE, &saved) != 0)
        ADD_FAILURE() << "the file size limit could not be lifted";
}

} // namespace cavtest
