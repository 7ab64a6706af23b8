#include "engine/input.h"

#include "engine/config_file.h"
#include "engine/logger.h"
#include "platform/input_backend.h"

#include <cstdio>

using namespace input_code;

namespace
{

const char* const kControlsPath = "Controls.dat";

constexpr Binding kDefaultBindings[ActionCount] = {
    {ArrowLeft, AxisLeft},         {ArrowRight, AxisRight}, {ArrowUp, AxisUp},
    {ArrowDown, AxisDown},         {KeyZ, JoyButton0},      {KeyX, JoyButton0 + 1},
    {LeftControl, JoyButton0 + 2}, {Pause, Pause},
};

// The order in which a code is matched against the bindings: the first match wins.
constexpr InputAction kMatchOrder[ActionCount] = {
    ActionLeft,  ActionRight, ActionFire, ActionFire2,
    ActionFire3, ActionPause, ActionUp,   ActionDown,
};

constexpr InputButton kActionButton[ActionCount] = {
    ButtonLeft, ButtonRight, ButtonUp,    ButtonDown,
    ButtonFire, ButtonFire2, ButtonFire3, ButtonPause,
};

bool IsFireAction(int action)
{
    return action == ActionFire || action == ActionFire2 || action == ActionFire3;
}

} // namespace

void ButtonState::Set(bool down)
{
    if (down)
    {
        if (value == Up || value == Released)
            value = Pressed;
    }
    else if (value == Pressed || value == Held)
    {
        value = Released;
    }
}

void ButtonState::Tick()
{
    if (value == Pressed)
        value = Held;
    else if (value == Released)
        value = Up;
}

bool InitJoysticks()
{
    platform::InputBackend& backend = platform::GetInputBackend();
    gLogger.Log("\n[Searching for Joystick]\n");
    backend.StartJoysticks();
    int count = backend.JoystickCount();
    if (count <= 0)
    {
        gLogger.Log("No joysticks found...\n");
        return false;
    }
    bool opened = false;
    char line[64];
    for (int n = 0; n < count; ++n)
    {
        if (backend.OpenJoystick(n))
        {
            std::snprintf(line, sizeof line, "Joystick %i found and intialized.\n", n);
            opened = true;
        }
        else
        {
            std::snprintf(line, sizeof line, "Joystick %i could not be opened!\n", n);
        }
        gLogger.Log(line);
    }
    gLogger.Log("Complete...\n\n");
    return opened;
}

Input::Input()
{
    for (int a = 0; a < ActionCount; ++a)
        bindings[a] = kDefaultBindings[a];
}

void Input::InitControls()
{
    captureActive = false;
    for (int a = 0; a < ActionCount; ++a)
        bindings[a] = kDefaultBindings[a];
    mouseFactor = 0.5f;
    textActive = false;
    textMaxLength = kDefaultTextLength;
    textLength = 0;
    LoadOrSaveControls();
    grabbed = false;
    platform::GetInputBackend().GrabInput(false);
}

void Input::ControlsRoutine()
{
    static const char* const kKeys[ActionCount][2] = {
        {"LEFT_PRIMARY", "LEFT_SECONDARY"},   {"RIGHT_PRIMARY", "RIGHT_SECONDARY"},
        {"UP_PRIMARY", "UP_SECONDARY"},       {"DOWN_PRIMARY", "DOWN_SECONDARY"},
        {"FIRE_PRIMARY", "FIRE_SECONDARY"},   {"FIRE2_PRIMARY", "FIRE2_SECONDARY"},
        {"FIRE3_PRIMARY", "FIRE3_SECONDARY"}, {"PAUSE", "PAUSE"},
    };
    // Both pause codes are stored under "PAUSE"; reading finds the first line twice, so the
    // secondary pause code always comes back as the primary one.
    gConfigFile.Section(kControlsPath, "[Control Configuration]");
    for (int a = 0; a < ActionCount; ++a)
    {
        gConfigFile.IntValue(kControlsPath, kKeys[a][0], bindings[a].primary);
        gConfigFile.IntValue(kControlsPath, kKeys[a][1], bindings[a].secondary);
    }
    int stored = sensitivity;
    gConfigFile.IntValue(kControlsPath, "SENSITIVITY", stored);
    SetSensitivity(stored);
    gConfigFile.FloatValue(kControlsPath, "MOUSESENSI", mouseFactor);
    // A factor off the scale comes only from an edited file; a huge one would turn one
    // mouse movement into an infinite ship angle.
    if (!(mouseFactor >= kMinMouseFactor))
        mouseFactor = kMinMouseFactor;
    if (mouseFactor > kMaxMouseFactor)
        mouseFactor = kMaxMouseFactor;
}

void Input::LoadOrSaveControls()
{
    if (gConfigFile.IsWriteMode(kControlsPath))
    {
        if (!SaveControls())
            gLogger.Log("Failed to write Controls.dat\n");
    }
    else
    {
        ControlsRoutine();
    }
}

bool Input::SaveControls()
{
    return gConfigFile.Save(kControlsPath, [this] { ControlsRoutine(); });
}

