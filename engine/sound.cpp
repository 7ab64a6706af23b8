#include "engine/sound.h"

#include "engine/logger.h"

using platform::GetAudioBackend;

Sound::~Sound()
{
    // After ShutdownSound the handle is unknown to the layer and this does nothing.
    Free();
}

void Sound::Play()
{
    if (handle != 0)
        GetAudioBackend().Play(handle);
}

void Sound::Stop()
{
    if (handle != 0)
        GetAudioBackend().Stop(handle);
}

void Sound::Free()
{
    if (handle == 0)
        return;
    GetAudioBackend().Free(handle);
    handle = 0;
}

void Sound::SetVolume(int volume)
{
    if (handle != 0)
        GetAudioBackend().SetVolume(handle, volume);
}

bool Sample::Load(const std::string& path, bool loop)
{
    Free();
    handle = GetAudioBackend().LoadSample(path, loop);
    gLogger.Log(handle != 0 ? "Loaded sample: " : "Failed to load sample: ");
    gLogger.Log(path);
    gLogger.Log("\n");
    return handle != 0;
}

bool Stream::Load(const std::string& path, bool loop)
{
    Free();
    handle = GetAudioBackend().LoadStream(path, loop);
    if (handle == 0)
    {
        gLogger.Log("Failed to load stream: ");
        gLogger.Log(path);
        gLogger.Log("\n");
    }
    return handle != 0;
}

void InitSound()
{
    gLogger.Log("\n[Initializing BASS]\n");
    std::string error;
    if (GetAudioBackend().Open(error))
    {
        gLogger.Log("Complete...\n\n");
        return;
    }
    gLogger.Log("No audio device (" + error + "), the game runs silent.\n");
    gLogger.Log("Failed...\n\n");
}

void ShutdownSound()
{
    GetAudioBackend().Close();
}

void PauseSound(bool pause)
{
    GetAudioBackend().Pause(pause);
}

void RestartSound()
{
    GetAudioBackend().Restart();
}
