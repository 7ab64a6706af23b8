// The head-up display of the play screen, in screen coordinates: fades, the top bar, the
// stage introduction, the sector-exit screens, the reactor count-down and the pause menu.
#include "engine/gl_state.h"
#include "engine/vertex_sink.h"
#include "game/engine.h"
#include "game/playing.h"
#include "game/screen_draw.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

float Interp(float from, float to, float start, float duration, float now)
{
    return InterpolateOverTime(from, to, start, duration, now);
}

void Fade(float alpha)
{
    FillVirtualScreen(0.025f, 0.025f, 0.05f, alpha);
}

void Print(const Font& font, float x, float y, const char* format, int value)
{
    char line[64];
    std::snprintf(line, sizeof line, format, value);
    font.DrawText(line, x, y);
}

// A fixed-size field of the map that need not end in NUL.
template <std::size_t N>
void PrintField(const Font& font, float x, float y, const char (&field)[N])
{
    char line[N + 1];
    std::memcpy(line, field, N);
    line[N] = '\0';
    font.DrawText(line, x, y);
}

// The fade-in and fade-out of a caption over a timer that counts down to 0: out over its
// last second, in over the half second after `inFrom`.
float CaptionLevel(float timer, float inFrom)
{
    if (timer <= 1.0f)
        return Interp(1.0f, 0.0f, 0.0f, 1.0f, 1.0f - timer);
    return Interp(0.0f, 1.0f, 0.0f, 0.5f, inFrom - timer);
}

} // namespace

void Engine::DrawHud(float)
{
    VertexSink& sink = CurrentVertexSink();
    Font& label = res.font;
    Font& digits = res.font2;

    if (stateTimer >= 3.0f)
        Fade(Interp(1.0f, 0.0f, 0.0f, 0.5f, 3.5f - stateTimer));
    if (ship.leaving && ship.stepTimer <= 1.0f)
        Fade(Interp(0.0f, 1.0f, 0.0f, 1.0f, 1.0f - ship.stepTimer));
    if (ship.exploded && ship.explosionTimer <= 0.5f)
        Fade(Interp(0.0f, 1.0f, 0.0f, 0.5f, 0.5f - ship.explosionTimer));

    screen::DrawQuad(0.0f, 0.0f, 640.0f, 50.0f, 0.0f, 0.0f, 0.0f, 0.75f);
    sink.Color(1.0f, 1.0f, 1.0f, 1.0f);

    struct Icon
    {
        int slot;
        float x, y, scale;
    };
    static const Icon kIcons[] = {{model::Player, 20.0f, 25.0f, 0.75f},
                                  {model::Fuel, 400.0f, 30.0f, 0.75f},
                                  {model::SpaceMan01, 550.0f, 30.0f, 1.25f}};
    for (const Icon& icon : kIcons)
    {
        sink.BindTexture2D(res.beamTexture);
        SetBlendFunc(GL_SRC_COLOR, GL_ONE);
        sink.Translate(icon.x, icon.y);
        sink.Scale(icon.scale, icon.scale);
        sink.Begin(GL_QUADS);
        LineModel::Draw(res.lineModels[icon.slot], 20.0f);
        LineModel::Draw(res.lineModels[icon.slot], 20.0f);
        sink.End();
        sink.Projection(640.0f, 480.0f);
    }
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);

    label.SetScale(0.75f, 0.75f);
    label.SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    label.SetAlign(0);
    label.DrawText("SCORE", 150.0f, 10.0f);
    digits.SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    digits.SetScale(0.75f, 0.75f);
    digits.SetAlign(2);
    digits.SetFixedWidth();
    Print(digits, 60.0f, 10.0f, "%i", progress.lives);
    Print(digits, 330.0f, 10.0f, "%.6i", progress.score);
    Print(digits, 480.0f, 10.0f, "%i", static_cast<int>(ship.fuel));
    Print(digits, 620.0f, 10.0f, "%.2i", progress.rescued);
    digits.ClearFixedWidth();

    if (stateTimer >= 0.0f)
    {
        label.DisableShadow();
        const float g = CaptionLevel(stateTimer, 3.0f);
        label.SetColor(g, g, g, g);
        label.SetAlign(1);
        label.SetScale(0.75f, 0.75f);
        Print(label, 320.0f, 70.0f, "STAGE %i", progress.stage);
        label.SetScale(1.0f, 1.0f);
        PrintField(label, 320.0f, 95.0f, level.title);
        label.SetColor(g, 0.7f * g, 0.0f, g);
        label.SetScale(0.75f, 0.75f);
        label.DrawText("PASSWORD", 320.0f, 130.0f);
        PrintField(label, 320.0f, 150.0f, level.password);
    }

    if (ship.leaving)
        DrawSectorExit();

    const float s = progress.countdownSeconds;
    if (s > -1.0f)
    {
        if (s <= 0.0f && s > -0.25f)
        {
            // Random flashes over everything drawn so far as the reactor goes.
            const float r = 0.1f * static_cast<float>(std::rand() % 10);
            const float g = 0.1f * static_cast<float>(std::rand() % 10);
            const float b = 0.1f * static_cast<float>(std::rand() % 10);
            glClearColor(r, g, b, 0.0f);
            glClear(GL_COLOR_BUFFER_BIT);
        }
        label.DisableShadow();
        float level = s <= 0.0f ? Interp(1.0f, 0.0f, 0.0f, 0.5f, -s)
                                : Interp(0.0f, 1.0f, 0.0f, 0.5f,
                                         static_cast<float>(this->level.endTimer) - s);
        if (ship.leaving)
            level = Interp(level, 0.0f, 0.0f, 0.5f, 7.0f - ship.stepTimer);
        label.SetColor(level, 0.0f, 0.0f, level);
        label.SetAlign(1);
        label.SetScale(1.0f, 1.0f);
        label.DrawText("DANGER", 320.0f, 60.0f);
        label.SetScale(0.75f, 0.75f);
        label.DrawText("SECTOR DESTRUCTION IN", 320.0f, 90.0f);
        const float pulse = Interp(level, 0.0f, 0.0f, 0.5f,
                                   static_cast<float>(progress.lastCountdownSecond) + 1.0f - s);
        label.SetColor(level, pulse, 0.0f, level);
        label.SetScale(1.5f, 1.5f);
        Print(label, 320.0f, 110.0f, "%i", WholeSeconds(s));
    }

    if (paused)
        DrawPauseMenu();
}

