// Front end: the title screen's menu pages and the helpers its steps share with tests. The
// Engine's EnterFrontEnd, UpdateFrontEnd, DrawFrontEnd and DrawInfoPages run the screen;
// the page numbers are also those of the pause menu.
#pragma once

#include <string>
#include <vector>

class Engine;

namespace menu_page
{
enum : int
{
    Main = 0,
    Controls = 1,
    KeyCapture = 2,
    PadCapture = 3,
    Password = 4,
    Invalid = 5,
    StageFound = 6,
    Options = 7, // behind the access code
};
} // namespace menu_page

// Typed on the password page (any letter case), it opens the options page.
constexpr char kAccessCode[] = "GLYPH";
constexpr int kPasswordLength = 5;

// (sensitivity - 49) x 0.25: 0.25 at 50, 12.5 at 99.
float MouseFactorFor(int sensitivity);

// The current pack's password list; null when the pack index names no list.
const std::vector<std::string>* CurrentPasswords(const Engine& e);

// `stage` kept within 1 and the current pack's stage count.
int ClampStage(const Engine& e, int stage);

// The information page shown behind the menu while the menu timer is at m, with the times
// its fade-in starts and its fade-out ends.
enum class InfoPage
{
    None,
    HighScores,
    Points1,
    Points2,
    ShieldHint,
    LandingHint,
    ReactorHint,
    CreditsRoll,
};
struct InfoWindow
{
    InfoPage page;
    float start;
    float end;
};
InfoWindow InfoPageAt(float m);
