#include "imagekit/bmp_writer.h"

#include "imagekit/file_bytes.h"

namespace imagekit
{

namespace
{

void PutLE(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

} // namespace

std::vector<uint8_t> EncodeBmp24(const Image& image)
{
    const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t dataBytes = rowBytes * static_cast<uint32_t>(image.height);
    const uint32_t headerBytes = 14 + 40;

    std::vector<uint8_t> out;
    out.reserve(headerBytes + dataBytes);
    out.push_back('B');
    out.push_back('M');
    PutLE(out, headerBytes + dataBytes, 4);
    PutLE(out, 0, 4); // reserved
    PutLE(out, headerBytes, 4);
    PutLE(out, 40, 4);
    PutLE(out, static_cast<uint32_t>(image.width), 4);
    PutLE(out, static_cast<uint32_t>(image.height), 4); // positive: bottom-up
    PutLE(out, 1, 2);                                   // planes
    PutLE(out, 24, 2);
    PutLE(out, 0, 4); // no compression
    PutLE(out, dataBytes, 4);
    PutLE(out, 2835, 4); // 72 dpi
    PutLE(out, 2835, 4);
    PutLE(out, 0, 4); // palette entries
    PutLE(out, 0, 4);

    for (int y = image.height - 1; y >= 0; --y)
    {
        for (int x = 0; x < image.width; ++x)
        {
            const uint8_t* p = image.At(x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
        }
        out.insert(out.end(), rowBytes - static_cast<uint32_t>(image.width) * 3, 0);
    }
    return out;
}

bool WriteBmp24(const std::string& path, const Image& image)
{
    return WriteFileBytes(path, EncodeBmp24(image));
}

} // namespace imagekit
