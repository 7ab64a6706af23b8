// What the states around play draw: the splash logo, the game-over title, the continue
// count-down, the new-high-score table with its name entry, and the ending with its roll.
#include "engine/geometry.h"
#include "engine/gl_state.h"
#include "engine/vertex_sink.h"
#include "game/credits_text.h"
#include "game/engine.h"
#include "game/high_scores.h"
#include "game/screen_draw.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

namespace
{

constexpr float kGameOverStart = 5.0f;

void FullScreen(float r, float g, float b, float a)
{
    screen::DrawQuad(0.0f, 0.0f, 640.0f, 480.0f, r, g, b, a);
}

} // namespace

void Engine::DrawSplash(float)
{
    const float time = stateTimer;
    screen::DrawModelAt(res.lineModels[model::Pebbleware], res.beamTexture, 320.0f, 320.0f);
    SetupProjection(640.0f, 480.0f);

    VertexSink& sink = CurrentVertexSink();
    sink.BindTexture2D(res.logoTexture);
    SetBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    sink.Color(1.0f, 1.0f, 1.0f, InterpolateOverTime(0.0f, 1.0f, 1.0f, 3.0f, time));
    sink.Begin(GL_QUADS);
    sink.TexCoord(0.0f, 0.0f);
    sink.Vertex(64.0f, 320.0f);
    sink.TexCoord(1.0f, 0.0f);
    sink.Vertex(576.0f, 320.0f);
    sink.TexCoord(1.0f, 1.0f);
    sink.Vertex(576.0f, 448.0f);
    sink.TexCoord(0.0f, 1.0f);
    sink.Vertex(64.0f, 448.0f);
    sink.End();
    glDisable(GL_TEXTURE_2D);

    if (time >= 6.0f)
        FullScreen(0.05f, 0.05f, 0.1f, InterpolateOverTime(0.0f, 1.0f, 6.0f, 1.0f, time));
}

void Engine::DrawGameOver(float)
{
    const float time = stateTimer;
    const float angle = time * 1000.0f > 2700.0f ? time * 1000.0f : 0.0f;
    const float zoom = InterpolateOverTime(0.0f, 1.0f, 0.0f, 2.5f, kGameOverStart - time);
    glPushMatrix();
    glTranslatef(310.0f, 240.0f, 0.0f);
    if (angle != 0.0f)
        glRotatef(angle, 0.0f, 0.0f, 1.0f);
    glScalef(zoom, zoom, 0.0f);
    screen::DrawModelAt(res.lineModels[model::GameOver], res.beamTexture, 0.0f, 0.0f);
    glPopMatrix();
    SetupProjection(640.0f, 480.0f);
    if (time <= 1.0f)
        FullScreen(0.0f, 0.0f, 0.0f, 1.0f - time);
}

void Engine::DrawContinue(float t)
{
    DrawParticles(t);
    screen::TextStyle(res.font, 1.0f, 1, 1.0f, 1.0f, 1.0f, 1.0f);
    res.font.DrawText("CONTINUE?", 320.0f, 200.0f);

    const int seconds = static_cast<int>(stateTimer);
    // Yellow just after each whole second, red half a second later.
    const float sinceBoundary = static_cast<float>(seconds + 1) - stateTimer;
    const float green = InterpolateOverTime(1.0f, 0.0f, 0.0f, 0.5f, sinceBoundary);
    char text[16];
    std::snprintf(text, sizeof text, "%i", seconds);
    screen::TextStyle(res.font, 2.0f, 1, 1.0f, green, 0.0f, 1.0f);
    res.font.DrawText(text, 320.0f, 250.0f);
}

