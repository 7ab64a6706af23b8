// Tiny Ogg Vorbis files for the sound tests, encoded on the spot.
#pragma once

#include <string>

namespace cavtest
{

// A stereo 44100 Hz sine tone of the given length; false if the file could not be written.
bool WriteToneOgg(const std::string& path, double seconds, double frequency = 440.0,
                  float amplitude = 0.5f);

} // namespace cavtest
