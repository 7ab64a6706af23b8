// Input: the game's buttons. Keys, mouse buttons, joystick buttons and the joystick's two
// axes are one space of input codes; eight actions are bound to a primary and a secondary
// code each and stored in "Controls.dat". Every state advances once per simulation step, so
// the game asks whether something was Pressed in this step, is Held, or was Released.
//
// The Engine owns one Input and forwards to it, one line each:
//   Engine::OnKey(code, down)            -> input.OnKey(code, down)
//   Engine::OnJoystickAxis(axis, value)  -> input.OnJoystickAxis(axis, value)
//   Engine::OnTextInput(unicode)         -> input.OnTextInput(unicode)
//   Engine::TickButtons()                -> input.TickButtons()
//   Engine::SetBinding(index, primary, code) -> input.SetBinding(index, primary, code)
//   Engine::InitControls()               -> input.InitControls()
//   Engine::LoadOrSaveControls()         -> input.LoadOrSaveControls()
// and, during construction, input.joystickPresent = InitJoysticks() (then ResetAxisZones()
// when it is true). Grab and Unicode switches go through platform::GetInputBackend().
#pragma once

#include <cstddef>

// One button's state; Set feeds it, Tick advances it once per step.
struct ButtonState
{
    enum : int
    {
        Pressed = 0,  // went down in this step
        Held = 1,     // down since an earlier step
        Up = 2,       // up since an earlier step
        Released = 3, // went up in this step
    };

    ButtonState() = default;
    void Set(bool down);
    void Tick();

    int value = Up;
};

// Input codes besides SDL 1.2's key symbols (which they share).
namespace input_code
{
constexpr int Mouse1 = 1;
constexpr int Mouse5 = 5;
constexpr int Tab = 9;
constexpr int Pause = 19;
constexpr int Escape = 27;
constexpr int KeyX = 120;
constexpr int KeyZ = 122;
constexpr int ArrowUp = 273;
constexpr int ArrowDown = 274;
constexpr int ArrowRight = 275;
constexpr int ArrowLeft = 276;
constexpr int LeftControl = 306;
constexpr int AxisLeft = 323; // joystick axis 0 negative
constexpr int AxisRight = 324;
constexpr int AxisUp = 325; // joystick axis 1 negative
constexpr int AxisDown = 326;
constexpr int JoyButton0 = 327; // joystick button n is 327 + n
constexpr int JoyButtonCount = 20;
} // namespace input_code

// The 18 states, in the order TickButtons walks them.
enum InputButton
{
    ButtonEsc,
    ButtonPause,
    ButtonMenuUp,
    ButtonMenuDown,
    ButtonMenuLeft,
    ButtonMenuRight,
    ButtonSelect,
    ButtonLeft,
    ButtonRight,
    ButtonUp,
    ButtonDown,
    ButtonFire,
    ButtonFire2,
    ButtonFire3,
    ButtonMouse1,
    ButtonMouse23, // mouse buttons 2 and 3 share one state
    ButtonMouse4,
    ButtonMouse5,
    ButtonCount
};

// Binding indices 0-7 (8-15 name the same actions again; SetBinding takes both).
enum InputAction
{
    ActionLeft,
    ActionRight,
    ActionUp,
    ActionDown,
    ActionFire,
    ActionFire2,
    ActionFire3,
    ActionPause,
    ActionCount
};

struct Binding
{
    int primary;
    int secondary;
};

// Logs the search, opens every joystick for the rest of the run; true if one opened.
bool InitJoysticks();

class Input
{
public:
    static constexpr int kMinSensitivity = 50;
    static constexpr int kMaxSensitivity = 100;
    static constexpr int kDefaultTextLength = 5;
    // The mouse factors the menus' sensitivity scale gives, (sensitivity - 49) / 4.
    static constexpr float kMinMouseFactor = (kMinSensitivity - 49) * 0.25f;
    static constexpr float kMaxMouseFactor = (kMaxSensitivity - 49) * 0.25f;

    Input();
    Input(const Input&) = delete; // the text target may point into this object
    Input& operator=(const Input&) = delete;

    // Defaults, then "Controls.dat" (read, or written when absent), then the grab off.
    void InitControls();
    // Reads "Controls.dat" when it exists, else writes it with the current values.
    void LoadOrSaveControls();
    // Rewrites "Controls.dat" with the current values (temporary file, then rename); call it
    // after the player changed a binding instead of deleting the file first. False if it
    // could not be written; the old file is then untouched.
    bool SaveControls();

    void OnKey(int code, bool down);
    void OnJoystickAxis(int axis, int value);
    void OnTextInput(unsigned int unicode);
    void TickButtons();
    // index 0-15 (action = index mod 8); anything else is refused.
    void SetBinding(int index, bool primary, int code);

    // Binding capture: the next code that goes down (ESC excepted) is bound to `index`.
    void StartCapture(int index, bool primary);

    // Text entry into `target` (capacity bytes, NUL included), at most maxLength key
    // presses; switches Unicode translation on. Only printable ASCII is stored (upper-cased);
    // any other press uses up its place and leaves the character there. The target always
    // ends in NUL. False (and nothing started) if the target cannot hold one character.
    // The target must outlive the entry (the score names and the password buffer do).
    bool StartTextEntry(char* target, std::size_t capacity, int maxLength = kDefaultTextLength);
    bool TextEntryActive() const { return textActive; }
    int TextLength() const { return textLength; }
    int TextMaxLength() const { return textMaxLength; }
    const char* TextBuffer() const { return textTarget; }

    // Kept within 50..100 whatever is asked: the axis zones divide by sensitivity / 50.
    void SetSensitivity(int value);
    int Sensitivity() const { return sensitivity; }

    bool Grabbed() const { return grabbed; }
    void ResetAxisZones() { axisZone[0] = axisZone[1] = 0; }

    ButtonState& operator[](InputButton button) { return buttons[button]; }
    const ButtonState& operator[](InputButton button) const { return buttons[button]; }

    ButtonState buttons[ButtonCount];
    Binding bindings[ActionCount];
    float mouseFactor = 0.5f;
    bool joystickPresent = false;
    int axisZone[2] = {0, 0};
    bool captureActive = false;
    int captureIndex = 0;
    bool capturePrimary = true;
    bool anyKey = false; // some code went down in this step; the main loop clears it

private:
    void ControlsRoutine();
    // The action whose primary or secondary code is `code`, in matching order; -1 if none.
    int MatchAction(int code) const;
    void SetAxisTarget(int code, bool down);
    void AxisCode(int code);

    int sensitivity = 80;
    bool grabbed = false;

    bool textActive = false;
    int textMaxLength = kDefaultTextLength;
    int textLength = 0;
    char textBuffer[kDefaultTextLength + 1] = {};
    char* textTarget = textBuffer;
};
