#include "imagekit/png_writer.h"

#include "imagekit/file_bytes.h"

#include <cstdio>
#include <png.h>

namespace imagekit
{

std::vector<uint8_t> EncodePng(const Image& image, bool withAlpha)
{
    png_image info{};
    info.version = PNG_IMAGE_VERSION;
    info.width = static_cast<png_uint_32>(image.width);
    info.height = static_cast<png_uint_32>(image.height);
    info.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;

    std::vector<uint8_t> pixels;
    if (withAlpha)
    {
        pixels = image.rgba;
    }
    else
    {
        pixels.reserve(static_cast<size_t>(image.width) * image.height * 3);
        for (size_t i = 0; i < image.rgba.size(); i += 4)
            pixels.insert(pixels.end(), image.rgba.begin() + i, image.rgba.begin() + i + 3);
    }

    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&info, nullptr, &size, 0, pixels.data(), 0, nullptr))
    {
        std::fprintf(stderr, "png: %s\n", info.message);
        return {};
    }
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&info, out.data(), &size, 0, pixels.data(), 0, nullptr))
    {
        std::fprintf(stderr, "png: %s\n", info.message);
        return {};
    }
    out.resize(size);
    return out;
}

bool WritePng(const std::string& path, const Image& image, bool withAlpha)
{
    std::vector<uint8_t> bytes = EncodePng(image, withAlpha);
    return !bytes.empty() && WriteFileBytes(path, bytes);
}

} // namespace imagekit
