// The information pages that cycle behind the title menu: the high-score table, two points
// tables, three hints and the credits roll, each fading in and out in its own window of the
// menu timer.
#include "engine/geometry.h"
#include "engine/gl_state.h"
#include "engine/vertex_sink.h"
#include "game/credits_text.h"
#include "game/engine.h"
#include "game/front_end.h"
#include "game/high_scores.h"
#include "game/screen_draw.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

namespace
{

const InfoWindow kWindows[] = {
    {InfoPage::HighScores, 4.0f, 8.0f},    {InfoPage::Points1, 9.0f, 13.0f},
    {InfoPage::Points2, 14.0f, 18.0f},     {InfoPage::ShieldHint, 19.0f, 23.0f},
    {InfoPage::LandingHint, 24.0f, 28.0f}, {InfoPage::ReactorHint, 29.0f, 33.0f},
    {InfoPage::CreditsRoll, 34.0f, 44.0f},
};

// The credits roll starts fading in a second before its window opens.
constexpr float kCreditsFadeStart = 33.0f;

struct PointsRow
{
    int slot;
    float modelY;
    const char* label;
    const char* value;
};

const PointsRow kPoints1[] = {
    {model::Fuel, 215.0f, "FUELD POD", "15 PTS"},
    {model::BlueTurret, 260.0f, "BLUE TURRET", "20 PTS"},
    {model::RedTurret, 305.0f, "RED TURRET", "25 PTS"},
    {model::BlueTank, 350.0f, "TANK", "30 PTS"},
};
const PointsRow kPoints2[] = {
    {model::SpaceMan01, 215.0f, "SPACEMAN", "50 PTS"},
    {model::DepthCharge, 250.0f, "DEPTH CHARGE", "10 PTS"},
    {model::Seeker, 295.0f, "SEEKER", "50 PTS"},
    {model::Generator, 350.0f, "REACTOR", "150 PTS"},
};
const float kPointsLabelY[] = {190.0f, 235.0f, 280.0f, 325.0f};

// The band of the window the scrolling pages show through, in window pixels.
void ScissorBand(const Engine& e)
{
    const float tenth = static_cast<float>(e.settings.height) / 10.0f;
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, static_cast<int>(2.5f * tenth), 2 * e.settings.width,
              static_cast<int>(3.8f * tenth));
}

void Model(Engine& e, int slot, float x, float y, float angle = 0.0f)
{
    screen::DrawModelAt(e.res.lineModels[slot], e.res.beamTexture, x, y, angle);
}

void Text(Engine& e, const char* text, float x, float y)
{
    e.res.font.DrawText(text, x, y);
}

void DrawHighScores(Engine& e, float m, float t, float alpha)
{
    float y0 = 60.5f * Lerp(m, m - 0.01f, t);
    if (m >= 6.5f)
        y0 = 393.25f;
    ScissorBand(e);
    screen::TextStyle(e.res.font, 0.75f, 1, 1.0f, 1.0f, 1.0f, alpha);
    Text(e, "GREATEST ALL TIME PILOTS", 320.0f, 600.0f - y0);
    e.res.font.SetAlign(0);
    for (int i = 0; i < kScoreRows; ++i)
    {
        const float y = 640.0f + 20.0f * static_cast<float>(i) - y0;
        Text(e, kPlaceLabels[i], 150.0f, y);
        Text(e, e.hiscores.scoreNames[i], 250.0f, y);
    }
    screen::TextStyle(e.res.font2, 0.75f, 2, 1.0f, 1.0f, 1.0f, alpha);
    e.res.font2.SetFixedWidth();
    for (int i = 0; i < kScoreRows; ++i)
    {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%.8i", e.hiscores.scores[i]);
        Text(e, digits, 500.0f, 640.0f + 20.0f * static_cast<float>(i) - y0);
    }
    e.res.font2.ClearFixedWidth();
    glDisable(GL_SCISSOR_TEST);
}

void DrawPoints(Engine& e, const PointsRow (&rows)[4], float alpha)
{
    for (const PointsRow& row : rows)
        Model(e, row.slot, 150.0f, row.modelY);
    screen::TextStyle(e.res.font, 0.5f, 0, 1.0f, 1.0f, 1.0f, alpha);
    for (int i = 0; i < 4; ++i)
    {
        Text(e, rows[i].label, 220.0f, kPointsLabelY[i]);
        Text(e, rows[i].value, 420.0f, kPointsLabelY[i]);
    }
}

void DrawShieldHint(Engine& e, float m, float t, float alpha)
{
    const float j = -600.0f * Lerp(m, m - 0.01f, t);
    Model(e, model::Player, 320.0f, 260.0f);
    Model(e, model::Shield, 320.0f, 260.0f, j);
    Model(e, model::Shield, 320.0f, 260.0f, 0.75f * j);
    Model(e, model::Shield, 320.0f, 260.0f, 0.5f * j);
    const float s = m < 21.0f ? InterpolateOverTime(0.0f, 0.85f, 19.0f, 2.0f, m)
                              : InterpolateOverTime(0.85f, 0.0f, 21.0f, 2.0f, m);
    Model(e, model::Bullet, 500.0f - 180.0f * s, 310.0f - 50.0f * s, 10.0f * j);
    Model(e, model::Bullet, 100.0f + 220.0f * s, 350.0f - 90.0f * s, 10.0f * j);
    Model(e, model::Fuel, 320.0f, 350.0f);
    screen::TextStyle(e.res.font, 0.5f, 1, 1.0f, 1.0f, 1.0f, alpha);
    Text(e, "USE SHIELD TO DEFLECT ENEMY FIRE", 320.0f, 170.0f);
    Text(e, "SCORE BONUS POINTS BY DSTROYING ENEMIES THIS WAY", 320.0f, 190.0f);
    Text(e, "ALSO USE SHIELD NEAR FUELDPODS TO REFUEL", 320.0f, 350.0f);
}

