// Encodes float samples as an Ogg Vorbis file with libvorbisenc (VBR).
//
// The output depends only on the samples and the arguments: the Ogg serial number is
// given, and the only comment is the title, so the same sound always gives the same bytes.
// The file is written under a temporary name beside `path` and renamed when complete.
#pragma once

#include "mixer.h"

#include <cstdint>
#include <string>

namespace sfxgen
{

bool WriteOggVorbis(const std::string& path, const Audio& audio, int sampleRate, double quality,
                    uint32_t serial, const std::string& title, std::string& error);

} // namespace sfxgen
