// Windows bitmap writer: 24 bits per pixel, uncompressed, bottom-up rows padded to
// four bytes, the plain 40-byte info header that every BMP reader takes.
#pragma once

#include "imagekit/image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace imagekit
{

// Alpha is dropped.
std::vector<uint8_t> EncodeBmp24(const Image& image);
bool WriteBmp24(const std::string& path, const Image& image);

} // namespace imagekit
