#include "studio_logo.h"

#include "imagekit/glyph_raster.h"
#include "imagekit/source_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace artwork
{

using imagekit::Image;
using imagekit::Plane;

namespace
{

const int kSamples = 4; // sub-samples per pixel side for the pebbles' edges

// Colour and coverage of one pebble at a pixel. The pebble is shaded as a low dome lit
// from the upper left, with a small sharp highlight.
bool ShadePebble(const LogoRecipe& recipe, const Pebble& pebble, int x, int y, float rgb[3],
                 float& coverage)
{
    const float kPi = 3.14159265f;
    float c = std::cos(pebble.angleDeg * kPi / 180.0f);
    float s = std::sin(pebble.angleDeg * kPi / 180.0f);
    const float light[3] = {-0.45f, -0.6f, 0.66f}; // unit length
    int inside = 0;
    float sum[3] = {0.0f, 0.0f, 0.0f};
    for (int sy = 0; sy < kSamples; ++sy)
    {
        for (int sx = 0; sx < kSamples; ++sx)
        {
            float px = x + (sx + 0.5f) / kSamples - pebble.cx;
            float py = y + (sy + 0.5f) / kSamples - pebble.cy;
            float u = (px * c + py * s) / pebble.rx;
            float v = (-px * s + py * c) / pebble.ry;
            float d = std::pow(std::pow(std::fabs(u), recipe.pebbleRoundness) +
                                   std::pow(std::fabs(v), recipe.pebbleRoundness),
                               1.0f / recipe.pebbleRoundness);
            if (d > 1.0f)
                continue;
            ++inside;
            // Dome normal in screen axes.
            float nx = u * c - v * s;
            float ny = u * s + v * c;
            float nz = 1.4f * std::sqrt(1.0f - d * d) + 0.2f;
            float len = std::sqrt(nx * nx + ny * ny + nz * nz);
            float lambert = std::max(0.0f, (nx * light[0] + ny * light[1] + nz * light[2]) / len);
            // Half vector of the light and a viewer straight above.
            float hx = light[0], hy = light[1], hz = light[2] + 1.0f;
            float hlen = std::sqrt(hx * hx + hy * hy + hz * hz);
            float shine =
                std::pow(std::max(0.0f, (nx * hx + ny * hy + nz * hz) / (len * hlen)), 40.0f);
            for (int i = 0; i < 3; ++i)
            {
                float base =
                    recipe.pebbleDark[i] + (recipe.pebbleLight[i] - recipe.pebbleDark[i]) * lambert;
                sum[i] += std::min(255.0f, base + 200.0f * shine);
            }
        }
    }
    coverage = static_cast<float>(inside) / (kSamples * kSamples);
    if (inside == 0)
        return false;
    for (int i = 0; i < 3; ++i)
        rgb[i] = sum[i] / inside;
    return true;
}

// The name's ink over the whole image; false when it does not fit.
bool SetName(const LogoRecipe& recipe, Plane& ink)
{
    imagekit::GlyphRaster raster;
    if (!raster.Open(recipe.font, recipe.pixelSize))
        return false;
    std::vector<imagekit::RenderedGlyph> glyphs(recipe.text.size());
    int width = 0;
    for (size_t i = 0; i < recipe.text.size(); ++i)
    {
        if (!raster.Render(static_cast<unsigned char>(recipe.text[i]), glyphs[i]))
            return false;
        width += glyphs[i].advance + (i + 1 < recipe.text.size() ? recipe.letterSpacing : 0);
    }
    int pen = recipe.textLeft + (recipe.textRight - recipe.textLeft - width) / 2;
    bool fits = width <= recipe.textRight - recipe.textLeft;
    for (const imagekit::RenderedGlyph& glyph : glyphs)
    {
        for (int y = 0; y < glyph.coverage.height; ++y)
        {
            for (int x = 0; x < glyph.coverage.width; ++x)
            {
                int ix = pen + glyph.left + x;
                int iy = recipe.baseline - glyph.top + y;
                if (glyph.coverage.At(x, y) <= 0.0f)
                    continue;
                if (ix < 0 || iy < 0 || ix >= ink.width || iy >= ink.height)
                {
                    fits = false;
                    continue;
                }
                ink.At(ix, iy) = std::max(ink.At(ix, iy), glyph.coverage.At(x, y));
            }
        }
        pen += glyph.advance + recipe.letterSpacing;
    }
    if (!fits)
        std::fprintf(stderr, "logo: \"%s\" at %d pixels does not fit columns %d-%d\n",
                     recipe.text.c_str(), recipe.pixelSize, recipe.textLeft, recipe.textRight);
    return fits;
}

} // namespace

bool LoadLogoRecipe(const std::string& path, LogoRecipe& recipe)
{
    imagekit::SourceFile file;
    if (!file.Load(path))
        return false;
    std::vector<int> columns;
    bool ok = file.GetInt("width", recipe.width);
    ok = file.GetInt("height", recipe.height) && ok;
    ok = file.GetString("font", recipe.font) && ok;
    ok = file.GetInt("pixel_size", recipe.pixelSize) && ok;
    ok = file.GetString("text", recipe.text) && ok;
    ok = file.GetInts("text_columns", columns, 2) && ok;
    ok = file.GetInt("baseline", recipe.baseline) && ok;
    ok = file.GetInt("letter_spacing", recipe.letterSpacing) && ok;
    ok = file.GetColour("text_top", recipe.textTop) && ok;
    ok = file.GetColour("text_bottom", recipe.textBottom) && ok;
    ok = file.GetColour("glow_colour", recipe.glowColour) && ok;
    ok = file.GetFloat("glow_sigma", recipe.glowSigma) && ok;
    ok = file.GetFloat("glow_strength", recipe.glowStrength) && ok;
    ok = file.GetFloat("pebble_roundness", recipe.pebbleRoundness) && ok;
    ok = file.GetColour("pebble_light", recipe.pebbleLight) && ok;
    ok = file.GetColour("pebble_dark", recipe.pebbleDark) && ok;
    if (columns.size() == 2)
    {
        recipe.textLeft = columns[0];
        recipe.textRight = columns[1];
    }
    recipe.pebbles.clear();
    for (const std::string& value : file.GetAll("pebble"))
    {
        std::istringstream in(value);
        Pebble p{};
        if (!(in >> p.cx >> p.cy >> p.rx >> p.ry >> p.angleDeg) || p.rx <= 0 || p.ry <= 0)
        {
            std::fprintf(stderr, "%s: pebble \"%s\" needs cx cy rx ry angle\n", path.c_str(),
                         value.c_str());
            ok = false;
            continue;
        }
        recipe.pebbles.push_back(p);
    }
    auto powerOfTwo = [](int v) { return v >= 8 && v <= 2048 && (v & (v - 1)) == 0; };
    if (ok && (!powerOfTwo(recipe.width) || !powerOfTwo(recipe.height)))
    {
        // The game's OpenGL 1.x textures need power-of-two sides.
        std::fprintf(stderr, "%s: width and height must be powers of two\n", path.c_str());
        ok = false;
    }
    if (ok && recipe.pebbleRoundness < 1.0f)
    {
        std::fprintf(stderr, "%s: pebble_roundness must be at least 1\n", path.c_str());
        ok = false;
    }
    return ok;
}

bool MakeLogo(const LogoRecipe& recipe, Image& out)
{
    Plane ink(recipe.width, recipe.height);
    if (!SetName(recipe, ink))
        return false;

    Image pebbles(recipe.width, recipe.height);
    Plane shapes = ink; // everything that glows
    for (const Pebble& pebble : recipe.pebbles)
    {
        for (int y = 0; y < recipe.height; ++y)
        {
            for (int x = 0; x < recipe.width; ++x)
            {
                float rgb[3];
                float coverage = 0.0f;
                if (!ShadePebble(recipe, pebble, x, y, rgb, coverage))
                    continue;
                const uint8_t colour[4] = {static_cast<uint8_t>(std::lround(rgb[0])),
                                           static_cast<uint8_t>(std::lround(rgb[1])),
                                           static_cast<uint8_t>(std::lround(rgb[2])), 255};
                pebbles.BlendOver(x, y, colour, coverage);
                shapes.At(x, y) = std::max(shapes.At(x, y), coverage);
            }
        }
    }

    // Transparent pixels keep the glow's colour, so filtering never pulls in black.
    out = Image(recipe.width, recipe.height);
    out.Fill(recipe.glowColour[0], recipe.glowColour[1], recipe.glowColour[2], 0);
    Plane glow = imagekit::GaussianBlur(shapes, recipe.glowSigma);
    Image glowLayer(recipe.width, recipe.height);
    glowLayer.Fill(recipe.glowColour[0], recipe.glowColour[1], recipe.glowColour[2], 0);
    for (int y = 0; y < recipe.height; ++y)
    {
        for (int x = 0; x < recipe.width; ++x)
            glowLayer.At(x, y)[3] = imagekit::ToByte(glow.At(x, y) * recipe.glowStrength, 2);
    }
    imagekit::CompositeOver(out, glowLayer);
    imagekit::CompositeOver(out, pebbles);

    // Letters shade from the top colour at the top of the image to the bottom colour.
    for (int y = 0; y < recipe.height; ++y)
    {
        float t = recipe.height > 1 ? static_cast<float>(y) / (recipe.height - 1) : 0.0f;
        uint8_t colour[4] = {0, 0, 0, 255};
        for (int i = 0; i < 3; ++i)
            colour[i] = static_cast<uint8_t>(
                std::lround(recipe.textTop[i] + (recipe.textBottom[i] - recipe.textTop[i]) * t));
        for (int x = 0; x < recipe.width; ++x)
        {
            if (ink.At(x, y) > 0.0f)
                out.BlendOver(x, y, colour, ink.At(x, y));
        }
    }
    return true;
}

} // namespace artwork
