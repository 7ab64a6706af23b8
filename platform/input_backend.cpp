#include "platform/input_backend.h"

#include <SDL/SDL.h>

namespace platform
{

namespace
{

class SdlInputBackend : public InputBackend
{
public:
    void GrabInput(bool on) override { SDL_WM_GrabInput(on ? SDL_GRAB_ON : SDL_GRAB_OFF); }
    void EnableUnicode(bool on) override { SDL_EnableUNICODE(on ? 1 : 0); }
    void StartJoysticks() override { SDL_InitSubSystem(SDL_INIT_JOYSTICK); }
    int JoystickCount() override { return SDL_NumJoysticks(); }
    // SDL keeps the joystick open until it shuts down; the game holds no handle.
    bool OpenJoystick(int index) override { return SDL_JoystickOpen(index) != nullptr; }
    void GetRelativeMouseState(int& dx, int& dy) override { SDL_GetRelativeMouseState(&dx, &dy); }
};

SdlInputBackend gSdlInput;
InputBackend* gInputBackend = &gSdlInput;

} // namespace

InputBackend& GetInputBackend()
{
    return *gInputBackend;
}

void SetInputBackend(InputBackend* backend)
{
    gInputBackend = backend != nullptr ? backend : &gSdlInput;
}

bool RecordingInputBackend::OpenJoystick(int index)
{
    if (index < 0 || index >= JoystickCount() || !joysticksOpenable[index])
        return false;
    openedJoysticks.push_back(index);
    return true;
}

} // namespace platform
