// Image: an 8-bit RGBA raster, rows top to bottom, straight (not premultiplied) alpha.
// Plane: a single float channel (coverage, glow, blur) of the same layout.
// The tools build every picture from these two and hand them to the writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace imagekit
{

struct Image
{
    Image() = default;
    Image(int w, int h);

    uint8_t* At(int x, int y) { return &rgba[(static_cast<size_t>(y) * width + x) * 4]; }
    const uint8_t* At(int x, int y) const
    {
        return &rgba[(static_cast<size_t>(y) * width + x) * 4];
    }
    void Fill(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
    // Source-over compositing of one straight-alpha colour onto a pixel;
    // coverage 0..1 scales the colour's alpha.
    void BlendOver(int x, int y, const uint8_t colour[4], float coverage);

    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

struct Plane
{
    Plane() = default;
    Plane(int w, int h);

    float& At(int x, int y) { return values[static_cast<size_t>(y) * width + x]; }
    float At(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
    // Outside the plane reads as 0, so filters need no edge cases.
    float Get(int x, int y) const;

    int width = 0;
    int height = 0;
    std::vector<float> values;
};

// Separable Gaussian blur; the kernel is cut at 3 sigma.
Plane GaussianBlur(const Plane& in, float sigma);

// Soft outer glow: every pixel takes the strongest neighbour within radius,
// weakened linearly with distance (1 at the pixel itself, 1/(radius+1) at radius).
Plane Glow(const Plane& in, int radius);

// 0..1 to 0..255, rounded; values whose byte would fall below floor become 0, so that
// faint filter tails never decide where a shape ends.
uint8_t ToByte(float value, uint8_t floor = 0);

// Composites `src` onto `dst` (both straight alpha) with source-over.
void CompositeOver(Image& dst, const Image& src);

} // namespace imagekit
