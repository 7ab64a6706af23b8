// The game's own sounds, as the build puts them into the run folder.
#include "engine/sound.h"
#include "game/sound_files.h"
#include "platform/audio.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace
{

struct ShippedSound
{
    const char* name;
    bool loop;
    bool stream;
};

// Every sample, then every stream, as the game loads them.
std::vector<ShippedSound> GameSounds()
{
    std::vector<ShippedSound> sounds;
    for (const SoundFile& file : kSampleFiles)
        sounds.push_back({file.name, file.loop, false});
    for (const SoundFile& file : kStreamFiles)
        sounds.push_back({file.name, file.loop, true});
    return sounds;
}

std::string PathOf(const ShippedSound& sound)
{
    return std::string(CAV_RUN_DIR) + "/Data/SFX/" + sound.name + ".ogg";
}

TEST(ShippedSounds, TheFolderHoldsExactlyTheGamesSounds)
{
    std::set<std::string> expected, found;
    for (const ShippedSound& sound : GameSounds())
        expected.insert(std::string(sound.name) + ".ogg");
    std::error_code ec;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(CAV_RUN_DIR) + "/Data/SFX", ec))
    {
        if (entry.path().extension() == ".ogg")
            found.insert(entry.path().filename().string());
    }
    EXPECT_FALSE(ec) << ec.message();
    EXPECT_EQ(found, expected);
}

TEST(ShippedSounds, EveryOneLoadsAsTheGameLoadsIt)
{
    InitSound();
    for (const ShippedSound& sound : GameSounds())
    {
        Sample sample;
        Stream stream;
        Sound& it = sound.stream ? static_cast<Sound&>(stream) : sample;
        EXPECT_TRUE(it.Load(PathOf(sound), sound.loop)) << sound.name;
    }
    ShutdownSound();
}

// Largest jump between neighbouring samples of one channel that the sound itself makes,
// leaving out the rarest 0.1 %.
int TypicalLargestStep(const std::vector<std::int16_t>& pcm, int channels)
{
    std::vector<int> steps;
    for (std::size_t i = channels; i < pcm.size(); ++i)
        steps.push_back(std::abs(pcm[i] - pcm[i - channels]));
    std::sort(steps.begin(), steps.end());
    return steps.empty() ? 0 : steps[steps.size() * 999 / 1000];
}

TEST(ShippedSounds, EveryOneDecodesAndTheLoopsJoinWithoutAClick)
{
    for (const ShippedSound& sound : GameSounds())
    {
        SCOPED_TRACE(sound.name);
        std::vector<std::int16_t> pcm;
        int channels = 0;
        long rate = 0;
        ASSERT_TRUE(platform::DecodeOgg(PathOf(sound), pcm, channels, rate));
        ASSERT_GE(pcm.size(), static_cast<std::size_t>(channels) * 2);
        int peak = 0;
        for (std::int16_t v : pcm)
            peak = std::max(peak, std::abs(int(v)));
        EXPECT_GT(peak, 1000) << "audible";

        const std::size_t last = pcm.size() - channels;
        for (int c = 0; c < channels; ++c)
        {
            if (sound.loop)
            {
                // Going round, the last sample is followed by the first.
                int wrap = std::abs(pcm[c] - pcm[last + c]);
                EXPECT_LE(wrap, TypicalLargestStep(pcm, channels) * 3 / 2 + 64) << "channel " << c;
            }
            else
            {
                // A sound that plays once fades out instead of stopping with a click.
                EXPECT_LE(std::abs(int(pcm[last + c])), peak / 10) << "channel " << c;
            }
        }
    }
}

} // namespace
