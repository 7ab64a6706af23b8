// The SDL_mixer back end of the audio layer. Each sample owns one mixer channel, so playing
// it again restarts it there; streams are the mixer's music, one at a time. The global pause
// stops SDL's audio callback itself, so nothing (not even a sound started while paused)
// sounds until the resume.
#include "platform/audio.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <algorithm>

namespace platform
{

namespace
{

constexpr int kFrequency = 44100;
constexpr int kChunkBytes = 1024;

int MixerVolume(int volume)
{
    volume = std::clamp(volume, 0, 100);
    return volume * MIX_MAX_VOLUME / 100;
}

class MixerAudio : public AudioBackend
{
public:
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

private:
    // A loaded sound. Without a device it holds neither chunk nor music: it stays silent.
    struct Entry
    {
        AudioHandle handle = 0;
        bool loop = false;
        int volume = 100;
        Mix_Chunk* chunk = nullptr; // a sample
        int channel = -1;           // the sample's own channel
        Mix_Music* music = nullptr; // a stream
    };

    AudioHandle Keep(Entry entry, const std::string& path);
    Entry* Find(AudioHandle handle);
    int TakeChannel();
    void Release(Entry& entry);

    bool opened = false;
    std::vector<Entry> entries;
    std::vector<bool> channelInUse;
    AudioHandle currentStream = 0; // the stream the mixer's music belongs to
};

bool MixerAudio::Open(std::string& error)
{
    if (opened)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    {
        error = SDL_GetError();
        return false;
    }
    // The decoder stays loaded for the run: this mixer's Mix_Quit frees twice when repeated.
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, 2, kChunkBytes) != 0)
    {
        error = Mix_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    channelInUse.assign(static_cast<std::size_t>(Mix_AllocateChannels(-1)), false);
    opened = true;
    return true;
}

void MixerAudio::Close()
{
    // Loads made before a device was opened are silent entries; free them all the same.
    for (Entry& entry : entries)
        Release(entry);
    entries.clear();
    currentStream = 0;
    if (!opened)
        return;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    channelInUse.clear();
    opened = false;
}

void MixerAudio::Pause(bool pause)
{
    if (opened)
        SDL_PauseAudio(pause ? 1 : 0);
}

void MixerAudio::Restart()
{
    if (!opened)
        return;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    currentStream = 0;
    SDL_PauseAudio(0);
}

int MixerAudio::TakeChannel()
{
    auto free = std::find(channelInUse.begin(), channelInUse.end(), false);
    if (free == channelInUse.end())
    {
        std::size_t wanted = channelInUse.size() + 8;
        if (static_cast<std::size_t>(Mix_AllocateChannels(static_cast<int>(wanted))) < wanted)
            return -1;
        channelInUse.resize(wanted, false);
        free = channelInUse.end() - 8;
    }
    *free = true;
    return static_cast<int>(free - channelInUse.begin());
}

AudioHandle MixerAudio::LoadSample(const std::string& path, bool loop)
{
    Entry entry;
    entry.loop = loop;
    if (opened)
    {
        entry.chunk = Mix_LoadWAV(path.c_str());
        if (entry.chunk == nullptr)
            return 0;
        entry.channel = TakeChannel();
        if (entry.channel < 0)
        {
            Mix_FreeChunk(entry.chunk);
            return 0;
        }
        Mix_Volume(entry.channel, MixerVolume(entry.volume));
    }
    return Keep(entry, path);
}

AudioHandle MixerAudio::LoadStream(const std::string& path, bool loop)
{
    Entry entry;
    entry.loop = loop;
    if (opened)
    {
        entry.music = Mix_LoadMUS(path.c_str());
        if (entry.music == nullptr)
            return 0;
    }
    return Keep(entry, path);
}

AudioHandle MixerAudio::Keep(Entry entry, const std::string& path)
{
    // Without a device nothing was decoded yet: the file must still exist and decode.
    if (!opened && !CheckOggFile(path))
        return 0;
    entry.handle = NewAudioHandle();
    entries.push_back(entry);
    return entry.handle;
}

MixerAudio::Entry* MixerAudio::Find(AudioHandle handle)
{
    if (handle == 0)
        return nullptr;
    for (Entry& entry : entries)
    {
        if (entry.handle == handle)
            return &entry;
    }
    return nullptr;
}

void MixerAudio::Play(AudioHandle handle)
{
    Entry* entry = Find(handle);
    if (entry == nullptr)
        return;
    if (entry->chunk != nullptr)
    {
        // On its own channel the new playback replaces the old one from the start.
        Mix_PlayChannel(entry->channel, entry->chunk, entry->loop ? -1 : 0);
    }
    else if (entry->music != nullptr)
    {
        if (Mix_PlayMusic(entry->music, entry->loop ? -1 : 1) == 0)
        {
            currentStream = handle;
            Mix_VolumeMusic(MixerVolume(entry->volume));
        }
    }
}

void MixerAudio::Stop(AudioHandle handle)
{
    Entry* entry = Find(handle);
    if (entry == nullptr)
        return;
    if (entry->chunk != nullptr)
    {
        Mix_HaltChannel(entry->channel);
    }
    else if (entry->music != nullptr && currentStream == handle)
    {
        Mix_HaltMusic();
        currentStream = 0;
    }
}

void MixerAudio::Release(Entry& entry)
{
    if (entry.chunk != nullptr)
    {
        Mix_HaltChannel(entry.channel);
        Mix_FreeChunk(entry.chunk);
        channelInUse[static_cast<std::size_t>(entry.channel)] = false;
    }
    if (entry.music != nullptr)
    {
        if (currentStream == entry.handle)
        {
            Mix_HaltMusic();
            currentStream = 0;
        }
        Mix_FreeMusic(entry.music);
    }
    entry = Entry();
}

void MixerAudio::Free(AudioHandle handle)
{
    Entry* entry = Find(handle);
    if (entry == nullptr)
        return;
    Release(*entry);
    entries.erase(entries.begin() + (entry - entries.data()));
}

void MixerAudio::SetVolume(AudioHandle handle, int volume)
{
    Entry* entry = Find(handle);
    if (entry == nullptr)
        return;
    entry->volume = volume;
    if (entry->chunk != nullptr)
        Mix_Volume(entry->channel, MixerVolume(volume));
    else if (entry->music != nullptr && currentStream == handle)
        Mix_VolumeMusic(MixerVolume(volume));
}

} // namespace

AudioBackend& MixerAudioBackend()
{
    static MixerAudio backend;
    return backend;
}

} // namespace platform
