// Drives NautED under a display for the editor's gl tests: the application starts as its entry
// would, a test's action runs once the frame is up, then Exit is chosen and the event loop
// runs until the frame has gone. Header-only: the support library does not link the editor.
#pragma once

#include "editor/editor_app.h"
#include "editor/editor_frame.h"
#include "support/setup_window_runner.h"

#include <gtest/gtest.h>
#include <wx/init.h>

#include <functional>

namespace cavtest
{

inline void RunEditor(const std::function<void(EditorFrame&)>& act)
{
    FailOnToolkitComplaints();
    EditorApp* app = new EditorApp;
    wxApp::SetInstance(app);
    int argc = 1;
    char arg0[] = "nauted_test";
    char* argv[] = {arg0, nullptr};
    ASSERT_TRUE(wxEntryStart(argc, argv));
    ASSERT_TRUE(app->CallOnInit());
    Settle();
    auto* frame = wxDynamicCast(app->GetTopWindow(), EditorFrame);
    if (frame != nullptr)
    {
        act(*frame);
        wxCommandEvent exit(wxEVT_MENU, ID_Exit);
        wxPostEvent(frame, exit);
        app->OnRun();
    }
    else
        ADD_FAILURE() << "no editor frame";
    app->OnExit();
    wxEntryCleanup();
}

// A menu or popup command, delivered to the frame as the toolkit would.
inline void Choose(EditorFrame& frame, int id)
{
    wxCommandEvent command(wxEVT_MENU, id);
    frame.ProcessWindowEvent(command);
}

} // namespace cavtest
