// The title screen: the zooming title, the menu pages, the information pages behind them
// and the scroller. The menu reacts only once the three-second intro is over.
#include "game/front_end.h"

#include "engine/geometry.h"
#include "engine/gl_state.h"
#include "game/credits_text.h"
#include "game/engine.h"
#include "game/screen_draw.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <strings.h>

namespace
{

constexpr float kIntroEnd = 3.0f;
constexpr float kCycleStart = 4.0f;
constexpr float kCycleEnd = 44.0f;
constexpr float kIntroSkipBoost = 0.07f;

const char* const kCaptureLabels[5] = {"LEFT", "RIGHT", "NITRO", "SHIELD", "LASER"};

bool IsPressed(const Engine& e, InputButton b)
{
    return e.input[b].value == ButtonState::Pressed;
}
bool IsHeld(const Engine& e, InputButton b)
{
    return e.input[b].value == ButtonState::Held;
}
bool IsReleased(const Engine& e, InputButton b)
{
    return e.input[b].value == ButtonState::Released;
}

// The last item of a page whose items wrap around; -1 for pages without a list.
int LastItem(int page)
{
    if (page == menu_page::Main)
        return 2;
    if (page == menu_page::Controls || page == menu_page::Options)
        return 3;
    return -1;
}

void MoveItem(Engine& e, int by)
{
    const int last = LastItem(e.menu.menuPage);
    if (last < 0)
        return;
    e.menu.menuItem += by;
    if (e.menu.menuItem < 0)
        e.menu.menuItem = last;
    else if (e.menu.menuItem > last)
        e.menu.menuItem = 0;
}

void StartPasswordEntry(Engine& e)
{
    std::memcpy(e.level.password, "_____", sizeof e.level.password);
    e.input.StartTextEntry(e.level.password, sizeof e.level.password, kPasswordLength);
}

// After each captured binding the next slot is asked for; after the fifth the controls
// page comes back with "<BACK>" selected.
void AdvanceCapture(Engine& e)
{
    e.res.samples[sfx::UI].Play();
    const int oldItem = e.menu.menuItem;
    ++e.menu.menuItem;
    e.input.captureIndex = e.input.captureIndex == 1 ? 4 : e.input.captureIndex + 1;
    if (e.input.captureIndex == 10)
        e.input.captureIndex = 12;
    e.input.captureActive = true;
    if (oldItem == 4)
    {
        e.menu.menuPage = menu_page::Controls;
        e.menu.menuItem = 3;
        e.input.captureActive = false;
    }
}

void CheckPassword(Engine& e)
{
    if (strncasecmp(e.level.password, kAccessCode, kPasswordLength) == 0)
    {
        e.menu.menuPage = menu_page::Options;
        e.menu.menuItem = 0;
        e.progress.stage = 1;
        return;
    }
    if (e.FindStageByPassword())
    {
        e.menu.menuPage = menu_page::StageFound;
        e.menu.passwordPack = e.packs.currentPack;
    }
    else
    {
        e.menu.menuPage = menu_page::Invalid;
    }
}

void SelectOnMain(Engine& e)
{
    e.res.samples[sfx::UI].Play();
    switch (e.menu.menuItem)
    {
    case 0:
        e.res.streams[music::Splash].Stop();
        e.NewGame();
        break;
    case 1:
        e.menu.menuPage = menu_page::Controls;
        e.menu.menuItem = 0;
        break;
    case 2:
        e.menu.menuPage = menu_page::Password;
        e.menu.menuItem = 0;
        StartPasswordEntry(e);
        break;
    default:
        break;
    }
}

void SelectOnControls(Engine& e)
{
    e.res.samples[sfx::UI].Play();
    switch (e.menu.menuItem)
    {
    case 0:
        e.menu.menuPage = menu_page::KeyCapture;
        e.menu.menuItem = 0;
        e.input.StartCapture(0, true);
        break;
    case 1:
        e.menu.menuPage = menu_page::PadCapture;
        e.menu.menuItem = 0;
        e.input.StartCapture(8, false);
        break;
    case 3:
        e.menu.menuPage = menu_page::Main;
        e.menu.menuItem = 0;
        e.input.SaveControls();
        break;
    default:
        break;
    }
}

void SelectOnOptions(Engine& e)
{
    e.res.samples[sfx::UI].Play();
    switch (e.menu.menuItem)
    {
    case 0:
        e.menu.infiniteFuel = !e.menu.infiniteFuel;
        break;
    case 1:
        e.menu.invincible = !e.menu.invincible;
        break;
    case 2:
        e.menu.infiniteTime = !e.menu.infiniteTime;
        break;
    case 3:
    {
        // The picker is kept within the pack, but a list shorter than its roster must not
        // be read past either.
        const std::vector<std::string>* list = CurrentPasswords(e);
        if (list == nullptr || e.progress.stage < 1 ||
            static_cast<std::size_t>(e.progress.stage) > list->size())
            break;
        std::memset(e.level.password, 0, sizeof e.level.password);
        std::strncpy(e.level.password, (*list)[e.progress.stage - 1].c_str(), kPasswordLength);
        if (e.FindStageByPassword())
        {
            e.menu.menuPage = menu_page::StageFound;
            e.menu.passwordPack = e.packs.currentPack;
        }
        break;
    }
    default:
        break;
    }
}

void StartFoundStage(Engine& e)
{
    // The stage was found in this pack; the pack may have been changed since.
    if (e.menu.passwordPack >= 0 &&
        static_cast<std::size_t>(e.menu.passwordPack) < e.packs.rosters.size())
        e.packs.currentPack = e.menu.passwordPack;
    e.progress.lives = 3;
    e.progress.score = 0;
    e.progress.nextExtraLife = 10000;
    e.res.streams[music::Splash].Stop();
    e.ship.respawnX = 0.0f;
    e.ship.respawnY = 0.0f;
    e.StartStage();
}

void Select(Engine& e)
{
    switch (e.menu.menuPage)
    {
    case menu_page::Main:
        SelectOnMain(e);
        break;
    case menu_page::Controls:
        SelectOnControls(e);
        break;
    case menu_page::Invalid:
        e.menu.menuPage = menu_page::Main;
        e.menu.menuItem = 0;
        break;
    case menu_page::StageFound:
        StartFoundStage(e);
        break;
    case menu_page::Options:
        SelectOnOptions(e);
        break;
    default:
        break;
    }
}

void ChangePack(Engine& e, int by)
{
    const int count = static_cast<int>(e.packs.packNames.size());
    if (count == 0)
        return;
    e.res.samples[sfx::UI].Play();
    e.packs.currentPack = ((e.packs.currentPack + by) % count + count) % count;
    // A stage found by password keeps its own pack; every other page's stage follows.
    if (e.menu.menuPage != menu_page::StageFound)
        e.progress.stage = ClampStage(e, e.progress.stage);
}

// Held inputs act every third step only, so values change at a readable pace.
void AdjustHeld(Engine& e)
{
    const bool grabbed = e.input.Grabbed();
    const bool left = IsHeld(e, ButtonLeft);
    const bool right = IsHeld(e, ButtonRight);
    if (e.menu.menuPage == menu_page::Controls && e.menu.menuItem == 2)
    {
        int sensitivity = e.input.Sensitivity();
        if ((left || (grabbed && IsHeld(e, ButtonMouse1))) && sensitivity > 50)
            --sensitivity;
        else if ((right || (grabbed && IsHeld(e, ButtonMouse23))) && sensitivity < 99)
            ++sensitivity;
        else
            return;
        e.input.SetSensitivity(sensitivity);
        e.input.mouseFactor = MouseFactorFor(sensitivity);
    }
    else if (e.menu.menuPage == menu_page::Options && e.menu.menuItem == 3)
    {
        if (left || (grabbed && e.mouseDx < 0))
            e.progress.stage = ClampStage(e, e.progress.stage - 1);
        else if (right || (grabbed && e.mouseDx > 0))
            e.progress.stage = ClampStage(e, e.progress.stage + 1);
    }
}

void MenuInput(Engine& e)
{
    if (IsPressed(e, ButtonSelect))
        Select(e);
    if (e.gameState != FrontEnd)
        return; // a game has started

    const bool grabbed = e.input.Grabbed();
    const float motion = static_cast<float>(e.mouseDy) * e.input.mouseFactor;
    if (IsPressed(e, ButtonUp) || IsPressed(e, ButtonMenuUp) ||
        (grabbed && (IsReleased(e, ButtonMouse4) || motion < -1.0f)))
    {
        e.res.samples[sfx::UI].Play();
        MoveItem(e, -1);
    }
    if (IsPressed(e, ButtonDown) || IsPressed(e, ButtonMenuDown) ||
        (grabbed && (IsReleased(e, ButtonMouse5) || motion > 1.0f)))
    {
        e.res.samples[sfx::UI].Play();
        MoveItem(e, 1);
    }

    if (IsPressed(e, ButtonLeft))
        ChangePack(e, -1);
    if (IsPressed(e, ButtonRight) || (grabbed && IsHeld(e, ButtonMouse23)))
        ChangePack(e, 1);

    if (e.totalSteps % 3 == 0)
        AdjustHeld(e);
}

} // namespace