void Engine::DrawNewHiscore(float t)
{
    DrawParticles(t);
    const bool typing = input.TextEntryActive();
    float alpha = 1.0f;
    if (!typing)
        alpha = stateTimer < 0.0f ? 0.0f : (stateTimer > 1.0f ? 1.0f : stateTimer);

    screen::TextStyle(res.font, 1.0f, 1, 1.0f, 1.0f, 1.0f, alpha);
    res.font.DrawText("NEW HISCORE!", 320.0f, 100.0f);
    res.font.SetAlign(0);
    for (int r = 0; r < kScoreRows; ++r)
    {
        const float y = 130.0f + 30.0f * static_cast<float>(r);
        res.font.DrawText(kPlaceLabels[r], 100.0f, y);
        res.font.DrawText(hiscores.scoreNames[r], 200.0f, y);
    }
    screen::TextStyle(res.font2, 1.0f, 2, 1.0f, 1.0f, 1.0f, alpha);
    res.font2.SetFixedWidth();
    for (int r = 0; r < kScoreRows; ++r)
    {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%.8i", hiscores.scores[r]);
        res.font2.DrawText(digits, 600.0f, 130.0f + 30.0f * static_cast<float>(r));
    }
    res.font2.ClearFixedWidth();

    const int typed = input.TextLength();
    if (typing && typed < static_cast<int>(kScoreNameLength))
    {
        const std::string letters(hiscores.scoreNames[hiscores.scoreEntryIndex],
                                  static_cast<std::size_t>(typed));
        screen::TextStyle(res.font, 1.0f, 0, 1.0f, screen::BlinkLevel(menu.blinkTimer), 0.0f, 1.0f);
        res.font.DrawText("_", 200.0f + res.font.TextWidth(letters.c_str()),
                          130.0f + 30.0f * static_cast<float>(hiscores.scoreEntryIndex));
    }
}

void Engine::DrawCredits(float t)
{
    const float time = Lerp(stateTimer, stateTimer - 0.01f, t);
    const float d = 10.0f * time;
    const float radians = d * 3.14159265f / 180.0f;
    glPushMatrix();
    glTranslatef(320.0f + 50.0f * std::cos(radians), 240.0f + 50.0f * std::sin(radians), 0.0f);
    glRotatef(d, 0.0f, 0.0f, -1.0f);
    DrawParticles(t);
    glPopMatrix();
    SetupProjection(640.0f, 480.0f);

    const float fade = stateTimer < 5.0f ? InterpolateOverTime(0.0f, 1.0f, 1.0f, 1.0f, stateTimer)
                                         : InterpolateOverTime(1.0f, 0.0f, 5.0f, 1.0f, stateTimer);
    screen::TextStyle(res.font, 1.0f, 1, 1.0f, 1.0f, 1.0f, fade);
    res.font.DrawText("CONGRATULATIONS", 320.0f, 200.0f);
    screen::TextStyle(res.font, 0.75f, 0, 1.0f, 1.0f, 1.0f, fade);
    res.font.DrawText("ALL SECTORS CLEARED AND", 150.0f, 240.0f);
    res.font.DrawText("PEACE HAS BEEN RESTORED", 150.0f, 260.0f);
    res.font.DrawText("TO THE UNIVERSE...", 150.0f, 280.0f);

    const float u = 21.5f * time;
    screen::TextStyle(res.font, 0.75f, 1, 1.0f, 1.0f, 1.0f, 1.0f);
    res.font.DrawText(credits::kCodingTitle, 320.0f, 700.0f - u);
    res.font.DrawText(credits::kAuthor, 320.0f, 720.0f - u);
    res.font.DrawText(credits::kTestersTitle, 320.0f, 760.0f - u);
    for (std::size_t i = 0; i < credits::kTesterCount; ++i)
        res.font.DrawText(credits::kTesters[i], 320.0f, 790.0f + 20.0f * static_cast<float>(i) - u);
    res.font.DrawText(credits::kForgot, 320.0f, 1230.0f - u);
    for (std::size_t i = 0; i < credits::kClosingCount; ++i)
        res.font.DrawText(credits::kClosing[i], 320.0f,
                          1390.0f + 20.0f * static_cast<float>(i) - u);
    res.font.DrawText(credits::kSignOff, 320.0f, 1570.0f - u);
    screen::DrawModelAt(res.lineModels[model::Pebbleware], res.beamTexture, 320.0f, 1700.0f - u);
}
