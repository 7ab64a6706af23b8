// The main loop: fixed simulation steps of 0.01 s fed by a time accumulator, one frame per
// pass drawn between the last two steps, and the state machine's dispatch with its ESC rules.
#include "game/engine.h"

#include "engine/gl_state.h"
#include "platform/platform.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cmath>
#include <cstdio>

namespace
{

constexpr float kStep = 0.01f;
// A pass runs at most this many steps (0.1 s). Time lost to blocking work (a slow score
// server, a long map load) is dropped instead of being replayed as a burst of steps.
constexpr int kMaxStepsPerPass = 10;

// What ESC Pressed does after a state's own update.
enum class EscRule
{
    Quit,         // the title and the splash end the program
    LeavePause,   // a paused game goes back to the title
    ToFrontEnd,   // game over goes back to the title
    ToGameOver,   // declining to continue
    StateHandles, // the state's own update decides, if at all
};

struct StateRoutines
{
    void (Engine::*update)();
    void (Engine::*draw)(float);
    EscRule esc;
};

const StateRoutines kStates[kGameStateCount] = {
    {&Engine::UpdateFrontEnd, &Engine::DrawFrontEnd, EscRule::Quit},             // FrontEnd
    {&Engine::UpdatePlaying, &Engine::DrawPlaying, EscRule::LeavePause},         // Playing
    {&Engine::UpdateSplash, &Engine::DrawSplash, EscRule::Quit},                 // Splash
    {&Engine::UpdateGameOver, &Engine::DrawGameOver, EscRule::ToFrontEnd},       // GameOver
    {&Engine::UpdateContinue, &Engine::DrawContinue, EscRule::ToGameOver},       // Continue
    {&Engine::UpdateNewHiscore, &Engine::DrawNewHiscore, EscRule::StateHandles}, // NewHiscore
    {&Engine::UpdateCredits, &Engine::DrawCredits, EscRule::StateHandles},       // Credits
};

bool ValidState(int state)
{
    return state >= 0 && state < kGameStateCount;
}

} // namespace

void Engine::Run()
{
    BeginRun();
    while (!quit)
        RunPass();
}

void Engine::BeginRun()
{
    frameTimer.Reset();
    accumulator = 0.0f;
}

void Engine::RunPass()
{
    frameTimer.Tick();
    if (paused)
        frameTimer.elapsed -= frameTimer.delta; // paused time does not count
    accumulator += frameTimer.delta;
    stepsThisPass = 0;

    // Once the quit flag is up no further step runs: a stage whose map failed to load must
    // not be stepped half-built.
    while (accumulator >= kStep && !quit)
    {
        if (stepsThisPass == kMaxStepsPerPass)
        {
            accumulator = std::fmod(accumulator, kStep);
            break;
        }
        Step();
        accumulator -= kStep;
        platform::SleepMs(1);
    }

    lastInterpolation = paused ? 0.0f : accumulator * 100.0f;
    if (!videoUp)
        return;

    Draw(lastInterpolation);
    if (settings.showFps)
    {
        SetupProjection(640.0f, 480.0f);
        glDisable(GL_DEPTH_TEST);
        res.font.SetColor(1.0f, 1.0f, 1.0f, 1.0f);
        res.font.SetScale(0.5f, 0.5f);
        res.font.SetBlend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        res.font.SetAlign(0);
        char text[32];
        std::snprintf(text, sizeof text, "FPS %i", frameTimer.fps);
        res.font.DrawText(text, 15.0f, 450.0f);
    }
    SDL_GL_SwapBuffers();
}

void Engine::Step()
{
    ++totalSteps;
    ++stepsThisPass;
    input.anyKey = false;

    SDL_Event event;
    while (SDL_PollEvent(&event) != 0)
        HandleEvent(event);
    SDL_GetRelativeMouseState(&mouseDx, &mouseDy);

    Update();
    TickButtons();
}

void Engine::HandleEvent(const SDL_Event& event)
{
    switch (event.type)
    {
    case SDL_KEYDOWN:
        if (input.TextEntryActive())
            OnTextInput(event.key.keysym.unicode);
        else
            OnKey(event.key.keysym.sym, true);
        break;
    case SDL_KEYUP:
        // Released also during text entry, so no key stays held after the name is typed.
        OnKey(event.key.keysym.sym, false);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        OnKey(event.button.button, event.type == SDL_MOUSEBUTTONDOWN);
        break;
    case SDL_JOYAXISMOTION:
        if (input.joystickPresent)
            OnJoystickAxis(event.jaxis.axis, event.jaxis.value);
        break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        if (input.joystickPresent && event.jbutton.button < input_code::JoyButtonCount)
            OnKey(input_code::JoyButton0 + event.jbutton.button, event.type == SDL_JOYBUTTONDOWN);
        break;
    case SDL_QUIT:
        quit = true;
        break;
    default:
        break;
    }
}

void Engine::Update()
{
    if (quit || !ValidState(gameState))
        return;
    const StateRoutines& state = kStates[gameState];
    (this->*state.update)();

    if (input[ButtonEsc].value != ButtonState::Pressed)
        return;
    switch (state.esc)
    {
    case EscRule::Quit:
        quit = true;
        break;
    case EscRule::LeavePause:
        if (!paused)
            break;
        paused = false;
        PauseSound(false);
        RestartSound();
        res.streams[music::Splash].Play();
        EnterFrontEnd();
        break;
    case EscRule::ToFrontEnd:
        RestartSound();
        res.streams[music::Splash].Play();
        EnterFrontEnd();
        break;
    case EscRule::ToGameOver:
        RestartSound();
        EnterGameOver();
        break;
    case EscRule::StateHandles:
        break;
    }
}

void Engine::Draw(float interpolation)
{
    glClearColor(0.05f, 0.05f, 0.1f, 0.0f);
    SetupProjection(640.0f, 480.0f);

    // No clear: a translucent quad over the last picture leaves fading trails.
    glDisable(GL_TEXTURE_2D);
    SetBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.05f, 0.05f, 0.1f, settings.fullscreen ? 0.5f : 0.33f);
    glBegin(GL_QUADS);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(640.0f, 0.0f);
    glVertex2f(640.0f, 480.0f);
    glVertex2f(0.0f, 480.0f);
    glEnd();

    if (ValidState(gameState))
        (this->*kStates[gameState].draw)(interpolation);
}