void Input::SetSensitivity(int value)
{
    if (value < kMinSensitivity)
        value = kMinSensitivity;
    if (value > kMaxSensitivity)
        value = kMaxSensitivity;
    sensitivity = value;
}

int Input::MatchAction(int code) const
{
    for (InputAction action : kMatchOrder)
    {
        if (code == bindings[action].primary || code == bindings[action].secondary)
            return action;
    }
    return -1;
}

void Input::OnKey(int code, bool down)
{
    if (code == Tab && down)
    {
        grabbed = !grabbed;
        platform::GetInputBackend().GrabInput(grabbed);
        return;
    }
    if (down)
        anyKey = true;

    if (captureActive && down)
    {
        // ESC leaves the capture pending, so the player cannot bind it by accident.
        if (code != Escape)
        {
            SetBinding(captureIndex, capturePrimary, code);
            captureActive = false;
        }
        return;
    }

    switch (code)
    {
    case 1:
        buttons[ButtonMouse1].Set(down);
        break;
    case 2:
    case 3:
        buttons[ButtonMouse23].Set(down);
        break;
    case 4:
        buttons[ButtonMouse4].Set(down);
        break;
    case 5:
        buttons[ButtonMouse5].Set(down);
        break;
    default:
        break;
    }

    int action = MatchAction(code);
    if (action >= 0)
        buttons[kActionButton[action]].Set(down);

    switch (code)
    {
    case Escape:
        buttons[ButtonEsc].Set(down);
        break;
    case ArrowUp:
        buttons[ButtonMenuUp].Set(down);
        break;
    case ArrowDown:
        buttons[ButtonMenuDown].Set(down);
        break;
    case ArrowRight:
        buttons[ButtonMenuRight].Set(down);
        break;
    case ArrowLeft:
        buttons[ButtonMenuLeft].Set(down);
        break;
    default:
        // Fire codes and unbound codes (mouse clicks too) also work as select.
        if (action < 0 || IsFireAction(action))
            buttons[ButtonSelect].Set(down);
        break;
    }
}

void Input::SetAxisTarget(int code, bool down)
{
    int action = MatchAction(code);
    if (action >= 0)
        buttons[kActionButton[action]].Set(down);
    if (action < 0 || IsFireAction(action))
        buttons[ButtonSelect].Set(down);
}

void Input::AxisCode(int code)
{
    anyKey = true;
    if (captureActive)
    {
        SetBinding(captureIndex, capturePrimary, code);
        captureActive = false;
    }
    else
    {
        SetAxisTarget(code, true);
    }
}

void Input::OnJoystickAxis(int axis, int value)
{
    if (axis != 0 && axis != 1)
        return;
    const int negative = axis == 0 ? AxisLeft : AxisUp;
    const int positive = negative + 1;
    int& lastZone = axisZone[axis];

    // Integer zones: with a sensitivity of 50-99 only the very ends leave zone 0, with 100
    // half deflection does. The sensitivity is never below 50, so the divisor is never 0.
    int divisor = (value < 0 ? 32768 : 32767) / (sensitivity / 50);
    int zone = value / divisor;

    if (zone != lastZone)
    {
        if (lastZone < 0)
            SetAxisTarget(negative, false);
        else if (lastZone > 0)
            SetAxisTarget(positive, false);
    }
    if (zone < 0)
        AxisCode(negative);
    else if (zone > 0)
        AxisCode(positive);
    lastZone = zone;
}

void Input::OnTextInput(unsigned int unicode)
{
    unicode &= 0xFFFF;
    if (!textActive || unicode == 0)
        return;
    // Only printable characters go into a name or password: a blank would cut a stored
    // name short, control keys would be invisible. Every press still uses up its place.
    if (unicode >= 33 && unicode <= 126)
    {
        char c = static_cast<char>(unicode);
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        textTarget[textLength] = c;
    }
    ++textLength;
    if (textLength >= textMaxLength)
    {
        textActive = false;
        platform::GetInputBackend().EnableUnicode(false);
    }
}

bool Input::StartTextEntry(char* target, std::size_t capacity, int maxLength)
{
    if (target == nullptr || capacity < 2 || maxLength < 1)
        return false;
    if (static_cast<std::size_t>(maxLength) > capacity - 1)
        maxLength = static_cast<int>(capacity - 1);
    textTarget = target;
    textTarget[maxLength] = '\0';
    textMaxLength = maxLength;
    textLength = 0;
    textActive = true;
    platform::GetInputBackend().EnableUnicode(true);
    return true;
}

void Input::TickButtons()
{
    for (ButtonState& button : buttons)
        button.Tick();
}

void Input::SetBinding(int index, bool primary, int code)
{
    if (index < 0 || index > 15)
        return;
    Binding& binding = bindings[index % ActionCount];
    if (primary)
        binding.primary = code;
    else
        binding.secondary = code;
}

void Input::StartCapture(int index, bool primary)
{
    captureIndex = index;
    capturePrimary = primary;
    captureActive = true;
}
