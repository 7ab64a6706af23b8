// Writing a finished file: parent folders are created, the bytes go to a temporary
// file beside the target and are renamed over it, so a failed run never leaves a
// half-written asset that a later build would take as up to date.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace imagekit
{

// False with a message on stderr.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace imagekit
