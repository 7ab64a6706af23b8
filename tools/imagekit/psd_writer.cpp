#include "imagekit/psd_writer.h"

#include "imagekit/file_bytes.h"

namespace imagekit
{

namespace
{

const size_t kMaxRun = 128;

void PutU16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    PutU16(out, v >> 16);
    PutU16(out, v & 0xffff);
}

size_t RunLength(const uint8_t* data, size_t size, size_t at)
{
    size_t n = 1;
    while (at + n < size && n < kMaxRun && data[at + n] == data[at])
        ++n;
    return n;
}

} // namespace

std::vector<uint8_t> PackBits(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> out;
    size_t i = 0;
    while (i < size)
    {
        size_t run = RunLength(data, size, i);
        // A pair costs the same as a repeat or inside a literal; only runs of three
        // or more are worth breaking a literal for.
        if (run >= 3 || (run == 2 && (i + 2 == size || RunLength(data, size, i + 2) >= 3)))
        {
            out.push_back(static_cast<uint8_t>(1 - static_cast<int>(run)));
            out.push_back(data[i]);
            i += run;
            continue;
        }
        size_t start = i;
        while (i < size && i - start < kMaxRun && RunLength(data, size, i) < 3)
            ++i;
        size_t n = i - start;
        out.push_back(static_cast<uint8_t>(n - 1));
        out.insert(out.end(), data + start, data + i);
    }
    return out;
}

std::vector<uint8_t> EncodePsd(const Image& image)
{
    const int channels = 4;
    std::vector<uint8_t> out;
    out.insert(out.end(), {'8', 'B', 'P', 'S'});
    PutU16(out, 1); // version
    out.insert(out.end(), 6, 0);
    PutU16(out, channels);
    PutU32(out, static_cast<uint32_t>(image.height));
    PutU32(out, static_cast<uint32_t>(image.width));
    PutU16(out, 8); // bits per channel
    PutU16(out, 3); // RGB colour mode
    PutU32(out, 0); // colour mode data
    PutU32(out, 0); // image resources
    PutU32(out, 0); // layers and masks
    PutU16(out, 1); // RLE

    // All channels' row byte counts come before any row data.
    std::vector<std::vector<uint8_t>> rows;
    rows.reserve(static_cast<size_t>(channels) * image.height);
    std::vector<uint8_t> plain(image.width);
    for (int c = 0; c < channels; ++c)
    {
        for (int y = 0; y < image.height; ++y)
        {
            for (int x = 0; x < image.width; ++x)
                plain[x] = image.At(x, y)[c];
            rows.push_back(PackBits(plain.data(), plain.size()));
        }
    }
    for (const auto& row : rows)
        PutU16(out, static_cast<unsigned>(row.size()));
    for (const auto& row : rows)
        out.insert(out.end(), row.begin(), row.end());
    return out;
}

bool WritePsd(const std::string& path, const Image& image)
{
    return WriteFileBytes(path, EncodePsd(image));
}

} // namespace imagekit
