// Shared by the libFuzzer harnesses: each runs in a fresh private folder, since the loaders
// read files by path, and writes each input there before handing it to the loader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace cavfuzz
{

// Creates a temporary folder and makes it the working folder; call once per process.
void EnterScratchFolder();

// Writes bytes to path in the working folder (creating its folders); false on failure.
bool WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size);
bool WriteInput(const std::string& path, const std::string& bytes);

// Splits an input at the byte sequence "\n--\n" into up to `count` parts, so that one
// input can describe several files. Missing parts are empty.
void SplitInput(const std::uint8_t* data, std::size_t size, std::string* parts, int count);

} // namespace cavfuzz
