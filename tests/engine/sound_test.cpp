#include "engine/sound.h"
#include "support/log_capture.h"
#include "support/ogg_writer.h"
#include "support/temp_dir.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

using cavtest::WriteFile;

namespace
{

// What the mixer hands to the device, counted after mixing: frames in total, frames with
// audible sound, and the loudest sample.
std::atomic<long> gMixedFrames{0};
std::atomic<long> gLoudFrames{0};
std::atomic<int> gPeak{0};

void MeterPostMix(void*, Uint8* stream, int len)
{
    const Sint16* samples = reinterpret_cast<const Sint16*>(stream);
    const int count = len / 2;
    long loud = 0;
    int peak = gPeak;
    for (int i = 0; i + 1 < count; i += 2)
    {
        int a = std::max(std::abs(int(samples[i])), std::abs(int(samples[i + 1])));
        if (a > 256)
            ++loud;
        peak = std::max(peak, a);
    }
    gPeak = peak;
    gLoudFrames += loud;
    gMixedFrames += count / 2;
}

void ResetMeter()
{
    gMixedFrames = 0;
    gLoudFrames = 0;
    gPeak = 0;
}

bool WaitFor(const std::function<bool()>& done, double seconds = 5.0)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done())
    {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// Clears the meter once a volume change has reached the output. The block the mixer was
// working on when the change came (on a busy machine it can be late by any amount) still
// sounds as before, so the meter is cleared again after one whole block has come through.
bool ResetMeterAfterChange()
{
    ResetMeter();
    const bool passed = WaitFor([] { return gMixedFrames > 0; });
    ResetMeter();
    return passed;
}

void Wait(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

constexpr long kRate = 44100;
const char kTone[] = "Data/SFX/Explode.ogg"; // 0.5 s
const char kLoop[] = "Data/SFX/Loop.ogg";    // 0.1 s of 440 Hz: a whole number of periods
const char kMissing[] = "Data/SFX/Missing.ogg";
const char kGarbage[] = "Data/SFX/Garbage.ogg";

class SoundTest : public cavtest::TempDirTest
{
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        WriteFile(kGarbage, "this is not an Ogg file\n");
        ASSERT_TRUE(cavtest::WriteToneOgg(kTone, 0.5));
        ASSERT_TRUE(cavtest::WriteToneOgg(kLoop, 0.1));
    }
    void TearDown() override
    {
        Mix_SetPostMix(nullptr, nullptr);
        ShutdownSound();
        TempDirTest::TearDown();
    }
    struct Loads
    {
        Sample explode, missing, garbage;
        Stream music, noMusic;
    };
    // Good files load; missing and broken ones fail and leave the sound empty.
    static void LoadGoodAndBad(Loads& l)
    {
        EXPECT_TRUE(l.explode.Load(kTone, false));
        EXPECT_FALSE(l.missing.Load(kMissing, false));
        EXPECT_FALSE(l.garbage.Load(kGarbage, false));
        EXPECT_TRUE(l.music.Load(kLoop, true));
        EXPECT_FALSE(l.noMusic.Load(kMissing, false));
        EXPECT_EQ(l.missing.Handle(), 0u);
        EXPECT_EQ(l.noMusic.Handle(), 0u);
    }
    // Output on, metered.
    void Start()
    {
        InitSound();
        ASSERT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 1) << "the dummy device is open";
        Mix_SetPostMix(MeterPostMix, nullptr);
        ResetMeter();
    }
};

