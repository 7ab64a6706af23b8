// InputBackend: the few window-system calls the input layer makes besides reading events:
// grabbing the mouse and keyboard, switching the key-to-Unicode translation that text entry
// needs, opening the joysticks, and the mouse motion since the last step. The SDL back end
// is the default; the recording back end runs without a window and remembers every call, so
// tests can assert on them (and hands out the mouse motion it is given).
#pragma once

#include <vector>

namespace platform
{

class InputBackend
{
public:
    virtual ~InputBackend() = default;

    virtual void GrabInput(bool on) = 0;
    virtual void EnableUnicode(bool on) = 0;
    // Starts the joystick subsystem; its result is not needed, the count tells.
    virtual void StartJoysticks() = 0;
    virtual int JoystickCount() = 0;
    // Opens joystick `index` for the rest of the run; false if it could not be opened.
    virtual bool OpenJoystick(int index) = 0;
    // The mouse's motion since the last call, in pixels.
    virtual void GetRelativeMouseState(int& dx, int& dy) = 0;
};

// The back end the input layer uses now (the SDL one unless a test installed another).
InputBackend& GetInputBackend();
// Installs `backend` (not owned); nullptr goes back to the SDL back end.
void SetInputBackend(InputBackend* backend);

// Headless back end: records grab and Unicode switches; joysticks as configured.
class RecordingInputBackend : public InputBackend
{
public:
    void GrabInput(bool on) override { grabCalls.push_back(on); }
    void EnableUnicode(bool on) override { unicodeCalls.push_back(on); }
    void StartJoysticks() override { ++joystickStarts; }
    int JoystickCount() override { return static_cast<int>(joysticksOpenable.size()); }
    bool OpenJoystick(int index) override;
    // Reports mouseDx, mouseDy on every call: a mouse moving steadily.
    void GetRelativeMouseState(int& dx, int& dy) override
    {
        dx = mouseDx;
        dy = mouseDy;
    }

    // One entry per joystick present: whether opening it succeeds.
    std::vector<bool> joysticksOpenable;
    // The motion the next GetRelativeMouseState reports.
    int mouseDx = 0;
    int mouseDy = 0;

    std::vector<bool> grabCalls;
    std::vector<bool> unicodeCalls;
    std::vector<int> openedJoysticks;
    int joystickStarts = 0;
};

} // namespace platform