float MouseFactorFor(int sensitivity)
{
    return static_cast<float>(sensitivity - 49) * 0.25f;
}

const std::vector<std::string>* CurrentPasswords(const Engine& e)
{
    if (e.packs.currentPack < 0 ||
        static_cast<std::size_t>(e.packs.currentPack) >= e.packs.passwords.size())
        return nullptr;
    return &e.packs.passwords[e.packs.currentPack];
}

int ClampStage(const Engine& e, int stage)
{
    int count = 0;
    if (e.packs.currentPack >= 0 &&
        static_cast<std::size_t>(e.packs.currentPack) < e.packs.rosters.size())
        count = static_cast<int>(e.packs.rosters[e.packs.currentPack].size());
    if (stage > count)
        stage = count;
    return stage < 1 ? 1 : stage;
}

void Engine::EnterFrontEnd()
{
    gameState = FrontEnd;
    stateTimer = 0.0f;
    menu.menuItem = 0;
    menu.menuPage = 0;
    menu.blinkTimer = 0.0f;
    menu.introSkip = false;
    progress.stage = 1;
}

void Engine::UpdateFrontEnd()
{
    if ((menu.menuPage == menu_page::KeyCapture || menu.menuPage == menu_page::PadCapture) &&
        !input.captureActive && input.anyKey)
        AdvanceCapture(*this);

    if (menu.menuPage == menu_page::Password && !input.TextEntryActive())
        CheckPassword(*this);

    if (stateTimer < kIntroEnd)
    {
        if (IsHeld(*this, ButtonSelect))
            menu.introSkip = true;
        if (menu.introSkip)
            stateTimer += kIntroSkipBoost;
    }

    if (stateTimer > kIntroEnd)
    {
        MenuInput(*this);
        if (gameState != FrontEnd)
            return;
    }

    stateTimer += 0.01f;
    if (stateTimer >= kCycleEnd)
        stateTimer = kCycleStart;
    menu.blinkTimer += 0.01f;
    if (menu.blinkTimer >= 1.0f)
        menu.blinkTimer = 0.0f;
}

