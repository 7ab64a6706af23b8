// The shipped sounds, decoded as the game's audio layer would decode them: every one
// the game loads is there, sounds like something (not silent, not clipped, no offset),
// lasts a sensible time, and the four looping ones join without a click. Also: the
// generator gives the same bytes on every run and refuses a bad source cleanly.
#include "support/temp_dir.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace
{

struct ShippedSound
{
    const char* name;
    bool stream;
    bool loops;
};

// The game's sound slots: 22 samples, then 5 streams.
const ShippedSound kSounds[] = {
    {"Phazer", false, false},       {"Explode", false, false},      {"Shield", false, true},
    {"Engine", false, true},        {"Teleport", false, false},     {"ShieldReflect", false, false},
    {"Explode2", false, false},     {"StageReflect", false, false}, {"EnemyShot", false, false},
    {"Pickup", false, false},       {"Clock", false, false},        {"Seeker", false, false},
    {"TeleportOut", false, false},  {"Danger", false, false},       {"UI", false, false},
    {"Beacon", false, false},       {"ExtraLife", false, false},    {"Reactorhit", false, false},
    {"Wasp", false, false},         {"ButtonAccess", false, false}, {"ButtonDenied", false, false},
    {"killspaceman", false, false}, {"Splash", true, true},         {"HiScore", true, true},
    {"Continue", true, false},      {"Credits", true, false},       {"Gameover", true, false},
};

std::string ShippedPath(const std::string& name)
{
    return std::string(CAV_RUN_DIR) + "/Data/SFX/" + name + ".ogg";
}

const std::string kGenerator = std::string(CAV_BINARY_DIR) + "/tools/sfxgen/sfxgen";
const std::string kSources = std::string(CAV_SOURCE_DIR) + "/content/sounds/";

struct Decoded
{
    long rate = 0;
    std::vector<std::vector<float>> channels;

    size_t Frames() const { return channels.empty() ? 0 : channels[0].size(); }
    double Seconds() const { return rate ? double(Frames()) / double(rate) : 0.0; }
};

::testing::AssertionResult Decode(const std::string& path, Decoded& out)
{
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0)
        return ::testing::AssertionFailure() << path << " does not open as Ogg Vorbis";
    const vorbis_info* info = ov_info(&file, -1);
    out.rate = info->rate;
    out.channels.assign(size_t(info->channels), {});
    for (;;)
    {
        float** pcm = nullptr;
        int section = 0;
        const long frames = ov_read_float(&file, &pcm, 4096, &section);
        if (frames < 0)
        {
            ov_clear(&file);
            return ::testing::AssertionFailure() << path << " has a damaged packet";
        }
        if (frames == 0)
            break;
        for (size_t c = 0; c < out.channels.size(); ++c)
            out.channels[c].insert(out.channels[c].end(), pcm[c], pcm[c] + frames);
    }
    ov_clear(&file);
    return ::testing::AssertionSuccess();
}

double Rms(const std::vector<float>& x, size_t first, size_t count)
{
    double sum = 0.0;
    for (size_t i = first; i < first + count; ++i)
        sum += double(x[i]) * x[i];
    return std::sqrt(sum / double(count));
}

// Frequency of a steady tone in x[first, last), from its first and last rising zero
// crossings, interpolated between samples.
double MeasuredFrequency(const std::vector<float>& x, size_t first, size_t last)
{
    double firstCross = -1.0, lastCross = -1.0;
    int crossings = 0;
    for (size_t i = first; i + 1 < last; ++i)
        if (x[i] < 0.0f && x[i + 1] >= 0.0f)
        {
            const double at = double(i) + double(x[i]) / double(x[i] - x[i + 1]);
            if (firstCross < 0.0)
                firstCross = at;
            lastCross = at;
            ++crossings;
        }
    return crossings < 2 ? 0.0 : (crossings - 1) * 44100.0 / (lastCross - firstCross);
}

// The largest step between neighbouring samples anywhere inside the sound.
float LargestStep(const std::vector<float>& x)
{
    float largest = 0.0f;
    for (size_t i = 0; i + 1 < x.size(); ++i)
        largest = std::max(largest, std::fabs(x[i + 1] - x[i]));
    return largest;
}

// The step from a loop's last sample back to its first must be no bigger than the
// steps inside it, give or take the codec's error at the two ends (about 1% of full
// scale each): a click from a loop that does not close stands out far above that.
::testing::AssertionResult JoinsSeamlessly(const std::vector<float>& x)
{
    const float seam = std::fabs(x.front() - x.back());
    const float limit = LargestStep(x) + 0.02f;
    if (seam <= limit)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "last " << x.back() << " to first " << x.front()
                                         << " jumps " << seam << ", more than " << limit;
}

class SoundGenerator : public cavtest::TempDirTest
{
protected:
    int Run(const std::string& outDir, const std::string& source)
    {
        const std::string command =
            "'" + kGenerator + "' '" + outDir + "' '" + source + "' 2> errors.txt";
        return std::system(command.c_str());
    }

    // Writes `text` as a source, builds it and decodes the result.
    ::testing::AssertionResult Build(const std::string& text, Decoded& out)
    {
        cavtest::WriteFile("made.sfx", text);
        if (Run(".", "made.sfx") != 0)
            return ::testing::AssertionFailure() << cavtest::ReadFile("errors.txt");
        return Decode("made.ogg", out);
    }
};

