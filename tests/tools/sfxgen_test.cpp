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

TEST(ShippedSounds, EveryOneTheGameLoadsDecodesWithASensibleLength)
{
    for (const ShippedSound& s : kSounds)
    {
        SCOPED_TRACE(s.name);
        Decoded d;
        ASSERT_TRUE(Decode(ShippedPath(s.name), d));
        EXPECT_EQ(d.rate, 44100);
        ASSERT_FALSE(d.channels.empty());
        if (s.stream)
        {
            EXPECT_GE(d.Seconds(), 4.0);
            EXPECT_LT(d.Seconds(), 60.0);
        }
        else
        {
            EXPECT_GE(d.Seconds(), 0.03);
            EXPECT_LE(d.Seconds(), 2.0);
        }
    }
}

TEST(ShippedSounds, NoneIsSilentClippedOrOffset)
{
    for (const ShippedSound& s : kSounds)
    {
        SCOPED_TRACE(s.name);
        Decoded d;
        ASSERT_TRUE(Decode(ShippedPath(s.name), d));
        for (const auto& x : d.channels)
        {
            ASSERT_FALSE(x.empty());
            float peak = 0.0f;
            size_t clipped = 0;
            double sum = 0.0;
            for (float v : x)
            {
                peak = std::max(peak, std::fabs(v));
                clipped += std::fabs(v) >= 0.999f;
                sum += v;
            }
            EXPECT_GT(peak, 0.3f);
            EXPECT_EQ(clipped, 0u);
            EXPECT_GT(Rms(x, 0, x.size()), 0.03);
            EXPECT_LT(std::fabs(sum / double(x.size())), 0.01);
        }
    }
}

TEST(ShippedSounds, OneShotsStartAndEndQuietly)
{
    // A one-shot that starts or stops on a loud sample clicks every time it plays.
    for (const ShippedSound& s : kSounds)
    {
        if (s.loops)
            continue;
        SCOPED_TRACE(s.name);
        Decoded d;
        ASSERT_TRUE(Decode(ShippedPath(s.name), d));
        for (const auto& x : d.channels)
        {
            EXPECT_LT(std::fabs(x.front()), 0.05f);
            EXPECT_LT(std::fabs(x.back()), 0.01f);
        }
    }
}

TEST(ShippedSounds, LoopsJoinWithoutAClickOrAFade)
{
    for (const ShippedSound& s : kSounds)
    {
        if (!s.loops)
            continue;
        SCOPED_TRACE(s.name);
        Decoded d;
        ASSERT_TRUE(Decode(ShippedPath(s.name), d));
        for (const auto& x : d.channels)
        {
            // The step from the last sample back to the first must look like any other
            // step of the sound, not stand out as a click.
            std::vector<float> steps(x.size() - 1);
            for (size_t i = 0; i + 1 < x.size(); ++i)
                steps[i] = std::fabs(x[i + 1] - x[i]);
            std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
            const float usualStep = steps[steps.size() * 99 / 100];
            EXPECT_LE(std::fabs(x.front() - x.back()), usualStep + 1e-3f)
                << "first " << x.front() << ", last " << x.back();

            // A held effect (shield, engine) is steady: no fade in or out anywhere, so
            // both ends are as loud as the loop as a whole. Music may rest at its ends.
            if (s.stream)
                continue;
            const size_t edge = size_t(d.rate / 50);
            const double whole = Rms(x, 0, x.size());
            EXPECT_GT(Rms(x, 0, edge), 0.5 * whole);
            EXPECT_GT(Rms(x, x.size() - edge, edge), 0.5 * whole);
        }
    }
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
};

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
