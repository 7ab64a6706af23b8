#include "mixer.h"

#include "synth.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>

namespace sfxgen
{
namespace
{

constexpr uint32_t kSeedStride = 7919; // each further note of a voice gets fresh noise

// Sums mono notes into interleaved frames; a looping bus folds overhanging samples back
// to its start.
class Bus
{
public:
    // A looping bus is exactly `frames` long; any other grows past `frames` as needed.
    Bus(int channels, size_t frames, bool loop) : channels(channels), loopFrames(loop ? frames : 0)
    {
        data.resize(frames * size_t(channels), 0.0f);
    }

    void Add(const std::vector<float>& mono, size_t startFrame, double pan)
    {
        double gains[2] = {1.0, 1.0};
        if (channels == 2)
        {
            const double angle = (pan + 1.0) * 0.25 * 3.14159265358979323846;
            gains[0] = std::cos(angle) * std::sqrt(2.0);
            gains[1] = std::sin(angle) * std::sqrt(2.0);
        }
        if (!loopFrames && data.size() < (startFrame + mono.size()) * size_t(channels))
            data.resize((startFrame + mono.size()) * size_t(channels), 0.0f);
        for (size_t i = 0; i < mono.size(); ++i)
        {
            size_t frame = startFrame + i;
            if (loopFrames)
                frame %= loopFrames;
            for (int c = 0; c < channels; ++c)
                data[frame * size_t(channels) + size_t(c)] += float(mono[i] * gains[c]);
        }
    }

    Audio Finish(double peak) &&
    {
        Audio audio;
        audio.channels = channels;
        audio.samples = std::move(data);
        const size_t frames = audio.Frames();
        if (loopFrames && frames)
        {
            // Over a whole period the mean is pure offset; a one-shot's mean is part of it.
            for (int c = 0; c < channels; ++c)
            {
                double sum = 0.0;
                for (size_t f = 0; f < frames; ++f)
                    sum += audio.samples[f * size_t(channels) + size_t(c)];
                const float mean = float(sum / double(frames));
                for (size_t f = 0; f < frames; ++f)
                    audio.samples[f * size_t(channels) + size_t(c)] -= mean;
            }
        }
        else
        {
            // Saturated or lopsided waves carry some offset; a gentle high-pass at 10 Hz
            // removes it without touching what can be heard.
            const double r = 1.0 - 2.0 * 3.14159265358979323846 * 10.0 / kSampleRate;
            for (int c = 0; c < channels; ++c)
            {
                double lastIn = 0.0, lastOut = 0.0;
                for (size_t f = 0; f < frames; ++f)
                {
                    float& s = audio.samples[f * size_t(channels) + size_t(c)];
                    lastOut = s - lastIn + r * lastOut;
                    lastIn = s;
                    s = float(lastOut);
                }
            }
            // Filters and echoes can leave a trace past the last release: end on silence.
            const size_t fade = std::min(frames, size_t(kSampleRate / 200));
            for (size_t i = 0; i < fade; ++i)
                for (int c = 0; c < channels; ++c)
                    audio.samples[(frames - 1 - i) * size_t(channels) + size_t(c)] *=
                        float(double(i) / double(fade));
        }
        float loudest = 0.0f;
        for (float s : audio.samples)
            loudest = std::max(loudest, std::fabs(s));
        if (loudest > 0.0f)
        {
            const float scale = float(peak) / loudest;
            for (float& s : audio.samples)
                s *= scale;
        }
        return audio;
    }

private:
    int channels;
    size_t loopFrames;
    std::vector<float> data;
};

size_t Frames(double seconds)
{
    return size_t(std::lround(seconds * kSampleRate));
}

Audio MixEffect(const SoundSource& source)
{
    const size_t loopFrames = source.loop ? Frames(source.length) : 0;
    Bus bus(source.channels, loopFrames, source.loop);
    for (const VoiceRecipe& v : source.voices)
    {
        if (source.loop)
        {
            bus.Add(RenderLoop(v, v.pitch.set ? v.pitch.from : 0.0, int(loopFrames)), 0, v.pan);
            continue;
        }
        const double gate = v.gate >= 0.0 ? v.gate : v.attack + v.decay;
        if (v.notes.empty())
        {
            bus.Add(RenderNote(v, MakeNote(v, 0.0, gate, 1.0, v.seed)), Frames(v.start), v.pan);
            continue;
        }
        for (size_t i = 0; i < v.notes.size(); ++i)
        {
            const uint32_t seed = v.seed + uint32_t(i) * kSeedStride;
            bus.Add(RenderNote(v, MakeNote(v, v.notes[i], gate, 1.0, seed)),
                    Frames(v.start + double(i) * v.step), v.pan);
        }
    }
    return std::move(bus).Finish(source.peak);
}

size_t PatternLength(const PatternRecipe& p)
{
    size_t longest = 0;
    for (const auto& t : p.tracks)
        longest = std::max(longest, t.steps.size());
    return longest;
}

Audio MixMusic(const SoundSource& source)
{
    std::map<std::string, const VoiceRecipe*> instruments;
    for (const auto& i : source.instruments)
        instruments[i.name] = &i;
    std::map<std::string, const PatternRecipe*> patterns;
    for (const auto& p : source.patterns)
        patterns[p.name] = &p;

    const double stepSeconds = 60.0 / (source.tempo * source.stepsPerBeat);
    size_t totalSteps = 0;
    for (const auto& name : source.song)
        totalSteps += PatternLength(*patterns.at(name));

    Bus bus(source.channels, Frames(double(totalSteps) * stepSeconds), source.loop);
    std::map<std::string, uint32_t> hits;
    size_t offset = 0;
    for (const auto& name : source.song)
    {
        const PatternRecipe& p = *patterns.at(name);
        const size_t length = PatternLength(p);
        for (const PatternTrack& track : p.tracks)
        {
            const VoiceRecipe& ins = *instruments.at(track.instrument);
            const size_t rowSize = track.steps.size();
            for (size_t i = 0; i < length; ++i)
            {
                const std::string& token = track.steps[i % rowSize];
                if (token == "-" || token == ".")
                    continue;
                size_t held = 1;
                while (i + held < length && track.steps[(i + held) % rowSize] == "-")
                    ++held;
                const double gate = double(held) * stepSeconds * ins.legato;
                const size_t start = Frames(double(offset + i) * stepSeconds);
                const uint32_t seed = ins.seed + hits[ins.name]++ * kSeedStride;
                if (token == "x" || token == "o")
                {
                    const double velocity = token == "x" ? 1.0 : 0.5;
                    bus.Add(RenderNote(ins, MakeNote(ins, 0.0, gate, velocity, seed)), start,
                            ins.pan);
                    continue;
                }
                std::istringstream chord(token);
                std::string part;
                while (std::getline(chord, part, '+'))
                    bus.Add(RenderNote(ins, MakeNote(ins, NoteFrequency(part), gate, 1.0, seed)),
                            start, ins.pan);
            }
        }
        offset += length;
    }
    return std::move(bus).Finish(source.peak);
}

} // namespace

Audio MixSound(const SoundSource& source)
{
    return source.IsMusic() ? MixMusic(source) : MixEffect(source);
}

} // namespace sfxgen
