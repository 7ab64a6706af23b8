// The main loop: fixed simulation steps of 0.01 s fed by a time accumulator, one frame per
// pass drawn between the last two steps, and the state machine's dispatch with its ESC rules.
#include "game/engine.h"

#include "engine/gl_state.h"
#include "engine/vertex_sink.h"
#include "engine/video.h"
#include "platform/input_backend.h"
#include "platform/platform.h"

#include <GL/gl.h>

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
        SetupProjection(kVirtualWidth, kVirtualHeight);
        glDisable(GL_DEPTH_TEST);
        res.font.SetColor(1.0f, 1.0f, 1.0f, 1.0f);
        res.font.SetScale(0.5f, 0.5f);
        res.font.SetBlend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        res.font.SetAlign(0);
        char text[32];
        std::snprintf(text, sizeof text, "FPS %i", frameTimer.fps);
        res.font.DrawText(text, 15.0f, 450.0f);
    }
    SwapBuffers();
}

void Engine::Step()
{
    ++totalSteps;
    ++stepsThisPass;
    input.anyKey = false;

    VideoEvent event;
    while (PollEvent(event))
        HandleEvent(event);
    platform::GetInputBackend().GetRelativeMouseState(mouseDx, mouseDy);

    Update();
    TickButtons();
}

void Engine::HandleEvent(const VideoEvent& event)
{
    switch (event.kind)
    {
    case VideoEvent::Key:
        if (!event.down)
            OnKey(event.code, false); // also during text entry: no key stays held after a name
        else if (input.TextEntryActive())
            OnTextInput(event.unicode);
        else
            OnKey(event.code, true);
        break;
    case VideoEvent::MouseButton:
        OnKey(event.code, event.down);
        break;
    case VideoEvent::JoystickAxis:
        if (input.joystickPresent)
            OnJoystickAxis(event.code, event.value);
        break;
    case VideoEvent::JoystickButton:
        if (input.joystickPresent && event.code < input_code::JoyButtonCount)
            OnKey(input_code::JoyButton0 + event.code, event.down);
        break;
    case VideoEvent::Quit:
        quit = true;
        break;
    case VideoEvent::Other:
        break;
    }
}

void Engine::Update()
{
    // The step in which quit arrives still runs the state's update: a save due in it happens.
    if (!ValidState(gameState))
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
    CurrentVertexSink().Projection(kVirtualWidth, kVirtualHeight);

    // No clear: a translucent wash over the last picture leaves fading trails.
    FillVirtualScreen(0.05f, 0.05f, 0.1f, settings.fullscreen ? 0.5f : 0.33f);

    if (!ValidState(gameState))
        return;
    const StateRoutines& state = kStates[gameState];
    (this->*state.draw)(interpolation);
}
