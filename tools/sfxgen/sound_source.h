// The text description of one sound, as read from a ".sfx" file in content/sounds/.
//
// A file describes either an effect (one or more `voice` blocks mixed together) or a
// piece of music (`instrument` blocks, `pattern` blocks of note rows and a `song` line
// that orders the patterns). ParseSoundSource turns the text into a SoundSource and
// reports the first mistake with its line number; it never half-accepts a file.
// The format itself is described in content/sounds/README.md.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sfxgen
{

enum class Wave
{
    Sine,
    Triangle,
    Saw,
    Square,
    Noise
};

enum class LfoShape
{
    Sine,
    Square,
    Saw
};

// A value that may glide from `from` to `to` over `over` seconds (negative: over the
// whole note). Exponential glide unless `linear`.
struct Sweep
{
    double from = 0.0;
    double to = 0.0;
    double over = -1.0;
    bool set = false;
    bool linear = false;

    bool Moves() const { return set && from != to; }
};

struct FilterStage
{
    enum class Mode
    {
        Low,
        High,
        Band
    };
    Mode mode = Mode::Low;
    Sweep cutoff; // Hz
    double q = 0.707;
};

struct Lfo
{
    double rate = 0.0;  // Hz
    double depth = 0.0; // semitones for vibrato, 0..1 for tremolo
    LfoShape shape = LfoShape::Sine;

    bool Active() const { return rate > 0.0 && depth != 0.0; }
};

// One synthesiser voice: an effect layer or a music instrument.
struct VoiceRecipe
{
    std::string name;
    int line = 0;

    Wave wave = Wave::Sine;
    double duty = 0.5;
    Sweep pitch;               // Hz; an instrument's pitch is the one its "x" hits sound at
    std::vector<double> notes; // effect voices: a run of notes, one every `step` seconds
    double step = 0.1;
    double bend = 0.0; // semitones of glide over each note
    double bendOver = -1.0;

    double start = 0.0;  // effect voices: seconds from the start of the sound
    double gate = -1.0;  // effect voices: seconds held before the release (default attack + decay)
    double legato = 1.0; // instruments: part of the written note length that is held

    double attack = 0.002;
    double decay = 0.0;
    double sustain = 1.0;
    double release = 0.02;
    double curve = 2.0; // power of the decay and release falls

    double volume = 1.0;
    double pan = 0.0; // -1 left .. 1 right

    Lfo vibrato;
    Lfo tremolo;
    double fmRatio = 0.0; // 0: no frequency modulation
    Sweep fmIndex;
    std::vector<FilterStage> filters;
    double drive = 0.0;
    double echoDelay = 0.0;
    double echoFeedback = 0.0;
    uint32_t seed = 1;

    bool envelopeSet = false; // any of attack, decay, sustain, release, gate written
};

struct PatternTrack
{
    std::string instrument;
    std::vector<std::string> steps; // one token per step
    int line = 0;
};

struct PatternRecipe
{
    std::string name;
    int line = 0;
    std::vector<PatternTrack> tracks;
};

struct SoundSource
{
    std::string name; // the file's stem: the name of the .ogg written
    bool loop = false;
    int channels = 1;
    double peak = 0.8;    // the loudest sample after normalising
    double length = 0.0;  // loops: the period in seconds
    double quality = 0.4; // Vorbis VBR quality
    uint32_t serial = 0;  // Ogg stream serial number (0: derived from the name)

    // Effects.
    std::vector<VoiceRecipe> voices;

    // Music.
    double tempo = 0.0; // beats per minute
    int stepsPerBeat = 4;
    std::vector<VoiceRecipe> instruments;
    std::vector<PatternRecipe> patterns;
    std::vector<std::string> song;

    bool IsMusic() const { return !instruments.empty(); }
};

// Parses `text` (the contents of a file called `fileName`) into `out`. On failure returns
// false and sets `error` to "fileName:line: what is wrong".
bool ParseSoundSource(const std::string& text, const std::string& fileName, SoundSource& out,
                      std::string& error);

// Frequency in Hz of a note name such as "A4" (440 Hz), "C#3" or "Bb2"; 0 when not a note.
double NoteFrequency(const std::string& token);

} // namespace sfxgen
