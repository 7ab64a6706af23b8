// Test fixture and file helpers: every test that touches files runs in a fresh
// temporary working folder that is removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

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
// Copies a file or a whole folder tree (used to stage the built run/ folder).
void CopyTree(const std::string& from, const std::string& to);

} // namespace cavtest
