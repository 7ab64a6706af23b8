// Photoshop image writer, in the one flavour the game's image library reads with
// correct alpha: 8 bits per channel, RGB colour mode, four channels (RGB plus the
// alpha as an extra channel), PackBits (RLE) compression, no layers or resources.
#pragma once

#include "imagekit/image.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace imagekit
{

// PackBits of one row: literal runs (header 0..127 = n - 1) of up to 128 bytes and
// repeat runs (header -1..-127 = 1 - n) of 2 to 128 bytes; the no-op -128 is never written.
std::vector<uint8_t> PackBits(const uint8_t* data, size_t size);

// The whole file in memory; the same image always gives the same bytes.
std::vector<uint8_t> EncodePsd(const Image& image);

// Writes EncodePsd(image) to path (see WriteFileBytes); false with a message on stderr.
bool WritePsd(const std::string& path, const Image& image);

} // namespace imagekit