namespace
{

std::string PackLabel(const Engine& e)
{
    std::string name;
    if (e.packs.currentPack >= 0 &&
        static_cast<std::size_t>(e.packs.currentPack) < e.packs.packNames.size())
        name = e.packs.packNames[e.packs.currentPack];
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
        name.pop_back();
    return "START GAME<" + name + ">";
}

struct MenuColours
{
    float alpha;
    float blink;
};

void Entry(Engine& e, const MenuColours& c, bool selected, const std::string& text, float y)
{
    if (selected)
        e.res.font.SetColor(1.0f, c.blink, 0.0f, c.alpha);
    else
        e.res.font.SetColor(0.5f, 0.05f, 0.0f, c.alpha);
    e.res.font.DrawText(text.c_str(), 320.0f, y);
}

void White(Engine& e, const MenuColours& c, const char* text, float x, float y)
{
    e.res.font.SetColor(1.0f, 1.0f, 1.0f, c.alpha);
    e.res.font.DrawText(text, x, y);
}

void Blinking(Engine& e, const MenuColours& c, const char* text, float x, float y)
{
    e.res.font.SetColor(1.0f, c.blink, 0.0f, c.alpha);
    e.res.font.DrawText(text, x, y);
}

void DrawMenuPage(Engine& e, const MenuColours& c)
{
    char line[64];
    const int item = e.menu.menuItem;
    switch (e.menu.menuPage)
    {
    case menu_page::Main:
        Entry(e, c, item == 0, PackLabel(e), 370.0f);
        Entry(e, c, item == 1, "CONTROLS", 400.0f);
        Entry(e, c, item == 2, "ENTER PASSWORD", 430.0f);
        break;
    case menu_page::Controls:
        Entry(e, c, item == 0, "KEYBOARD", 370.0f);
        Entry(e, c, item == 1, "GAMEPAD", 393.0f);
        std::snprintf(line, sizeof line, "GAMEPAD & MOUSE SENSITIVITY %i %%",
                      e.input.Sensitivity());
        Entry(e, c, item == 2, line, 416.0f);
        Entry(e, c, item == 3, "<BACK>", 439.0f);
        break;
    case menu_page::KeyCapture:
    case menu_page::PadCapture:
        White(e, c,
              e.menu.menuPage == menu_page::KeyCapture ? "PRESS KEY FOR:" : "PRESS BUTTON FOR:",
              320.0f, 370.0f);
        if (item >= 0 && item < 5)
            Blinking(e, c, kCaptureLabels[item], 320.0f, 430.0f);
        break;
    case menu_page::Password:
    {
        White(e, c, "ENTER PASSWORD", 320.0f, 370.0f);
        e.res.font.SetAlign(0);
        White(e, c,
              std::string(e.level.password, strnlen(e.level.password, sizeof e.level.password))
                  .c_str(),
              290.0f, 430.0f);
        const std::string typed(e.level.password, static_cast<std::size_t>(e.input.TextLength()));
        Blinking(e, c, "_", 290.0f + e.res.font.TextWidth(typed.c_str()), 430.0f);
        break;
    }
    case menu_page::Invalid:
        White(e, c, "INVALID ENTRY", 320.0f, 370.0f);
        e.res.font.SetAlign(0);
        Blinking(e, c,
                 std::string(e.level.password, strnlen(e.level.password, sizeof e.level.password))
                     .c_str(),
                 290.0f, 430.0f);
        break;
    case menu_page::StageFound:
        std::snprintf(line, sizeof line, "FOUND STAGE %i", e.progress.stage);
        White(e, c, line, 320.0f, 370.0f);
        White(e, c,
              std::string(e.level.title, strnlen(e.level.title, sizeof e.level.title)).c_str(),
              320.0f, 400.0f);
        Blinking(e, c, "PRESS FIRE TO PLAY", 320.0f, 430.0f);
        break;
    case menu_page::Options:
        Entry(e, c, item == 0, e.menu.infiniteFuel ? "INFINITE FUEL: YES" : "INFINITE FUEL: NO",
              370.0f);
        Entry(e, c, item == 1, e.menu.invincible ? "INVINCIBLE: YES" : "INVINCIBLE: NO", 393.0f);
        Entry(e, c, item == 2, e.menu.infiniteTime ? "INFINITE TIME: YES" : "INFINITE TIME: NO",
              416.0f);
        std::snprintf(line, sizeof line, "<STAGE %i>", e.progress.stage);
        Entry(e, c, item == 3, line, 439.0f);
        break;
    default:
        break;
    }
}

void DrawScroller(Engine& e, float m, float t)
{
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    screen::DrawQuad(0.0f, 0.0f, 640.0f, 25.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    screen::DrawQuad(0.0f, 460.0f, 640.0f, 480.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    screen::TextStyle(e.res.font, 0.5f, 0, 1.0f, 1.0f, 0.5f, 1.0f);
    e.res.font.SetWave(0.05f, 1.8f);
    const float x = 730.0f - (Lerp(m, m - 0.01f, t) - 5.0f) * 120.0f;
    e.res.font.DrawText(credits::kGreeting, x, 5.0f);
    e.res.font.SetColor(0.5f, 0.5f, 0.5f, 1.0f);
    e.res.font.DrawText(credits::kBottomLine, x, 460.0f);
    e.res.font.ClearWave();
}

// Both ends of the top band fade to black.
void ShadeTopBand()
{
    glDisable(GL_TEXTURE_2D);
    SetBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBegin(GL_QUADS);
    glColor4f(0.0f, 0.0f, 0.0f, 0.95f);
    glVertex2f(0.0f, 0.0f);
    glColor4f(0.0f, 0.0f, 0.0f, 0.0f);
    glVertex2f(320.0f, 0.0f);
    glVertex2f(320.0f, 25.0f);
    glColor4f(0.0f, 0.0f, 0.0f, 0.95f);
    glVertex2f(0.0f, 25.0f);

    glColor4f(0.0f, 0.0f, 0.0f, 0.0f);
    glVertex2f(320.0f, 0.0f);
    glColor4f(0.0f, 0.0f, 0.0f, 0.95f);
    glVertex2f(640.0f, 0.0f);
    glVertex2f(640.0f, 25.0f);
    glColor4f(0.0f, 0.0f, 0.0f, 0.0f);
    glVertex2f(320.0f, 25.0f);
    glEnd();
    glDisable(GL_BLEND);
}

} // namespace

void Engine::DrawFrontEnd(float t)
{
    const float m = stateTimer;
    DrawInfoPages(t);

    float angle = 0.0f;
    float zoom = 1.0f;
    if (m < kIntroEnd)
    {
        const float l = Lerp(m, m - 0.01f, t);
        angle = l * 90.0f + 90.0f;
        zoom = 7.0f - 2.0f * l;
    }
    screen::DrawModelAt(res.lineModels[model::Apocalypse], res.beamTexture, 320.0f, 110.0f, angle,
                        zoom);
    SetupProjection(640.0f, 480.0f);

    if (m > kIntroEnd)
    {
        screen::DrawQuad(0.0f, 370.0f, 640.0f, 460.0f, 0.0f, 0.0f, 0.0f, 0.15f);
        MenuColours colours{InterpolateOverTime(0.0f, 1.0f, 3.0f, 3.125f, m),
                            screen::BlinkLevel(menu.blinkTimer)};
        screen::TextStyle(res.font, 0.75f, 1, 1.0f, 1.0f, 1.0f, colours.alpha);
        DrawMenuPage(*this, colours);
        DrawScroller(*this, m, t);
    }
    ShadeTopBand();
}
