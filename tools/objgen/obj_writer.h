// The binary ".obj" line-model layout: int32 beam count, int32 centre x, int32 centre y,
// then per beam ten float32 (x1, y1, r, g, b, x2, y2, r, g, b), all little-endian whatever
// the machine, no padding.
#pragma once

#include "obj_source.h"

#include <string>

namespace objgen
{

std::string EncodeObj(const ModelSource& model);

// Writes bytes to a temporary file beside path and renames it over path, so a reader never
// sees half a file; false with a message when either step fails.
bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string& error);

} // namespace objgen
