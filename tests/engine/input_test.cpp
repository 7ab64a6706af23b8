#include "engine/config_file.h"
#include "engine/input.h"
#include "platform/input_backend.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

#include <cstring>

using cavtest::ReadFile;
using cavtest::WriteFile;
using namespace input_code;

namespace
{

const char kDefaultControls[] = "[Control Configuration]\n"
                                "LEFT_PRIMARY\t= 276\n"
                                "LEFT_SECONDARY\t= 323\n"
                                "RIGHT_PRIMARY\t= 275\n"
                                "RIGHT_SECONDARY\t= 324\n"
                                "UP_PRIMARY\t= 273\n"
                                "UP_SECONDARY\t= 325\n"
                                "DOWN_PRIMARY\t= 274\n"
                                "DOWN_SECONDARY\t= 326\n"
                                "FIRE_PRIMARY\t= 122\n"
                                "FIRE_SECONDARY\t= 327\n"
                                "FIRE2_PRIMARY\t= 120\n"
                                "FIRE2_SECONDARY\t= 328\n"
                                "FIRE3_PRIMARY\t= 306\n"
                                "FIRE3_SECONDARY\t= 329\n"
                                "PAUSE\t= 19\n"
                                "PAUSE\t= 19\n"
                                "SENSITIVITY\t= 80\n"
                                "MOUSESENSI\t= 0.5\n";

class InputTest : public cavtest::TempDirTest
{
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        gConfigFile.ResetForNewRun();
        platform::SetInputBackend(&backend);
    }
    void TearDown() override
    {
        platform::SetInputBackend(nullptr);
        gConfigFile.ResetForNewRun();
        TempDirTest::TearDown();
    }
    int State(InputButton b) const { return input[b].value; }
    void Tap(int code)
    {
        input.OnKey(code, true);
        input.OnKey(code, false);
    }

    platform::RecordingInputBackend backend;
    Input input;
};

TEST_F(InputTest, ButtonStatesAdvanceOncePerStep)
{
    ButtonState b;
    EXPECT_EQ(b.value, ButtonState::Up);
    b.Set(false); // releasing an Up button changes nothing
    EXPECT_EQ(b.value, ButtonState::Up);
    b.Set(true);
    b.Set(false); // a tap within one step is seen as Released
    EXPECT_EQ(b.value, ButtonState::Released);
    b.Tick();
    EXPECT_EQ(b.value, ButtonState::Up);
    b.Set(true);
    b.Tick();
    EXPECT_EQ(b.value, ButtonState::Held);
    b.Set(true); // pressing a Held button changes nothing
    EXPECT_EQ(b.value, ButtonState::Held);
    b.Set(false);
    EXPECT_EQ(b.value, ButtonState::Released);

    Tap(KeyZ);
    EXPECT_EQ(State(ButtonFire), ButtonState::Released);
    EXPECT_EQ(State(ButtonSelect), ButtonState::Released);
    input.TickButtons();
    EXPECT_EQ(State(ButtonFire), ButtonState::Up);
    EXPECT_EQ(State(ButtonSelect), ButtonState::Up);
}

TEST_F(InputTest, KeysReachTheirActionsMenuStatesAndSelect)
{
    input.OnKey(KeyZ, true);
    EXPECT_EQ(State(ButtonFire), ButtonState::Pressed);
    EXPECT_EQ(State(ButtonSelect), ButtonState::Pressed);
    EXPECT_TRUE(input.anyKey);

    input.OnKey(ArrowLeft, true);
    EXPECT_EQ(State(ButtonLeft), ButtonState::Pressed);
    EXPECT_EQ(State(ButtonMenuLeft), ButtonState::Pressed);
    input.TickButtons();
    input.OnKey(ArrowUp, true);
    EXPECT_EQ(State(ButtonUp), ButtonState::Pressed);
    EXPECT_EQ(State(ButtonMenuUp), ButtonState::Pressed);
    input.OnKey(Pause, true);
    EXPECT_EQ(State(ButtonPause), ButtonState::Pressed);
    input.OnKey(Escape, true);
    EXPECT_EQ(State(ButtonEsc), ButtonState::Pressed);
    EXPECT_EQ(State(ButtonSelect), ButtonState::Held) << "none of these is a select";

    // Unbound codes select; mouse buttons 2 and 3 share one state.
    Input fresh;
    fresh.OnKey(2, true);
    EXPECT_EQ(fresh[ButtonMouse23].value, ButtonState::Pressed);
    fresh.OnKey(3, false);
    EXPECT_EQ(fresh[ButtonMouse23].value, ButtonState::Released);
    EXPECT_EQ(fresh[ButtonSelect].value, ButtonState::Released);
    fresh.OnKey(1, true);
    fresh.OnKey(5, true);
    EXPECT_EQ(fresh[ButtonMouse1].value, ButtonState::Pressed);
    EXPECT_EQ(fresh[ButtonMouse5].value, ButtonState::Pressed);
    EXPECT_EQ(fresh[ButtonMouse4].value, ButtonState::Up);
}