void Engine::DrawSectorExit()
{
    Font& label = res.font;
    Font& digits = res.font2;
    const float timer = ship.stepTimer;
    const float g = CaptionLevel(timer, progress.countdownActive ? 7.0f : 3.0f);
    label.DisableShadow();
    label.SetAlign(1);
    label.SetScale(1.0f, 1.0f);
    label.SetColor(g, g, g, g);
    if (!progress.countdownActive)
    {
        label.DrawText("FAILED TO CLEAR SECTOR", 320.0f, 90.0f);
        label.SetColor(g, 0.0f, 0.0f, g);
        label.SetScale(0.75f, 0.75f);
        label.DrawText("RE-ENTRY IMMINENT", 320.0f, 130.0f);
        return;
    }

    const int rescuedPart = progress.rescued * 500;
    const int fuelPart = StageBonus(0, ship.fuel);
    const int rolledRescued =
        static_cast<int>(Interp(0.0f, static_cast<float>(rescuedPart), 0.0f, 2.0f, 6.0f - timer));
    const int rolledFuel =
        static_cast<int>(Interp(0.0f, static_cast<float>(fuelPart), 0.0f, 2.0f, 6.0f - timer));
    const int rolledTotal =
        static_cast<int>(Interp(0.0f, static_cast<float>(StageBonus(progress.rescued, ship.fuel)),
                                0.0f, 2.0f, 4.0f - timer));
    label.DrawText("SECTOR CLEARED", 320.0f, 90.0f);
    label.SetScale(0.75f, 0.75f);
    label.SetAlign(0);
    Print(label, 40.0f, 170.0f, "ASTRONAUGHTS RESCUED %i * 500 = ", progress.rescued);
    Print(label, 40.0f, 190.0f, "FUEL REMAINING %i * 10 = ", static_cast<int>(ship.fuel));
    label.DrawText("TOTAL SCORE BONUS:", 80.0f, 230.0f);
    digits.SetAlign(2);
    digits.SetFixedWidth();
    digits.SetScale(0.75f, 0.75f);
    digits.SetColor(1.0f, 1.0f, 1.0f, g);
    Print(digits, 600.0f, 170.0f, "%i", rolledRescued);
    Print(digits, 600.0f, 190.0f, "%i", rolledFuel);
    Print(digits, 560.0f, 230.0f, "%i", rolledTotal);
    digits.ClearFixedWidth();
}

void Engine::DrawPauseMenu()
{
    Font& label = res.font;
    screen::DrawQuad(0.0f, 340.0f, 640.0f, 460.0f, 0.0f, 0.0f, 0.0f, 0.15f);
    label.SetColor(1.0f, 1.0f, 1.0f, 1.0f);
    label.SetAlign(1);
    label.SetScale(1.0f, 1.0f);
    label.DrawText("PAUSED - ESC TO QUIT", 320.0f, 340.0f);

    const float m = menu.blinkTimer;
    const float blink =
        m <= 0.5f ? Interp(0.0f, 1.0f, 0.0f, 0.5f, m) : Interp(1.0f, 0.0f, 0.5f, 1.0f, m);
    label.SetScale(0.75f, 0.75f);
    const int page = menu.menuPage;
    if (page == 1)
    {
        char sensitivity[64];
        // The sensitivity is shown as a percentage: "80 %".
        std::snprintf(sensitivity, sizeof sensitivity, "GAMEPAD & MOUSE SENSITIVITY %i %%",
                      input.Sensitivity());
        const char* entries[4] = {"KEYBOARD", "GAMEPAD", sensitivity, "<RETURN TO GAME>"};
        for (int i = 0; i < 4; ++i)
        {
            if (i == menu.menuItem)
                label.SetColor(1.0f, blink, 0.0f, 1.0f);
            else
                label.SetColor(0.5f, 0.05f, 0.0f, 1.0f);
            label.DrawText(entries[i], 320.0f, 370.0f + 23.0f * static_cast<float>(i));
        }
    }
    else if (page == 2 || page == 3)
    {
        label.SetColor(1.0f, 1.0f, 1.0f, 1.0f);
        label.DrawText(page == 2 ? "PRESS KEY FOR:" : "PRESS BUTTON FOR:", 320.0f, 370.0f);
        static const char* const kActions[5] = {"LEFT", "RIGHT", "NITRO", "SHIELD", "LASER"};
        if (menu.menuItem >= 0 && menu.menuItem < 5)
        {
            label.SetColor(1.0f, blink, 0.0f, 1.0f);
            label.DrawText(kActions[menu.menuItem], 320.0f, 430.0f);
        }
    }
}
