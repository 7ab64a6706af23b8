// Drives the real setup application under a display: start-up, OnInit, a test's action once
// the window is up, the event loop until the window has gone, then the toolkit's shutdown.
// Any toolkit assertion or log box fails the running test.
#pragma once

#include "launcher/setup_app.h"
#include "support/recording_prompter.h"

#include <functional>

class wxButton;

namespace cavtest
{

// Makes toolkit assertions and log boxes test failures (also for code run through RunSetup).
void FailOnToolkitComplaints();

// Lets the toolkit map and paint the window.
void Settle();

void RunSetupWindow(SetupChoices& choices, bool& shown, RecordingPrompter& prompter,
                    const std::function<void(SetupApp&)>& act);

// Posts a click, as a player's would arrive: through the event queue.
void Click(wxButton* button);

} // namespace cavtest