TEST_F(InputTest, FirstMatchingActionWinsInTheFixedOrder)
{
    // "z" is now UP's primary as well as FIRE's; FIRE comes first in the matching order.
    input.SetBinding(ActionUp, true, KeyZ);
    input.OnKey(KeyZ, true);
    EXPECT_EQ(State(ButtonFire), ButtonState::Pressed);
    EXPECT_EQ(State(ButtonUp), ButtonState::Up);

    // The joystick's up direction bound as LEFT's secondary beats UP's own binding.
    input.SetBinding(8, false, AxisUp);
    input.OnJoystickAxis(1, -32768);
    EXPECT_EQ(State(ButtonLeft), ButtonState::Pressed);
    EXPECT_EQ(State(ButtonUp), ButtonState::Up);
}

TEST_F(InputTest, TabTogglesTheGrabAndIsNoKeyPress)
{
    input.OnKey(Tab, true);
    EXPECT_TRUE(input.Grabbed());
    EXPECT_FALSE(input.anyKey);
    input.OnKey(Tab, false);
    input.OnKey(Tab, true);
    EXPECT_FALSE(input.Grabbed());
    EXPECT_EQ(backend.grabCalls, (std::vector<bool>{true, false}));
}

TEST_F(InputTest, CaptureBindsKeysAndJoystickButtonsButNotEscape)
{
    input.StartCapture(12, false);
    input.OnKey(Escape, true);
    EXPECT_TRUE(input.captureActive);
    EXPECT_EQ(State(ButtonEsc), ButtonState::Up);
    input.OnKey(Escape, false);

    input.OnKey(JoyButton0 + 3, true);
    EXPECT_FALSE(input.captureActive);
    EXPECT_EQ(input.bindings[ActionFire].secondary, 330);
    EXPECT_EQ(input.bindings[ActionFire].primary, KeyZ);
    EXPECT_EQ(State(ButtonFire), ButtonState::Up) << "the captured press does nothing else";
    EXPECT_TRUE(input.anyKey);

    input.StartCapture(0, true);
    input.OnKey('a', true);
    EXPECT_EQ(input.bindings[ActionLeft].primary, 'a');
    input.OnKey('a', true); // capture over: now it is LEFT
    EXPECT_EQ(State(ButtonLeft), ButtonState::Pressed);

    input.StartCapture(1, false);
    input.OnJoystickAxis(0, -32768);
    EXPECT_FALSE(input.captureActive);
    EXPECT_EQ(input.bindings[ActionRight].secondary, AxisLeft);
}

TEST_F(InputTest, SetBindingRefusesIndicesOutsideZeroToFifteen)
{
    Binding before[ActionCount];
    std::memcpy(before, input.bindings, sizeof before);
    input.SetBinding(-1, true, 99);
    input.SetBinding(-8, false, 99);
    input.SetBinding(16, true, 99);
    EXPECT_EQ(std::memcmp(before, input.bindings, sizeof before), 0);
    input.SetBinding(15, true, 99); // 15 names PAUSE again
    EXPECT_EQ(input.bindings[ActionPause].primary, 99);
}

TEST_F(InputTest, AxisZonesAtSensitivity80)
{
    input.OnJoystickAxis(0, 32767);
    EXPECT_EQ(State(ButtonRight), ButtonState::Pressed);
    EXPECT_EQ(State(ButtonMenuRight), ButtonState::Up) << "axes never drive the menu states";
    input.TickButtons();
    input.OnJoystickAxis(0, 20000);
    EXPECT_EQ(State(ButtonRight), ButtonState::Released);
    input.OnJoystickAxis(0, -32767);
    EXPECT_EQ(State(ButtonLeft), ButtonState::Up) << "only the very end leaves zone 0";
    input.OnJoystickAxis(0, -32768);
    EXPECT_EQ(State(ButtonLeft), ButtonState::Pressed);
    input.OnJoystickAxis(1, 32767);
    EXPECT_EQ(State(ButtonDown), ButtonState::Pressed);
    EXPECT_EQ(State(ButtonSelect), ButtonState::Up);
    input.OnJoystickAxis(2, -32768); // other axes are ignored
    EXPECT_EQ(State(ButtonUp), ButtonState::Up);
}