TEST_F(SoundGenerator, NotesSoundAtTheirPitch)
{
    Decoded d;
    ASSERT_TRUE(Build("voice a\n wave sine\n notes A4 C5\n step 0.5\n gate 0.4\n", d));
    ASSERT_GE(d.Seconds(), 0.9);
    EXPECT_NEAR(MeasuredFrequency(d.channels[0], 2205, 15435), 440.0, 0.5);
    EXPECT_NEAR(MeasuredFrequency(d.channels[0], 24255, 37485), 523.25, 0.5);
}

TEST_F(SoundGenerator, MusicKeepsTimeAndEndsWithItsLastStep)
{
    // 150 beats a minute, two steps a beat: 0.2 s a step; hits on steps 0, 2, 3 of each
    // pattern, each gone within 0.07 s; the last one is held for its step and released
    // in 0.01 s.
    Decoded d;
    ASSERT_TRUE(Build("tempo 150\nsteps 2\ninstrument k\n wave sine\n pitch 1000\n"
                      " decay 0.05\n sustain 0\n release 0.01\n"
                      "pattern p\n k x . x x\nsong p p\n",
                      d));
    EXPECT_NEAR(d.Seconds(), 1.61, 0.001);
    const std::vector<float>& x = d.channels[0];
    const double peak = Rms(x, 0, 441);
    for (double hit : {0.0, 0.4, 0.6, 0.8, 1.2, 1.4})
        EXPECT_NEAR(Rms(x, size_t(hit * 44100), 441), peak, 0.2 * peak) << "hit at " << hit;
    for (double rest : {0.2, 0.3, 1.0, 1.1})
        EXPECT_LT(Rms(x, size_t(rest * 44100), 441), 0.01 * peak) << "rest at " << rest;
}

TEST_F(SoundGenerator, HeldLoopsOfEveryKindJoinSeamlessly)
{
    // Odd rates and a loop length that fits none of them whole.
    const char* voices[] = {
        "wave sine\n pitch 333.3\n vibrato 5.3 0.7\n",
        "wave saw\n pitch 97\n fm 1.37 2\n lowpass 1500 q 4\n",
        "wave noise\n pitch 2500\n bandpass 700 q 6\n",
        "wave square\n duty 0.3\n pitch 211\n tremolo 7.7 0.8 square\n",
    };
    for (const char* voice : voices)
    {
        SCOPED_TRACE(voice);
        Decoded d;
        ASSERT_TRUE(Build(std::string("loop yes\nlength 0.77\nvoice a\n ") + voice, d));
        const std::vector<float>& x = d.channels[0];
        EXPECT_EQ(x.size(), 33957u);
        EXPECT_TRUE(JoinsSeamlessly(x));
    }
}

TEST_F(SoundGenerator, LoopingMusicCarriesItsTailsRoundToTheStart)
{
    // One bar of 1 s; the only note starts on the last step and rings 0.4 s past the end.
    Decoded d;
    ASSERT_TRUE(Build("loop yes\ntempo 120\ninstrument p\n wave sine\n release 0.4\n"
                      "pattern a\n p . . . . . . . C5\nsong a\n",
                      d));
    const std::vector<float>& x = d.channels[0];
    EXPECT_EQ(x.size(), 44100u);
    EXPECT_GT(Rms(x, 0, 2205), 0.1);
    EXPECT_LT(Rms(x, 22050, 4410), 0.001);
    EXPECT_TRUE(JoinsSeamlessly(x));
}

TEST_F(SoundGenerator, GivesTheSameBytesOnEveryRun)
{
    // An effect, a held loop and a piece of music cover every path through the tool.
    for (const char* name : {"Phazer", "Engine", "HiScore"})
    {
        SCOPED_TRACE(name);
        const std::string source = kSources + name + ".sfx";
        std::filesystem::create_directories("first");
        std::filesystem::create_directories("second");
        ASSERT_EQ(Run("first", source), 0) << cavtest::ReadFile("errors.txt");
        ASSERT_EQ(Run("second", source), 0) << cavtest::ReadFile("errors.txt");
        const std::string bytes = cavtest::ReadFile("first/" + std::string(name) + ".ogg");
        EXPECT_GT(bytes.size(), 1000u);
        EXPECT_EQ(bytes, cavtest::ReadFile("second/" + std::string(name) + ".ogg"));
        EXPECT_EQ(bytes, cavtest::ReadFile(ShippedPath(name)));
    }
}

TEST_F(SoundGenerator, RefusesABadSourceWithItsLineAndWritesNothing)
{
    struct Case
    {
        const char* text;
        const char* where;
    };
    const Case cases[] = {
        {"voice a\n  wave sine\n  pitch 440\n  loudness 3\n", "bad.sfx:4:"},
        {"loop yes\nlength 1\nvoice a\n  pitch 440\n  attack 0.1\n", "bad.sfx:3:"},
        {"tempo 120\ninstrument a\n  wave sine\npattern p\n  a - C4\nsong p\n", "bad.sfx:5:"},
        {"tempo 120\ninstrument a\n  wave sine\npattern p\n  a C4\nsong p q\n", "bad.sfx:6:"},
        {"voice a\n  wave square\n  pitch 440 -> 0\n", "bad.sfx:3:"},
    };
    std::filesystem::create_directories("out");
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        cavtest::WriteFile("bad.sfx", c.text);
        EXPECT_NE(Run("out", "bad.sfx"), 0);
        EXPECT_NE(cavtest::ReadFile("errors.txt").find(c.where), std::string::npos)
            << cavtest::ReadFile("errors.txt");
        EXPECT_TRUE(std::filesystem::is_empty("out"));
    }
}

} // namespace
