#include "imagekit/image.h"

#include <algorithm>
#include <cmath>

namespace imagekit
{

Image::Image(int w, int h) : width(w), height(h), rgba(static_cast<size_t>(w) * h * 4, 0) {}

void Image::Fill(uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    for (size_t i = 0; i < rgba.size(); i += 4)
    {
        rgba[i] = r;
        rgba[i + 1] = g;
        rgba[i + 2] = b;
        rgba[i + 3] = a;
    }
}

void Image::BlendOver(int x, int y, const uint8_t colour[4], float coverage)
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    float sa = std::clamp(coverage, 0.0f, 1.0f) * colour[3] / 255.0f;
    if (sa <= 0.0f)
        return;
    uint8_t* p = At(x, y);
    float da = p[3] / 255.0f;
    float oa = sa + da * (1.0f - sa);
    for (int c = 0; c < 3; ++c)
    {
        float v = (colour[c] * sa + p[c] * da * (1.0f - sa)) / oa;
        p[c] = static_cast<uint8_t>(std::lround(std::clamp(v, 0.0f, 255.0f)));
    }
    p[3] = ToByte(oa);
}

void CompositeOver(Image& dst, const Image& src)
{
    int w = std::min(dst.width, src.width);
    int h = std::min(dst.height, src.height);
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            const uint8_t* s = src.At(x, y);
            if (s[3] != 0)
                dst.BlendOver(x, y, s, 1.0f);
        }
    }
}

Plane::Plane(int w, int h) : width(w), height(h), values(static_cast<size_t>(w) * h, 0.0f) {}

float Plane::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0.0f;
    return At(x, y);
}

Plane GaussianBlur(const Plane& in, float sigma)
{
    if (sigma <= 0.0f)
        return in;
    int reach = static_cast<int>(std::ceil(sigma * 3.0f));
    std::vector<float> kernel(2 * reach + 1);
    float sum = 0.0f;
    for (int i = -reach; i <= reach; ++i)
    {
        kernel[i + reach] = std::exp(-(i * i) / (2.0f * sigma * sigma));
        sum += kernel[i + reach];
    }
    for (float& k : kernel)
        k /= sum;

    Plane across(in.width, in.height);
    for (int y = 0; y < in.height; ++y)
    {
        for (int x = 0; x < in.width; ++x)
        {
            float v = 0.0f;
            for (int i = -reach; i <= reach; ++i)
                v += in.Get(x + i, y) * kernel[i + reach];
            across.At(x, y) = v;
        }
    }
    Plane out(in.width, in.height);
    for (int y = 0; y < in.height; ++y)
    {
        for (int x = 0; x < in.width; ++x)
        {
            float v = 0.0f;
            for (int i = -reach; i <= reach; ++i)
                v += across.Get(x, y + i) * kernel[i + reach];
            out.At(x, y) = v;
        }
    }
    return out;
}

Plane Glow(const Plane& in, int radius)
{
    Plane out(in.width, in.height);
    for (int y = 0; y < in.height; ++y)
    {
        for (int x = 0; x < in.width; ++x)
        {
            float best = 0.0f;
            for (int dy = -radius; dy <= radius; ++dy)
            {
                for (int dx = -radius; dx <= radius; ++dx)
                {
                    float d = std::sqrt(static_cast<float>(dx * dx + dy * dy));
                    if (d > radius + 0.5f)
                        continue;
                    float weight = 1.0f - d / (radius + 1.0f);
                    best = std::max(best, in.Get(x + dx, y + dy) * weight);
                }
            }
            out.At(x, y) = best;
        }
    }
    return out;
}

uint8_t ToByte(float value, uint8_t floor)
{
    long v = std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f);
    if (v < floor)
        return 0;
    return static_cast<uint8_t>(v);
}

} // namespace imagekit
