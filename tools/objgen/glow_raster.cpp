#include "glow_raster.h"

#include "obj_writer.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace objgen
{

GlowImage::GlowImage(int w, int h, const Colour& background)
    : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3)
{
    for (size_t i = 0; i < rgb.size(); i += 3)
    {
        rgb[i] = background.r;
        rgb[i + 1] = background.g;
        rgb[i + 2] = background.b;
    }
}

void AddGlowBeam(GlowImage& image, double x1, double y1, const Colour& c1, double x2, double y2,
                 const Colour& c2, const GlowStyle& style)
{
    const double w = style.halfWidth;
    int minX = std::max(0, static_cast<int>(std::floor(std::min(x1, x2) - w)));
    int maxX = std::min(image.width - 1, static_cast<int>(std::ceil(std::max(x1, x2) + w)));
    int minY = std::max(0, static_cast<int>(std::floor(std::min(y1, y2) - w)));
    int maxY = std::min(image.height - 1, static_cast<int>(std::ceil(std::max(y1, y2) + w)));
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double len2 = dx * dx + dy * dy;
    for (int py = minY; py <= maxY; ++py)
    {
        for (int px = minX; px <= maxX; ++px)
        {
            double cx = px + 0.5 - x1;
            double cy = py + 0.5 - y1;
            double t = len2 > 0.0 ? std::clamp((cx * dx + cy * dy) / len2, 0.0, 1.0) : 0.0;
            double ex = cx - t * dx;
            double ey = cy - t * dy;
            double r = std::sqrt(ex * ex + ey * ey) / w;
            if (r >= 1.0)
            {
                continue;
            }
            double a = r / style.core;
            double b = r / style.halo;
            double falloff = (std::exp(-a * a) + style.haloGain * std::exp(-b * b)) * style.gain;
            float* p = &image.rgb[(static_cast<size_t>(py) * image.width + px) * 3];
            double colour[3] = {c1.r + (c2.r - c1.r) * t, c1.g + (c2.g - c1.g) * t,
                                c1.b + (c2.b - c1.b) * t};
            for (int i = 0; i < 3; ++i)
            {
                double v = colour[i] * falloff;
                p[i] += static_cast<float>(style.squareColour ? v * v : v);
            }
        }
    }
}

void AddModel(GlowImage& image, const ModelSource& model, double ox, double oy, double k,
              const GlowStyle& style)
{
    for (const SourceBeam& b : model.beams)
    {
        AddGlowBeam(image, ox + (b.x1 - model.centreX) * k, oy + (b.y1 - model.centreY) * k,
                    b.start, ox + (b.x2 - model.centreX) * k, oy + (b.y2 - model.centreY) * k,
                    b.end, style);
    }
}

std::vector<unsigned char> ToBytes(const GlowImage& image, bool softKnee)
{
    std::vector<unsigned char> out(image.rgb.size());
    for (size_t i = 0; i < image.rgb.size(); ++i)
    {
        double v = image.rgb[i];
        if (softKnee)
        {
            v = 1.0 - std::exp(-v);
        }
        v = std::clamp(v, 0.0, 1.0);
        out[i] = static_cast<unsigned char>(std::lround(v * 255.0));
    }
    return out;
}

std::vector<unsigned char> RenderTitlePicture(const ModelSource& scene, int width, int height)
{
    GlowImage image(width, height, Colour{0.05f, 0.05f, 0.1f});
    GlowStyle style;
    style.halfWidth = 14.0;
    style.core = 0.1;
    style.halo = 0.45;
    style.haloGain = 0.22;
    style.gain = 1.3;
    for (const SourceBeam& b : scene.beams)
    {
        AddGlowBeam(image, b.x1, b.y1, b.start, b.x2, b.y2, b.end, style);
    }
    return ToBytes(image, true);
}

namespace
{

void Put16(std::string& out, unsigned v)
{
    out.push_back(static_cast<char>(v & 0xffu));
    out.push_back(static_cast<char>((v >> 8) & 0xffu));
}

void Put32(std::string& out, unsigned long v)
{
    Put16(out, static_cast<unsigned>(v & 0xffffu));
    Put16(out, static_cast<unsigned>((v >> 16) & 0xffffu));
}

} // namespace

bool WriteBmp24(const std::string& path, int width, int height,
                const std::vector<unsigned char>& rgb, std::string& error)
{
    const unsigned long rowBytes = (static_cast<unsigned long>(width) * 3 + 3) & ~3ul;
    const unsigned long imageBytes = rowBytes * height;
    std::string out;
    out.reserve(54 + imageBytes);
    out += "BM";
    Put32(out, 54 + imageBytes); // file size
    Put32(out, 0);               // reserved
    Put32(out, 54);              // offset of the pixels
    Put32(out, 40);              // info header size
    Put32(out, static_cast<unsigned long>(width));
    Put32(out, static_cast<unsigned long>(height)); // positive: bottom row first
    Put16(out, 1);                                  // planes
    Put16(out, 24);                                 // bits per pixel
    Put32(out, 0);                                  // no compression
    Put32(out, imageBytes);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = height - 1; y >= 0; --y)
    {
        const unsigned char* row = &rgb[static_cast<size_t>(y) * width * 3];
        for (int x = 0; x < width; ++x)
        {
            out.push_back(static_cast<char>(row[x * 3 + 2]));
            out.push_back(static_cast<char>(row[x * 3 + 1]));
            out.push_back(static_cast<char>(row[x * 3]));
        }
        for (unsigned long pad = static_cast<unsigned long>(width) * 3; pad < rowBytes; ++pad)
        {
            out.push_back('\0');
        }
    }
    return WriteFileAtomic(path, out, error);
}

bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb,
              std::string& error)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr))
    {
        error = "cannot write " + path + ": " + image.message;
        png_image_free(&image);
        return false;
    }
    return true;
}

} // namespace objgen
