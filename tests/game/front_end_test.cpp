// The title screen's steps, headless: the intro, the menu pages, passwords and the access
// code, binding capture, sensitivity, the information-page cycle and the map-pack choice.
#include "game/front_end.h"

#include "engine/input.h"
#include "support/headless_game.h"

#include <gtest/gtest.h>

namespace
{

using namespace input_code;

class FrontEndTest : public cavtest::HeadlessGameTest
{
protected:
    void SetUp() override
    {
        HeadlessGameTest::SetUp();
        AddPack("ALPHA", {"AAAAA", "BBBBB", "CCCCC"});
        AddPack("BETA", {"DDDDD"});
    }

    // From the main page, item 2 opens password entry; then the text is typed.
    void EnterPassword(const std::string& text)
    {
        EnterMenu();
        engine->menu.menuItem = 2;
        Tap(KeyZ);
        ASSERT_EQ(engine->menu.menuPage, menu_page::Password);
        Type(text);
    }
};

TEST_F(FrontEndTest, IntroLastsThreeSecondsAndHeldSelectSpeedsItUp)
{
    struct Case
    {
        bool holdSelect;
        int stepsToMenu;
    };
    // 0.01 a step; with select held from the second step, 0.08 a step.
    const Case cases[] = {{false, 301}, {true, 39}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.holdSelect);
        engine->EnterFrontEnd();
        if (c.holdSelect)
            Hold(KeyZ);
        int steps = 0;
        while (engine->stateTimer <= 3.0f && steps < 1000)
        {
            Steps();
            ++steps;
        }
        Release(KeyZ);
        Steps();
        EXPECT_NEAR(steps, c.stepsToMenu, 1);
        // Nothing was selected during the intro.
        EXPECT_EQ(engine->gameState, FrontEnd);
        EXPECT_EQ(engine->menu.menuPage, menu_page::Main);
    }
}

TEST_F(FrontEndTest, MenuIgnoresInputDuringTheIntro)
{
    engine->EnterFrontEnd();
    Tap(ArrowDown);
    Tap(KeyZ);
    EXPECT_EQ(engine->menu.menuItem, 0);
    EXPECT_EQ(engine->gameState, FrontEnd);
}

TEST_F(FrontEndTest, PasswordPageOutcomes)
{
    struct Case
    {
        const char* typed;
        int page;
        int stage;
    };
    const Case cases[] = {
        {"glyph", menu_page::Options, 1},    {"GLYPH", menu_page::Options, 1},
        {"GlYpH", menu_page::Options, 1},    {"bbbbb", menu_page::StageFound, 2},
        {"CCCCC", menu_page::StageFound, 3}, {"DDDDD", menu_page::Invalid, -1}, // other pack
        {"ZZZZZ", menu_page::Invalid, -1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.typed);
        engine->progress.stage = 2;
        EnterPassword(c.typed);
        EXPECT_EQ(engine->menu.menuPage, c.page);
        if (c.stage > 0)
        {
            EXPECT_EQ(engine->progress.stage, c.stage);
        }
    }
    // The invalid page shows what was typed; select goes back to the main page.
    EXPECT_STREQ(engine->level.password, "ZZZZZ");
    Tap(KeyZ);
    EXPECT_EQ(engine->menu.menuPage, menu_page::Main);
    EXPECT_EQ(engine->menu.menuItem, 0);
}

TEST_F(FrontEndTest, CaptureBindsFiveActionsThenReturnsToBack)
{
    struct Case
    {
        int item; // on the controls page
        int page;
        int slots[5];
    };
    const Case cases[] = {
        {0, menu_page::KeyCapture, {0, 1, 4, 5, 6}},
        {1, menu_page::PadCapture, {8, 9, 12, 13, 14}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.page);
        EnterMenu();
        engine->menu.menuPage = menu_page::Controls;
        engine->menu.menuItem = c.item;
        Tap(KeyZ);
        ASSERT_EQ(engine->menu.menuPage, c.page);
        for (int i = 0; i < 5; ++i)
        {
            EXPECT_EQ(engine->input.captureIndex, c.slots[i]);
            Tap(JoyButton0 + 10 + i);
        }
        EXPECT_EQ(engine->menu.menuPage, menu_page::Controls);
        EXPECT_EQ(engine->menu.menuItem, 3);
        EXPECT_FALSE(engine->input.captureActive);
        for (int i = 0; i < 5; ++i)
        {
            const Binding& b = engine->input.bindings[c.slots[i] % 8];
            EXPECT_EQ(c.slots[i] < 8 ? b.primary : b.secondary, JoyButton0 + 10 + i);
        }
    }
}

