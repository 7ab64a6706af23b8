// For gl tests: one SDL OpenGL window of 640 x 480 for the whole test program (opened with
// InitVideo in a fresh temporary folder), the image library started as the game starts it,
// and helpers to read back what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace cavtest
{

class GLWindowEnvironment : public ::testing::Environment
{
public:
    void SetUp() override;
    void TearDown() override;
    // What InitVideo logged.
    static const std::string& VideoLog();
};

struct Rgba
{
    std::uint8_t r, g, b, a;
};

// The whole 640 x 480 back buffer, row 0 at the top.
class Framebuffer
{
public:
    Framebuffer();
    Rgba At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * 640 + x]; }
    // Saves it as a PNG through DevIL.
    bool SavePng(const std::string& path) const;

private:
    std::vector<Rgba> pixels;
};

// Clears to black and sets the game's 640 x 480 projection.
void ClearScreen();

// Writes a small image through DevIL (row 0 at the top) in the given layout.
void SaveTestImage(const std::string& path, int width, int height, unsigned int format,
                   unsigned int type, int channels, const void* pixels);

} // namespace cavtest
