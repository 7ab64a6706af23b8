#include "launcher/setup_app.h"

#include "engine/logger.h"
#include "launcher/setup_frame.h"

#include <wx/init.h>

SetupApp::SetupApp(SetupChoices& choices, bool& shown, platform::Prompter& prompter)
    : choices(choices), shown(shown), prompter(prompter)
{
}

bool SetupApp::OnInit()
{
    gLogger.Enable(true);
    ReadEngineConfig(choices);

    frame =
        new SetupFrame(this, "Cavernaut Setup", wxPoint(0, 0), wxSize(573, 356), kSetupFrameStyle);
    frame->Centre(wxBOTH);
    frame->Show(true);
    SetTopWindow(frame);
    frame->panel->ShowChoices(choices);
    shown = true;

    ShowReleaseInfoOnce(prompter);
    return true;
}

SetupApp* CreateSetupApp(SetupChoices& choices, bool& shown, platform::Prompter& prompter)
{
    if (!wxApp::CheckBuildOptions(WX_BUILD_OPTIONS_SIGNATURE, "Cavernaut"))
        return nullptr;
    return new SetupApp(choices, shown, prompter);
}

int RunSetup(int argc, char** argv, platform::Prompter& prompter, const GameStarter& startGame)
{
    SetupChoices choices;
    bool shown = false;
    SetupApp* app = CreateSetupApp(choices, shown, prompter);
    if (app == nullptr)
        return 1;
    wxApp::SetInstance(app); // the toolkit owns and deletes it
    int code = wxEntry(argc, argv);
    // The window never came up (no display): "Engine.cfg" was not read, so it is not
    // rewritten with defaults over the player's choices.
    if (!shown)
        return code != 0 ? code : 1;
    FinishSetup(choices, startGame);
    return code;
}
