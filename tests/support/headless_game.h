// A headless Engine driven step by step for the screens around play: a fresh temporary
// folder, the recording audio, input and score-server back ends, map packs made of small
// real ".map" files, and helpers to press keys and run steps as the main loop would.
#pragma once

#include "game/engine.h"
#include "game/score_server.h"
#include "platform/audio.h"
#include "platform/input_backend.h"
#include "support/log_capture.h"

#include <memory>
#include <string>
#include <vector>

namespace cavtest
{

class HeadlessGameTest : public LoggedTempDirTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a pack whose stage i has the password passwords[i] and the title "<name> <i+1>".
    void AddPack(const std::string& name, const std::vector<std::string>& passwords);
    // One simulation step as the main loop runs it (without SDL's event queue).
    void Steps(int count = 1);
    // A code going down (then the next step), and up again after it.
    void Tap(int code);
    void Hold(int code) { engine->OnKey(code, true); }
    void Release(int code) { engine->OnKey(code, false); }
    // Types text (each character one key press) into the active text entry.
    void Type(const std::string& text);
    // The front end, past its intro.
    void EnterMenu();

    platform::RecordingAudio audio;
    platform::RecordingInputBackend inputBackend;
    RecordingScoreServer scoreServer;
    std::unique_ptr<Engine> engine;
};

} // namespace cavtest
