#include "window_icon.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace artwork
{

namespace
{

float SegmentDistance(float px, float py, const IconLine& line)
{
    float dx = line.x2 - line.x1;
    float dy = line.y2 - line.y1;
    float lengthSq = dx * dx + dy * dy;
    float t = 0.0f;
    if (lengthSq > 0.0f)
        t = std::clamp(((px - line.x1) * dx + (py - line.y1) * dy) / lengthSq, 0.0f, 1.0f);
    float ex = line.x1 + t * dx - px;
    float ey = line.y1 + t * dy - py;
    return std::sqrt(ex * ex + ey * ey);
}

} // namespace

bool LoadIconRecipe(const std::string& path, IconRecipe& recipe)
{
    imagekit::SourceFile file;
    if (!file.Load(path))
        return false;
    bool ok = file.GetInt("size", recipe.size);
    ok = file.GetColour("background", recipe.background) && ok;
    ok = file.GetFloat("line_radius", recipe.lineRadius) && ok;
    ok = file.GetInt("samples", recipe.samples) && ok;
    ok = LoadGlowProfile(file, recipe.profile) && ok;
    if (ok && (recipe.size < 8 || recipe.size > 256 || recipe.samples < 1 || recipe.samples > 16 ||
               recipe.lineRadius <= 0.0f))
    {
        std::fprintf(stderr, "%s: size 8-256, samples 1-16, line_radius > 0 expected\n",
                     path.c_str());
        ok = false;
    }
    recipe.lines.clear();
    for (const std::string& value : file.GetAll("line"))
    {
        // x1 y1 x2 y2 r g b
        std::istringstream in(value);
        IconLine line{};
        int rgb[3] = {0, 0, 0};
        if (!(in >> line.x1 >> line.y1 >> line.x2 >> line.y2 >> rgb[0] >> rgb[1] >> rgb[2]))
        {
            std::fprintf(stderr, "%s: line \"%s\" needs x1 y1 x2 y2 r g b\n", path.c_str(),
                         value.c_str());
            ok = false;
            continue;
        }
        for (int i = 0; i < 3; ++i)
            line.colour[i] = static_cast<uint8_t>(std::clamp(rgb[i], 0, 255));
        recipe.lines.push_back(line);
    }
    if (ok && recipe.lines.empty())
    {
        std::fprintf(stderr, "%s: no lines\n", path.c_str());
        ok = false;
    }
    return ok;
}

imagekit::Image MakeIcon(const IconRecipe& recipe)
{
    imagekit::Image image(recipe.size, recipe.size);
    const int n = recipe.samples;
    for (int y = 0; y < recipe.size; ++y)
    {
        for (int x = 0; x < recipe.size; ++x)
        {
            float light[3] = {0.0f, 0.0f, 0.0f};
            for (int sy = 0; sy < n; ++sy)
            {
                for (int sx = 0; sx < n; ++sx)
                {
                    float px = x + (sx + 0.5f) / n;
                    float py = y + (sy + 0.5f) / n;
                    for (const IconLine& line : recipe.lines)
                    {
                        float glow =
                            recipe.profile.Intensity(SegmentDistance(px, py, line) / recipe.lineRadius);
                        for (int c = 0; c < 3; ++c)
                            light[c] += glow * line.colour[c] / 255.0f;
                    }
                }
            }
            uint8_t* p = image.At(x, y);
            for (int c = 0; c < 3; ++c)
                p[c] = imagekit::ToByte(recipe.background[c] / 255.0f + light[c] / (n * n));
            p[3] = 255;
        }
    }
    return image;
}

} // namespace artwork
