// Mixes a whole sound from its source: an effect's voices, or a piece of music played by
// the pattern sequencer. The result is normalised to the source's peak and has no DC.
//
// Music steps last 60 / (tempo * steps per beat) seconds. A row's token starts a note (a
// note name, a chord such as C4+E4+G4, or "x"/"o" for a full or half-loud hit at the
// instrument's own pitch), "-" holds the note one more step and "." rests.
//
// A looping sound is exactly one period long: whatever rings past its end (releases,
// echoes) is added back at its start, which is what a player hears from the second time
// round, so the last sample leads into the first without a seam.
#pragma once

#include "sound_source.h"

#include <vector>

namespace sfxgen
{

struct Audio
{
    int channels = 1;
    std::vector<float> samples; // interleaved frames

    size_t Frames() const { return channels ? samples.size() / size_t(channels) : 0; }
};

Audio MixSound(const SoundSource& source);

} // namespace sfxgen