void DrawLandingHint(Engine& e, float m, float alpha)
{
    Beam floor;
    floor.CopyFrom(Segment(200.0f, 340.0f, 440.0f, 340.0f));
    floor.startRed = floor.endRed = 0.2f;
    floor.startGreen = floor.endGreen = 0.6f;
    floor.startBlue = floor.endBlue = 1.0f;
    LineModel ground;
    ground.beams.push_back(floor);
    screen::DrawModelAt(ground, e.res.beamTexture, 0.0f, 0.0f);

    Model(e, model::Player, 320.0f,
          260.0f + 70.0f * InterpolateOverTime(0.0f, 1.0f, 24.0f, 2.0f, m));
    const bool odd = static_cast<int>(std::floor(m * 10.0f)) % 2 != 0;
    if (m < 26.0f)
    {
        // Waving for the ship to come down.
        Model(e, odd ? model::SpaceMan01Mirrored : model::SpaceMan01, 400.0f, 337.0f);
    }
    else
    {
        // Then walking over to it, stopping beside it.
        float x = 400.0f - 30.0f * (m - 26.0f);
        if (x < 345.0f)
            x = 345.0f;
        Model(e, odd ? model::SpaceMan04 : model::SpaceMan03, x, 337.0f);
    }
    screen::TextStyle(e.res.font, 0.5f, 1, 1.0f, 1.0f, 1.0f, alpha);
    Text(e, "RESCUE SPACEMEN BY LANDING ON SAME SURFACE", 320.0f, 170.0f);
    Text(e, "LAND SLOWLY!", 320.0f, 350.0f);
}

void DrawReactorHint(Engine& e, float alpha)
{
    Model(e, model::Generator, 320.0f, 340.0f);
    screen::TextStyle(e.res.font, 0.5f, 1, 1.0f, 1.0f, 1.0f, alpha);
    Text(e, "DESTROY ALL REACTORS TO CLEAR SECTOR", 320.0f, 170.0f);
    Text(e, "REACTORS HAVE RECHARGING SHIELDS", 320.0f, 190.0f);
    Text(e, "SO A BARRAGE OF LASER FIRE IS", 320.0f, 210.0f);
    Text(e, "REQUIRED TO DESTROY THEM", 320.0f, 230.0f);
    Text(e, "WARNING: REACTORS WILL BE HEAVILY GAURDED", 320.0f, 350.0f);
}

void DrawCreditsRoll(Engine& e, float m, float t, float alpha)
{
    const float y0 = 60.5f * (Lerp(m, m - 0.01f, t) - 30.0f);
    ScissorBand(e);
    screen::TextStyle(e.res.font, 0.75f, 1, 1.0f, 1.0f, 1.0f, alpha);
    Text(e, credits::kCodingTitle, 320.0f, 600.0f - y0);
    Text(e, credits::kAuthor, 320.0f, 620.0f - y0);
    Text(e, credits::kTestersTitle, 320.0f, 660.0f - y0);
    for (std::size_t i = 0; i < credits::kTesterCount; ++i)
        Text(e, credits::kTesters[i], 320.0f, 690.0f + 20.0f * static_cast<float>(i) - y0);
    Text(e, credits::kForgot, 320.0f, 1130.0f - y0);
    glDisable(GL_SCISSOR_TEST);
}

} // namespace

InfoWindow InfoPageAt(float m)
{
    for (const InfoWindow& window : kWindows)
    {
        if (m > window.start && m < window.end)
        {
            InfoWindow shown = window;
            if (window.page == InfoPage::CreditsRoll)
                shown.start = kCreditsFadeStart;
            return shown;
        }
    }
    return {InfoPage::None, 0.0f, 0.0f};
}

void Engine::DrawInfoPages(float t)
{
    const float m = stateTimer;
    if (m <= 3.0f)
        return;
    const InfoWindow window = InfoPageAt(m);
    const float fadeIn = InterpolateOverTime(0.0f, 1.0f, window.start, 0.5f, m);
    const float fadeOut = InterpolateOverTime(1.0f, 0.0f, window.end - 0.5f, 0.5f, m);
    const float alpha = fadeIn < fadeOut ? fadeIn : fadeOut;
    switch (window.page)
    {
    case InfoPage::HighScores:
        DrawHighScores(*this, m, t, alpha);
        break;
    case InfoPage::Points1:
        DrawPoints(*this, kPoints1, alpha);
        break;
    case InfoPage::Points2:
        DrawPoints(*this, kPoints2, alpha);
        break;
    case InfoPage::ShieldHint:
        DrawShieldHint(*this, m, t, alpha);
        break;
    case InfoPage::LandingHint:
        DrawLandingHint(*this, m, alpha);
        break;
    case InfoPage::ReactorHint:
        DrawReactorHint(*this, alpha);
        break;
    case InfoPage::CreditsRoll:
        DrawCreditsRoll(*this, m, t, alpha);
        break;
    case InfoPage::None:
        break;
    }
    Model(*this, model::Pebbleware, 50.0f, 450.0f);
    Model(*this, model::Pebbleware, 590.0f, 450.0f);
}