TEST_F(SoundTest, LoadsLogTheirResultAndFailOnMissingOrBrokenFiles)
{
    cavtest::LogCapture log;
    Start();
    Loads loads;
    auto& [explode, missing, garbage, music, noMusic] = loads;
    LoadGoodAndBad(loads);
    EXPECT_EQ(log.Text(), "\n[Initializing BASS]\nComplete...\n\n"
                          "Loaded sample: Data/SFX/Explode.ogg\n"
                          "Failed to load sample: Data/SFX/Missing.ogg\n"
                          "Failed to load sample: Data/SFX/Garbage.ogg\n"
                          "Failed to load stream: Data/SFX/Missing.ogg\n");
    // Operations on failed sounds do nothing.
    missing.Play();
    noMusic.Play();
    noMusic.SetVolume(10);
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(SoundTest, WithoutADeviceTheGameRunsSilentButFilesAreStillChecked)
{
    cavtest::LogCapture log;
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    InitSound();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string text = log.Text();
    EXPECT_EQ(text.rfind("\n[Initializing BASS]\nNo audio device (", 0), 0u) << text;
    const std::string tail = "), the game runs silent.\nFailed...\n\n";
    EXPECT_EQ(text.substr(text.size() - std::min(text.size(), tail.size())), tail);

    Loads loads;
    auto& [explode, missing, garbage, music, noMusic] = loads;
    LoadGoodAndBad(loads);
    explode.Play();
    explode.SetVolume(50);
    music.Play();
    PauseSound(true);
    PauseSound(false);
    RestartSound();
    music.Stop();
    explode.Stop();
    EXPECT_NE(explode.Handle(), 0u);
}

TEST_F(SoundTest, PlayingASampleAgainRestartsItOnItsOneChannel)
{
    Start();
    Sample tone;
    ASSERT_TRUE(tone.Load(kTone, false));
    const long length = kRate / 2;
    tone.Play();
    ASSERT_TRUE(WaitFor([&] { return gLoudFrames >= length / 2; }));
    tone.Play();
    EXPECT_EQ(Mix_Playing(-1), 1) << "no second playback";
    ASSERT_TRUE(WaitFor([] { return Mix_Playing(-1) == 0; }));
    // Half of it, then all of it again from the start.
    EXPECT_GT(gLoudFrames, length * 13 / 10);
}

TEST_F(SoundTest, PauseHoldsEverythingWhereItIsUntilResumed)
{
    Start();
    Sample tone, later;
    ASSERT_TRUE(tone.Load(kTone, false));
    ASSERT_TRUE(later.Load(kLoop, false));
    const long length = kRate / 2;

    tone.Play();
    ASSERT_TRUE(WaitFor([&] { return gLoudFrames >= length / 4; }));
    PauseSound(true);
    Wait(0.05); // a mix that was under way when the pause came
    long atPause = gMixedFrames;
    Wait(0.3);
    EXPECT_EQ(gMixedFrames, atPause);
    PauseSound(false);
    ASSERT_TRUE(WaitFor([] { return Mix_Playing(-1) == 0; }));
    // It went on where it stopped, not from the start.
    EXPECT_GT(gLoudFrames, length * 9 / 10);
    EXPECT_LT(gLoudFrames, length * 11 / 10);

    PauseSound(true);
    Wait(0.05);
    ResetMeter();
    later.Play(); // started while paused: silent until the resume
    Wait(0.3);
    EXPECT_EQ(gMixedFrames, 0);
    EXPECT_EQ(Mix_Playing(-1), 1);
    PauseSound(false);
    ASSERT_TRUE(WaitFor([] { return Mix_Playing(-1) == 0; }));
    EXPECT_GT(gLoudFrames, kRate / 10 * 9 / 10);
}

TEST_F(SoundTest, RestartStopsEverythingAndResumesOutput)
{
    Start();
    Sample loop;
    Stream music;
    ASSERT_TRUE(loop.Load(kLoop, true));
    ASSERT_TRUE(music.Load(kTone, true));
    loop.Play();
    music.Play();
    PauseSound(true);
    RestartSound();
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    ResetMeter();
    Wait(0.1);
    EXPECT_EQ(gLoudFrames, 0) << "stopped channels do not come back";
    EXPECT_GT(gMixedFrames, 0) << "output runs again";
    loop.Play();
    EXPECT_TRUE(WaitFor([] { return gLoudFrames > 0; }));
}

TEST_F(SoundTest, LoopsRunWithoutGapsAndOneShotsEnd)
{
    Start();
    Sample loop, once;
    Stream music;
    ASSERT_TRUE(loop.Load(kLoop, true));
    ASSERT_TRUE(once.Load(kLoop, false));
    ASSERT_TRUE(music.Load(kLoop, true));

    for (Sound* sound : {static_cast<Sound*>(&loop), static_cast<Sound*>(&music)})
    {
        sound->Play();
        ASSERT_TRUE(WaitFor([] { return gLoudFrames > 0; }));
        ResetMeter();
        ASSERT_TRUE(WaitFor([] { return gMixedFrames >= kRate * 6 / 10; }));
        sound->Stop();
        // Six times round the loop with every frame sounding (bar the zero crossings).
        EXPECT_GT(gLoudFrames * 100, gMixedFrames * 95);
    }
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    once.Play();
    EXPECT_TRUE(WaitFor([] { return Mix_Playing(-1) == 0; }, 2.0));
}

TEST_F(SoundTest, StreamsPlayBesideSamplesAndVolumesFollowTheMixerScale)
{
    Start();
    Sample tone;
    Stream music;
    ASSERT_TRUE(tone.Load(kLoop, true));
    ASSERT_TRUE(music.Load(kTone, true));
    music.SetVolume(50);
    music.Play();
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME / 2);
    tone.Play();
    tone.Stop();
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    music.SetVolume(100);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME);
    music.Stop();
    EXPECT_EQ(Mix_PlayingMusic(), 0);

    tone.Play();
    ASSERT_TRUE(WaitFor([] { return gMixedFrames > kRate / 5; }));
    int full = gPeak;
    EXPECT_GT(full, 10000);
    tone.SetVolume(50);
    ASSERT_TRUE(ResetMeterAfterChange());
    ASSERT_TRUE(WaitFor([] { return gMixedFrames > kRate / 5; }));
    EXPECT_NEAR(gPeak, full / 2, full / 10);
    tone.SetVolume(0);
    ASSERT_TRUE(ResetMeterAfterChange());
    ASSERT_TRUE(WaitFor([] { return gMixedFrames > kRate / 5; }));
    EXPECT_EQ(gLoudFrames, 0);
}

