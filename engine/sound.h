// Sound: the game's effects (Sample) and music (Stream), loaded from ".ogg" files under
// Data/SFX and played through the audio layer (platform/audio.h). A sample has one playback
// at a time, so Play restarts it; a stream restarts from its beginning. Free leaves the
// sound empty, and every operation on an empty or failed sound does nothing.
//
// InitSound starts output (without a device the game runs silent, loads still check their
// files); ShutdownSound frees every sound; PauseSound pauses and resumes all output;
// RestartSound stops everything and resumes output.
#pragma once

#include "platform/audio.h"

#include <string>

class Sound
{
public:
    Sound() = default;
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;
    virtual ~Sound();

    virtual bool Load(const std::string& path, bool loop) = 0;
    virtual void Play();
    virtual void Stop();
    virtual void Free();
    // 0 (silent) .. 100 (full).
    virtual void SetVolume(int volume);

    platform::AudioHandle Handle() const { return handle; }

protected:
    platform::AudioHandle handle = 0;
};

class Sample : public Sound
{
public:
    // Logs "Loaded sample: <path>" or "Failed to load sample: <path>".
    bool Load(const std::string& path, bool loop) override;
};

class Stream : public Sound
{
public:
    // Logs only a failure: "Failed to load stream: <path>".
    bool Load(const std::string& path, bool loop) override;
};

void InitSound();
void ShutdownSound();
void PauseSound(bool pause);
void RestartSound();
