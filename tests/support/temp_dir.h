// Test fixture and file helpers: every test that touches files runs in a fresh
// temporary working folder that is removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace cavtest
{

// Creates a fresh folder under /tmp, changes into it for the test, and restores
// the old working folder and removes the new one afterwards.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path; }

private:
    std::string path;
    std::string oldCwd;
};

class TempDirTest : public ::testing::Test
{
protected:
    void SetUp() override { temp = std::make_unique<TempDir>(); }
    void TearDown() override { temp.reset(); }
    std::unique_ptr<TempDir> temp;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
// Every regular file below `folder`, by its path relative to it, sorted: what a save left.
std::vector<std::string> FilesUnder(const std::string& folder);
// Copies a file or a whole folder tree (used to stage the built run/ folder).
void CopyTree(const std::string& from, const std::string& to);

// While it lives, writes that would make a file longer than `bytes` fail as they would on a
// full disk (the size limit of the process; its signal is ignored so the write reports it).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    struct rlimit saved = {};
    bool set = false;
};

} // namespace cavtest
