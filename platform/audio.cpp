// The shared parts of the audio layer: choosing the back end, handles, Ogg checks, and the
// recording back end. The SDL_mixer back end is in audio_mixer.cpp.
#include "platform/audio.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <atomic>

namespace platform
{

AudioBackend& MixerAudioBackend(); // audio_mixer.cpp

namespace
{

AudioBackend* gAudioBackend = nullptr;
std::atomic<AudioHandle> gNextHandle{1};

} // namespace

AudioBackend& GetAudioBackend()
{
    return gAudioBackend != nullptr ? *gAudioBackend : MixerAudioBackend();
}

void SetAudioBackend(AudioBackend* backend)
{
    gAudioBackend = backend;
}

AudioHandle NewAudioHandle()
{
    return gNextHandle++;
}

bool DecodeOgg(const std::string& path, std::vector<std::int16_t>& pcm, int& channels, long& rate)
{
    pcm.clear();
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0)
        return false;
    vorbis_info* info = ov_info(&file, -1);
    channels = info != nullptr ? info->channels : 0;
    rate = info != nullptr ? info->rate : 0;
    bool ok = channels > 0;
    ogg_int64_t frames = ov_pcm_total(&file, -1);
    if (ok && frames > 0)
        pcm.reserve(static_cast<std::size_t>(frames) * channels);
    char buffer[8192];
    int section = 0;
    while (ok)
    {
        long got = ov_read(&file, buffer, sizeof buffer, 0 /* little endian */, 2, 1, &section);
        if (got == 0)
            break;
        if (got < 0)
        {
            ok = false;
            break;
        }
        const auto* samples = reinterpret_cast<const unsigned char*>(buffer);
        for (long i = 0; i + 1 < got; i += 2)
            pcm.push_back(static_cast<std::int16_t>(samples[i] | (samples[i + 1] << 8)));
    }
    ov_clear(&file);
    return ok && !pcm.empty();
}

bool CheckOggFile(const std::string& path)
{
    std::vector<std::int16_t> pcm;
    int channels = 0;
    long rate = 0;
    return DecodeOgg(path, pcm, channels, rate);
}

bool RecordingAudio::Open(std::string& error)
{
    calls.push_back({"open", std::string(), openSucceeds ? 1 : 0});
    if (!openSucceeds)
        error = "no audio device";
    return openSucceeds;
}

void RecordingAudio::Close()
{
    calls.push_back({"close", std::string(), 0});
    loaded.clear();
}

void RecordingAudio::Pause(bool pause)
{
    calls.push_back({pause ? "pause" : "resume", std::string(), 0});
}

void RecordingAudio::Restart()
{
    calls.push_back({"restart", std::string(), 0});
}

AudioHandle RecordingAudio::Load(const char* op, const std::string& path, bool loop)
{
    calls.push_back({op, path, loop ? 1 : 0});
    if (!CheckOggFile(path))
        return 0;
    AudioHandle handle = NewAudioHandle();
    loaded.push_back({handle, path});
    return handle;
}

AudioHandle RecordingAudio::LoadSample(const std::string& path, bool loop)
{
    return Load("load-sample", path, loop);
}

AudioHandle RecordingAudio::LoadStream(const std::string& path, bool loop)
{
    return Load("load-stream", path, loop);
}

const RecordingAudio::Entry* RecordingAudio::Find(AudioHandle handle) const
{
    for (const Entry& entry : loaded)
    {
        if (entry.handle == handle)
            return &entry;
    }
    return nullptr;
}

void RecordingAudio::Record(const char* op, AudioHandle handle, int value)
{
    const Entry* entry = Find(handle);
    calls.push_back({op, entry != nullptr ? entry->path : std::string(), value});
}

void RecordingAudio::Play(AudioHandle handle)
{
    Record("play", handle);
}

void RecordingAudio::Stop(AudioHandle handle)
{
    Record("stop", handle);
}

void RecordingAudio::Free(AudioHandle handle)
{
    Record("free", handle);
    loaded.erase(std::remove_if(loaded.begin(), loaded.end(),
                                [handle](const Entry& e) { return e.handle == handle; }),
                 loaded.end());
}

void RecordingAudio::SetVolume(AudioHandle handle, int volume)
{
    Record("volume", handle, volume);
}

int RecordingAudio::Count(const std::string& op, const std::string& path) const
{
    return static_cast<int>(std::count_if(
        calls.begin(), calls.end(),
        [&](const Call& call) { return call.op == op && (path.empty() || call.path == path); }));
}

} // namespace platform
