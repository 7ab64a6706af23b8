// SetupApp: the game program's wxWidgets application. OnInit switches logging on, reads
// "Engine.cfg", shows the setup window and, after a patch, the "Release Info" box once.
// The window's choices land in the SetupChoices that RunSetup owns; once the toolkit has
// shut down, RunSetup rewrites "Engine.cfg" and, when "PLAY" was pressed, starts the game.
#pragma once

#include "launcher/setup_choices.h"
#include "platform/prompter.h"

#include <wx/app.h>

class SetupFrame;

class SetupApp : public wxApp
{
public:
    // choices and shown outlive the application: the toolkit deletes it at shutdown.
    SetupApp(SetupChoices& choices, bool& shown, platform::Prompter& prompter);
    bool OnInit() override;

    SetupChoices& choices;
    bool& shown; // set once OnInit has read "Engine.cfg" and shown the window
    platform::Prompter& prompter;
    SetupFrame* frame = nullptr;
};

// The application factory: checks that the toolkit was built as this program expects.
SetupApp* CreateSetupApp(SetupChoices& choices, bool& shown, platform::Prompter& prompter);

// The whole program before the game: the toolkit's entry with a SetupApp, then (only when
// the window was shown) "Engine.cfg" and the hand-over. Returns the program's exit code.
int RunSetup(int argc, char** argv, platform::Prompter& prompter, const GameStarter& startGame);