TEST_F(InputTest, AxisZonesAtSensitivity100AndFireOnAnAxisSelects)
{
    input.SetSensitivity(100);
    input.OnJoystickAxis(0, 16382);
    EXPECT_EQ(State(ButtonRight), ButtonState::Up);
    input.OnJoystickAxis(0, 16383);
    EXPECT_EQ(State(ButtonRight), ButtonState::Pressed);
    input.OnJoystickAxis(0, 0);
    EXPECT_EQ(State(ButtonRight), ButtonState::Released);
    input.OnJoystickAxis(0, -16383);
    EXPECT_EQ(State(ButtonLeft), ButtonState::Up);
    input.OnJoystickAxis(0, -16384);
    EXPECT_EQ(State(ButtonLeft), ButtonState::Pressed);

    input.SetBinding(ActionFire, false, AxisDown);
    input.OnJoystickAxis(1, 32767);
    EXPECT_EQ(State(ButtonFire), ButtonState::Pressed);
    EXPECT_EQ(State(ButtonSelect), ButtonState::Pressed);
}

TEST_F(InputTest, SensitivityStaysWithinFiftyToHundred)
{
    for (int asked : {-100, 0, 10, 49})
    {
        input.SetSensitivity(asked);
        EXPECT_EQ(input.Sensitivity(), 50);
        input.OnJoystickAxis(0, 32767); // would divide by zero below 50
        EXPECT_EQ(State(ButtonRight), ButtonState::Pressed);
        input.OnJoystickAxis(0, 0);
        input.TickButtons();
    }
    input.SetSensitivity(101);
    EXPECT_EQ(input.Sensitivity(), 100);
    input.SetSensitivity(99);
    EXPECT_EQ(input.Sensitivity(), 99);
}

TEST_F(InputTest, ControlsFileIsWrittenWithDefaultsAndReadBack)
{
    input.SetBinding(ActionLeft, true, 'q'); // InitControls starts from the defaults
    input.InitControls();
    EXPECT_EQ(ReadFile("Controls.dat"), kDefaultControls);
    EXPECT_EQ(cavtest::FilesUnder("."), std::vector<std::string>{"Controls.dat"});
    EXPECT_EQ(backend.grabCalls, (std::vector<bool>{false}));

    gConfigFile.ResetForNewRun();
    WriteFile("Controls.dat", "[Control Configuration]\nLEFT_PRIMARY\t= 97\nPAUSE\t= 19\n"
                              "PAUSE\t= 13\nSENSITIVITY\t= 120\nMOUSESENSI\t= 1.25\n");
    Input next;
    next.InitControls();
    EXPECT_EQ(next.bindings[ActionLeft].primary, 97);
    EXPECT_EQ(next.bindings[ActionLeft].secondary, AxisLeft) << "missing keys keep defaults";
    EXPECT_EQ(next.bindings[ActionPause].primary, 19);
    EXPECT_EQ(next.bindings[ActionPause].secondary, 19) << "the first PAUSE line is read twice";
    EXPECT_EQ(next.Sensitivity(), 100);
    EXPECT_FLOAT_EQ(next.mouseFactor, 1.25f);

    WriteFile("Controls.dat", "SENSITIVITY\t= 7\n");
    next.LoadOrSaveControls();
    EXPECT_EQ(next.Sensitivity(), 50);

    // A mouse factor off the sensitivity scale is brought onto it.
    const struct
    {
        const char* text;
        float factor;
    } kFactors[] = {{"3e38", 12.75f}, {"-2", 0.25f}, {"0", 0.25f}, {"12.75", 12.75f}};
    for (const auto& c : kFactors)
    {
        WriteFile("Controls.dat", std::string("MOUSESENSI\t= ") + c.text + "\n");
        next.LoadOrSaveControls();
        EXPECT_EQ(next.mouseFactor, c.factor) << c.text;
    }
}

