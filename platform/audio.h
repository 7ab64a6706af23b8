// AudioBackend: our audio layer. Samples are short effects decoded into memory, each with one
// playback at a time (playing it again restarts it); streams are music decoded while they
// play, one sounding at a time (the game never overlaps two). Either may loop seamlessly.
// Output can be paused and resumed as a whole (a sound started meanwhile waits for the
// resume), and restarted, which stops everything and resumes output. Volumes run 0..100.
//
// Handles are never reused, so a freed or foreign handle is simply unknown: every operation
// on it (and on 0) does nothing. Without an audio device the SDL back end stays silent but
// still checks on load that each file exists and decodes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform
{

using AudioHandle = std::uint32_t; // 0 = nothing loaded

class AudioBackend
{
public:
    virtual ~AudioBackend() = default;

    // Starts output at 44100 Hz; false (with the reason) when there is no device.
    virtual bool Open(std::string& error) = 0;
    // Frees every sound and stops output.
    virtual void Close() = 0;
    virtual void Pause(bool pause) = 0;
    virtual void Restart() = 0;

    // 0 when the file is missing or does not decode.
    virtual AudioHandle LoadSample(const std::string& path, bool loop) = 0;
    virtual AudioHandle LoadStream(const std::string& path, bool loop) = 0;
    virtual void Play(AudioHandle handle) = 0;
    virtual void Stop(AudioHandle handle) = 0;
    virtual void Free(AudioHandle handle) = 0;
    virtual void SetVolume(AudioHandle handle, int volume) = 0;
};

// The back end in use (SDL_mixer unless a test installed another).
AudioBackend& GetAudioBackend();
// Installs `backend` (not owned); nullptr goes back to the SDL_mixer back end.
void SetAudioBackend(AudioBackend* backend);

// A handle no back end has given out yet.
AudioHandle NewAudioHandle();

// Decodes an Ogg Vorbis file into interleaved 16-bit samples. False when it is missing or
// does not decode.
bool DecodeOgg(const std::string& path, std::vector<std::int16_t>& pcm, int& channels, long& rate);
// True when the file exists and decodes to the end.
bool CheckOggFile(const std::string& path);

// Headless back end: loads check the file like the real one, every call is recorded.
class RecordingAudio : public AudioBackend
{
public:
    struct Call
    {
        std::string op;   // "open", "close", "pause", "resume", "restart", "load-sample",
                          // "load-stream", "play", "stop", "free", "volume"
        std::string path; // the sound's file, when the call names a known sound
        int value = 0;    // loop flag of a load, volume of "volume"
    };

    bool Open(std::string& error) override;
    void Close() override;
    void Pause(bool pause) override;
    void Restart() override;
    AudioHandle LoadSample(const std::string& path, bool loop) override;
    AudioHandle LoadStream(const std::string& path, bool loop) override;
    void Play(AudioHandle handle) override;
    void Stop(AudioHandle handle) override;
    void Free(AudioHandle handle) override;
    void SetVolume(AudioHandle handle, int volume) override;

    // How many recorded calls have this op and path.
    int Count(const std::string& op, const std::string& path = std::string()) const;

    bool openSucceeds = true;
    std::vector<Call> calls;

private:
    struct Entry
    {
        AudioHandle handle;
        std::string path;
    };
    AudioHandle Load(const char* op, const std::string& path, bool loop);
    const Entry* Find(AudioHandle handle) const;
    void Record(const char* op, AudioHandle handle, int value = 0);

    std::vector<Entry> loaded;
};

} // namespace platform