TEST_F(FrontEndTest, SensitivityStaysWithinLimits)
{
    struct Case
    {
        int key;
        int sensitivity;
        float factor;
    };
    const Case cases[] = {{ArrowLeft, 50, 0.25f}, {ArrowRight, 99, 12.5f}};
    for (const Case& c : cases)
    {
        EnterMenu();
        engine->menu.menuPage = menu_page::Controls;
        engine->menu.menuItem = 2;
        Hold(c.key);
        Steps(300); // one change every third step: more than enough for either end
        Release(c.key);
        Steps();
        EXPECT_EQ(engine->input.Sensitivity(), c.sensitivity);
        EXPECT_FLOAT_EQ(engine->input.mouseFactor, c.factor);
    }
}

TEST_F(FrontEndTest, MenuTimerCyclesThroughTheInformationPages)
{
    struct Case
    {
        float m;
        InfoPage page;
    };
    const Case cases[] = {
        {3.5f, InfoPage::None},         {5.0f, InfoPage::HighScores},
        {8.5f, InfoPage::None},         {10.0f, InfoPage::Points1},
        {15.0f, InfoPage::Points2},     {20.0f, InfoPage::ShieldHint},
        {25.0f, InfoPage::LandingHint}, {30.0f, InfoPage::ReactorHint},
        {33.5f, InfoPage::None},        {40.0f, InfoPage::CreditsRoll},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InfoPageAt(c.m).page, c.page) << c.m;
    EXPECT_EQ(InfoPageAt(40.0f).start, 33.0f); // the roll fades in early

    EnterMenu();
    engine->stateTimer = 43.995f;
    Steps();
    EXPECT_NEAR(engine->stateTimer, 4.0f, 1e-4);
}

TEST_F(FrontEndTest, PackChoiceWrapsBothWays)
{
    EnterMenu();
    Tap(ArrowLeft);
    EXPECT_EQ(engine->packs.currentPack, 1);
    Tap(ArrowRight);
    Tap(ArrowRight);
    EXPECT_EQ(engine->packs.currentPack, 1);
}

TEST_F(FrontEndTest, StagePickerIsClampedToThePackAfterAPackChange)
{
    EnterPassword("GLYPH");
    engine->menu.menuItem = 3;
    engine->input[ButtonRight].value = ButtonState::Held; // held, not newly pressed
    Steps(30);
    EXPECT_EQ(engine->progress.stage, 3); // the three-stage pack's last
    engine->input[ButtonRight].value = ButtonState::Up;
    Tap(ArrowRight); // to the one-stage pack
    EXPECT_EQ(engine->packs.currentPack, 1);
    EXPECT_EQ(engine->progress.stage, 1);
    // The picked stage is looked up through that pack's own password list.
    Tap(KeyZ);
    EXPECT_EQ(engine->menu.menuPage, menu_page::StageFound);
    EXPECT_STREQ(engine->level.title, "BETA 1");
}

TEST_F(FrontEndTest, FoundStageStartsInThePackItWasFoundIn)
{
    EnterPassword("CCCCC");
    ASSERT_EQ(engine->menu.menuPage, menu_page::StageFound);
    Tap(ArrowRight); // to the one-stage pack
    EXPECT_EQ(engine->packs.currentPack, 1);
    Tap(KeyZ);
    EXPECT_EQ(engine->packs.currentPack, 0);
    EXPECT_EQ(engine->progress.stage, 3);
    EXPECT_EQ(engine->progress.lives, 3);
    EXPECT_EQ(engine->gameState, Playing);
}

} // namespace
