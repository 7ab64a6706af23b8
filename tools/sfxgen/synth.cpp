#include "synth.h"

#include <algorithm>
#include <cmath>

namespace sfxgen
{
namespace
{

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

double Frac(double x)
{
    return x - std::floor(x);
}

// Uniform value in -1 .. 1 from a seed and an index (a SplitMix64 finaliser).
double HashNoise(uint32_t seed, uint64_t index)
{
    uint64_t z = index * 0x9E3779B97F4A7C15ULL + (uint64_t(seed) + 1) * 0xD1B54A32D192ED03ULL;
    z ^= z >> 30;
    z *= 0xBF58476D1CE4E5B9ULL;
    z ^= z >> 27;
    z *= 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return double(z >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}

// The usual two-sample correction that takes most of the aliasing out of a hard edge.
double PolyBlep(double t, double dt)
{
    if (t < dt)
    {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt)
    {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double LfoValue(LfoShape shape, double phase)
{
    switch (shape)
    {
    case LfoShape::Square:
        // Slightly rounded edges: a hard switch in a tremolo would click.
        return std::clamp(6.0 * std::sin(kTwoPi * phase), -1.0, 1.0);
    case LfoShape::Saw:
        return 2.0 * Frac(phase) - 1.0;
    case LfoShape::Sine:
    default:
        return std::sin(kTwoPi * phase);
    }
}

double Glide(double from, double to, bool linear, double progress)
{
    progress = std::clamp(progress, 0.0, 1.0);
    if (linear)
        return from + (to - from) * progress;
    return from * std::pow(to / from, progress);
}

double Glide(const Sweep& s, double t, double whole)
{
    double over = s.over > 0.0 ? s.over : whole;
    return Glide(s.from, s.to, s.linear, over > 0.0 ? t / over : 1.0);
}

// Topology-preserving state-variable filter: stays stable while its cutoff moves.
class Svf
{
public:
    void Set(double cutoff, double q)
    {
        cutoff = std::clamp(cutoff, 10.0, 0.45 * kSampleRate);
        double g = std::tan(kPi * cutoff / kSampleRate);
        k = 1.0 / q;
        a1 = 1.0 / (1.0 + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
    }

    double Process(double x, FilterStage::Mode mode)
    {
        double v3 = x - ic2;
        double v1 = a1 * ic1 + a2 * v3;
        double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0 * v1 - ic1;
        ic2 = 2.0 * v2 - ic2;
        switch (mode)
        {
        case FilterStage::Mode::High:
            return x - k * v1 - v2;
        case FilterStage::Mode::Band:
            return v1;
        case FilterStage::Mode::Low:
        default:
            return v2;
        }
    }

private:
    double ic1 = 0.0, ic2 = 0.0;
    double k = 1.0, a1 = 0.0, a2 = 0.0, a3 = 0.0;
};

double EnvelopeHeld(const VoiceRecipe& v, double t)
{
    if (t < v.attack)
        return t / v.attack;
    t -= v.attack;
    if (t < v.decay)
        return v.sustain + (1.0 - v.sustain) * std::pow(1.0 - t / v.decay, v.curve);
    return v.sustain;
}

double Envelope(const VoiceRecipe& v, double t, double gate)
{
    if (t < gate)
        return EnvelopeHeld(v, t);
    double fall = (t - gate) / v.release;
    if (fall >= 1.0)
        return 0.0;
    return EnvelopeHeld(v, gate) * std::pow(1.0 - fall, v.curve);
}

// Everything that stays fixed while one note or loop is rendered.
struct Plan
{
    const VoiceRecipe& v;
    NoteRequest note;
    double whole = 0.0; // seconds the note sounds, release included
    bool loop = false;
    double vibratoRate = 0.0;
    double tremoloRate = 0.0;
    double carrierScale = 1.0;
    double modScale = 1.0;
    uint64_t noisePeriod = 0; // loops: the noise repeats after this many values

    explicit Plan(const VoiceRecipe& voice)
        : v(voice), vibratoRate(voice.vibrato.rate), tremoloRate(voice.tremolo.rate)
    {
    }

    double Frequency(double t) const
    {
        if (note.freqFrom <= 0.0)
            return 0.0;
        double f = note.freqFrom;
        if (note.freqTo != note.freqFrom)
        {
            double over = note.sweepOver > 0.0 ? note.sweepOver : whole;
            f = Glide(note.freqFrom, note.freqTo, note.linear, t / over);
        }
        if (v.vibrato.Active())
            f *= std::pow(2.0, v.vibrato.depth * LfoValue(v.vibrato.shape, vibratoRate * t) / 12.0);
        return f;
    }
};

std::vector<float> Render(const Plan& plan, size_t total)
{
    const VoiceRecipe& v = plan.v;
    std::vector<Svf> filters(v.filters.size());
    std::vector<bool> sweeping(v.filters.size());
    for (size_t i = 0; i < v.filters.size(); ++i)
    {
        const FilterStage& s = v.filters[i];
        filters[i].Set(s.cutoff.from, s.q);
        sweeping[i] = s.cutoff.Moves();
    }
    const double driveNorm = v.drive > 0.0 ? 1.0 / std::tanh(v.drive) : 1.0;
    const double gain = v.volume * plan.note.velocity;

    std::vector<float> out(total);
    double phase = 0.0;
    double modPhase = 0.0;
    for (size_t n = 0; n < total; ++n)
    {
        const double t = double(n) / kSampleRate;
        const double f = plan.Frequency(t);
        double x = 0.0;
        if (v.wave == Wave::Noise)
        {
            uint64_t k = f > 0.0 ? uint64_t(phase) : n;
            if (plan.noisePeriod)
                k %= plan.noisePeriod;
            x = HashNoise(plan.note.seed, k);
        }
        else
        {
            double pm = 0.0;
            if (v.fmRatio > 0.0)
            {
                double index = v.fmIndex.set ? Glide(v.fmIndex, t, plan.whole) : 0.0;
                pm = index * std::sin(kTwoPi * modPhase) / kTwoPi;
                modPhase += v.fmRatio * f * plan.carrierScale * plan.modScale / kSampleRate;
            }
            const double p = Frac(phase + pm);
            const double dt = std::min(0.49, f * plan.carrierScale / kSampleRate);
            switch (v.wave)
            {
            case Wave::Triangle:
                x = 1.0 - 4.0 * std::fabs(p - 0.5);
                break;
            case Wave::Saw:
                x = 2.0 * p - 1.0 - PolyBlep(p, dt);
                break;
            case Wave::Square:
                x = (p < v.duty ? 1.0 : -1.0) + PolyBlep(p, dt) -
                    PolyBlep(Frac(p + 1.0 - v.duty), dt) - (2.0 * v.duty - 1.0);
                break;
            case Wave::Sine:
            default:
                x = std::sin(kTwoPi * p);
                break;
            }
        }
        phase += f * plan.carrierScale / kSampleRate;

        if (!plan.loop)
            x *= Envelope(v, t, plan.note.gate);
        if (v.tremolo.Active())
            x *= 1.0 -
                 v.tremolo.depth * (0.5 - 0.5 * LfoValue(v.tremolo.shape, plan.tremoloRate * t));
        for (size_t i = 0; i < filters.size(); ++i)
        {
            const FilterStage& s = v.filters[i];
            if (sweeping[i])
                filters[i].Set(Glide(s.cutoff, t, plan.whole), s.q);
            x = filters[i].Process(x, s.mode);
        }
        if (v.drive > 0.0)
            x = std::tanh(v.drive * x) * driveNorm;
        out[n] = float(x * gain);
    }
    return out;
}

void AddEcho(const VoiceRecipe& v, std::vector<float>& samples)
{
    if (v.echoDelay <= 0.0)
        return;
    const size_t delay = size_t(std::lround(v.echoDelay * kSampleRate));
    const int repeats = int(std::ceil(std::log(0.001) / std::log(v.echoFeedback)));
    samples.resize(samples.size() + delay * repeats, 0.0f);
    for (size_t n = delay; n < samples.size(); ++n)
        samples[n] += float(v.echoFeedback) * samples[n - delay];
}

// A whole, non-zero number of cycles in `seconds` nearest to `rate` cycles a second.
double WholeCycles(double rate, double seconds)
{
    return std::max(1.0, std::round(rate * seconds)) / seconds;
}

} // namespace

NoteRequest MakeNote(const VoiceRecipe& voice, double noteFreq, double gate, double velocity,
                     uint32_t seed)
{
    NoteRequest r;
    r.gate = gate;
    r.velocity = velocity;
    r.seed = seed;
    if (noteFreq > 0.0)
    {
        r.freqFrom = noteFreq;
        r.freqTo = noteFreq * std::pow(2.0, voice.bend / 12.0);
        r.sweepOver = voice.bendOver;
    }
    else if (voice.pitch.set)
    {
        r.freqFrom = voice.pitch.from;
        r.freqTo = voice.pitch.to;
        r.linear = voice.pitch.linear;
        r.sweepOver = voice.pitch.over;
    }
    return r;
}

std::vector<float> RenderNote(const VoiceRecipe& voice, const NoteRequest& note)
{
    Plan plan(voice);
    plan.note = note;
    plan.whole = note.gate + voice.release;
    std::vector<float> out = Render(plan, size_t(std::ceil(plan.whole * kSampleRate)) + 1);
    AddEcho(voice, out);
    return out;
}

std::vector<float> RenderLoop(const VoiceRecipe& voice, double freq, int loopSamples)
{
    const double seconds = double(loopSamples) / kSampleRate;
    Plan plan(voice);
    plan.loop = true;
    plan.note.freqFrom = plan.note.freqTo = freq;
    plan.note.seed = voice.seed;
    plan.whole = seconds;
    plan.vibratoRate = WholeCycles(voice.vibrato.rate, seconds);
    plan.tremoloRate = WholeCycles(voice.tremolo.rate, seconds);

    // Stretch the oscillators so that each ends the loop on a whole cycle.
    double cycles = 0.0;
    for (int n = 0; n < loopSamples; ++n)
        cycles += plan.Frequency(double(n) / kSampleRate) / kSampleRate;
    if (cycles > 0.0)
    {
        const double whole = std::max(1.0, std::round(cycles));
        plan.carrierScale = whole / cycles;
        const double modCycles = voice.fmRatio * whole;
        if (modCycles > 0.0)
            plan.modScale = std::max(1.0, std::round(modCycles)) / modCycles;
        plan.noisePeriod = uint64_t(whole);
    }
    else
        plan.noisePeriod = uint64_t(loopSamples);

    // The first period lets the filters settle; the second one is the loop.
    std::vector<float> twice = Render(plan, size_t(loopSamples) * 2);
    return std::vector<float>(twice.begin() + loopSamples, twice.end());
}

} // namespace sfxgen