TEST_F(InputTest, SavingControlsReplacesTheFileWholeOrNotAtAll)
{
    input.InitControls();
    input.SetBinding(ActionFire, true, 'f');
    input.SetSensitivity(99);
    ASSERT_TRUE(input.SaveControls());
    std::string saved = ReadFile("Controls.dat");
    EXPECT_NE(saved.find("FIRE_PRIMARY\t= 102\n"), std::string::npos);
    EXPECT_NE(saved.find("SENSITIVITY\t= 99\n"), std::string::npos);
    EXPECT_EQ(saved.size(), std::string(kDefaultControls).size());

    // The disk is full: the save fails, the old file stays whole and nothing is left beside it.
    input.SetBinding(ActionFire, true, 'g');
    {
        cavtest::FileSizeLimit full(16);
        EXPECT_FALSE(input.SaveControls());
    }
    EXPECT_EQ(ReadFile("Controls.dat"), saved);
    EXPECT_EQ(cavtest::FilesUnder("."), std::vector<std::string>{"Controls.dat"});
}

TEST_F(InputTest, TextEntryStoresPrintableCharactersUpperCased)
{
    char name[6] = "_____";
    ASSERT_TRUE(input.StartTextEntry(name, sizeof name, 5));
    EXPECT_EQ(backend.unicodeCalls, (std::vector<bool>{true}));
    input.OnTextInput(0); // no character: not a press
    input.OnTextInput(0x10000);
    for (unsigned int c : {unsigned('a'), unsigned('b'), unsigned('1'), 0xE9u})
        input.OnTextInput(c);
    EXPECT_TRUE(input.TextEntryActive());
    EXPECT_EQ(input.TextLength(), 4);
    input.OnTextInput('!');
    EXPECT_FALSE(input.TextEntryActive());
    EXPECT_EQ(backend.unicodeCalls, (std::vector<bool>{true, false}));
    EXPECT_STREQ(name, "AB1_!");
    input.OnTextInput('z');
    EXPECT_STREQ(name, "AB1_!");

    // Control keys and blanks use up their place but leave it as it was.
    char typed[6] = "_____";
    input.StartTextEntry(typed, sizeof typed);
    for (unsigned int c : {13u, 8u, 32u, 27u, 9u})
        input.OnTextInput(c);
    EXPECT_STREQ(typed, "_____");
    input.StartTextEntry(typed, sizeof typed);
    for (unsigned int c : {unsigned('~'), unsigned('x'), 127u, unsigned('@'), unsigned('{')})
        input.OnTextInput(c);
    EXPECT_STREQ(typed, "~X_@{");
}

TEST_F(InputTest, TextEntryAlwaysEndsInNulInsideItsBuffer)
{
    EXPECT_STREQ(input.TextBuffer(), "");
    char small[3];
    std::memset(small, 'Q', sizeof small);
    ASSERT_TRUE(input.StartTextEntry(small, sizeof small, 5));
    EXPECT_EQ(input.TextMaxLength(), 2);
    EXPECT_EQ(small[2], '\0');
    input.OnTextInput('a');
    input.OnTextInput('b');
    EXPECT_FALSE(input.TextEntryActive());
    EXPECT_STREQ(small, "AB");

    char none[1] = {'Q'};
    EXPECT_FALSE(input.StartTextEntry(none, sizeof none));
    EXPECT_FALSE(input.TextEntryActive());
    EXPECT_EQ(none[0], 'Q');
}

TEST_F(InputTest, JoystickSearchLogsEachJoystick)
{
    cavtest::LogCapture log;
    EXPECT_FALSE(InitJoysticks());
    EXPECT_EQ(log.Text(), "\n[Searching for Joystick]\nNo joysticks found...\n");

    backend.joysticksOpenable = {false, true};
    EXPECT_TRUE(InitJoysticks());
    EXPECT_EQ(log.Text(), "\n[Searching for Joystick]\nNo joysticks found...\n"
                          "\n[Searching for Joystick]\n"
                          "Joystick 0 could not be opened!\n"
                          "Joystick 1 found and intialized.\n"
                          "Complete...\n\n");
    EXPECT_EQ(backend.openedJoysticks, (std::vector<int>{1}));

    backend.joysticksOpenable = {false};
    EXPECT_FALSE(InitJoysticks());
}

} // namespace
