// Loading an image the way the game does (DevIL, origin at the upper left, converted
// to 8-bit RGBA), for the tests of the asset tools.
#pragma once

#include <IL/il.h>

#include <cstdint>
#include <string>
#include <vector>

namespace cavtest
{

struct LoadedImage
{
    bool ok = false;
    int width = 0;
    int height = 0;
    int bytesPerPixel = 0; // as loaded, before the conversion to RGBA
    std::vector<uint8_t> rgba;

    const uint8_t* At(int x, int y) const
    {
        return &rgba[(static_cast<size_t>(y) * width + x) * 4];
    }
};

inline LoadedImage LoadWithDevil(const std::string& path)
{
    static bool started = false;
    if (!started)
    {
        ilInit();
        ilEnable(IL_ORIGIN_SET);
        ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
        started = true;
    }
    LoadedImage out;
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    if (ilLoadImage(path.c_str()))
    {
        out.bytesPerPixel = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
        if (ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE))
        {
            out.width = ilGetInteger(IL_IMAGE_WIDTH);
            out.height = ilGetInteger(IL_IMAGE_HEIGHT);
            const ILubyte* data = ilGetData();
            out.rgba.assign(data, data + static_cast<size_t>(out.width) * out.height * 4);
            out.ok = true;
        }
    }
    ilDeleteImages(1, &name);
    return out;
}

} // namespace cavtest
