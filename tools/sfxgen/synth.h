// The synthesiser: turns one voice and one note into mono samples at kSampleRate.
//
// A voice is an oscillator (sine, triangle, saw, square or sample-and-hold noise) with
// optional frequency modulation, vibrato and tremolo, shaped by an envelope, passed
// through filters, a soft saturation and an echo. All randomness comes from a hash of
// the voice's seed and the sample index, so the same voice always gives the same samples.
//
// RenderNote renders a note from its start to the end of its release (and echoes).
// RenderLoop renders exactly `loopSamples` samples of a steadily held voice that repeat
// without a seam: every frequency is nudged to a whole number of periods in the loop and
// the filters are run through one period first, so the last sample leads into the first.
#pragma once

#include "sound_source.h"

#include <cstdint>
#include <vector>

namespace sfxgen
{

constexpr int kSampleRate = 44100;

struct NoteRequest
{
    double freqFrom = 0.0; // Hz at the note's start; 0 for full-rate noise
    double freqTo = 0.0;   // Hz reached after `sweepOver`
    bool linear = false;
    double sweepOver = -1.0; // seconds; negative: over the whole note with its release
    double gate = 0.0;       // seconds held before the release starts
    double velocity = 1.0;
    uint32_t seed = 1;
};

std::vector<float> RenderNote(const VoiceRecipe& voice, const NoteRequest& note);

std::vector<float> RenderLoop(const VoiceRecipe& voice, double freq, int loopSamples);

// A note of `voice`: at `noteFreq` with the voice's bend, or (noteFreq 0) at the voice's
// own pitch and glide.
NoteRequest MakeNote(const VoiceRecipe& voice, double noteFreq, double gate, double velocity,
                     uint32_t seed);

} // namespace sfxgen
