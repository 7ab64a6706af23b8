// PNG writer (libpng's simplified API): RGB or RGBA, 8 bits, no time stamp, so the
// same image always gives the same file.
#pragma once

#include "imagekit/image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace imagekit
{

// With withAlpha false the alpha channel is dropped. Empty on failure (message on stderr).
std::vector<uint8_t> EncodePng(const Image& image, bool withAlpha);
bool WritePng(const std::string& path, const Image& image, bool withAlpha);

} // namespace imagekit