TEST_F(SoundTest, FreeLeavesTheSoundEmpty)
{
    Start();
    Sample tone;
    Stream music;
    ASSERT_TRUE(tone.Load(kTone, false));
    ASSERT_TRUE(music.Load(kTone, false));
    platform::AudioHandle old = tone.Handle();
    tone.Play();
    tone.Free();
    EXPECT_EQ(tone.Handle(), 0u);
    EXPECT_EQ(Mix_Playing(-1), 0);
    tone.Play();
    tone.Stop();
    tone.SetVolume(20);
    tone.Free();
    EXPECT_EQ(Mix_Playing(-1), 0);
    // A stale handle given straight to the layer is unknown there.
    platform::GetAudioBackend().Play(old);
    platform::GetAudioBackend().Free(old);
    EXPECT_EQ(Mix_Playing(-1), 0);

    music.Play();
    music.Free();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    music.Play();
    EXPECT_EQ(Mix_PlayingMusic(), 0);

    // Loaded again, then the layer shut down under it: the destructor's free is harmless.
    auto late = std::make_unique<Sample>();
    ASSERT_TRUE(late->Load(kTone, false));
    late->Play();
    ShutdownSound();
    late->Play();
    late.reset();
}

TEST_F(SoundTest, RecordingBackEndRecordsWhatThePlayerWouldHear)
{
    platform::RecordingAudio recorder;
    platform::SetAudioBackend(&recorder);
    InitSound();
    Sample tone;
    Stream music;
    EXPECT_TRUE(tone.Load(kTone, false));
    EXPECT_TRUE(music.Load(kLoop, true));
    EXPECT_FALSE(Sample().Load(kGarbage, false));
    tone.Play();
    tone.Play();
    music.SetVolume(30);
    PauseSound(true);
    tone.Free();
    tone.Play();
    ShutdownSound();
    platform::SetAudioBackend(nullptr);

    EXPECT_EQ(recorder.Count("play", kTone), 2);
    EXPECT_EQ(recorder.Count("play"), 2);
    EXPECT_EQ(recorder.Count("load-stream", kLoop), 1);
    EXPECT_EQ(recorder.Count("pause"), 1);
    EXPECT_EQ(recorder.Count("free", kTone), 1);
    ASSERT_EQ(recorder.Count("volume", kLoop), 1);
    for (const auto& call : recorder.calls)
    {
        if (call.op == "volume")
        {
            EXPECT_EQ(call.value, 30);
        }
    }
    EXPECT_EQ(recorder.calls.front().op, "open");
    EXPECT_EQ(recorder.calls.back().op, "close");
}

} // namespace
