#include "support/setup_window_runner.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/utils.h>

namespace cavtest
{
namespace
{

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& msg)
{
    ADD_FAILURE() << "wxWidgets assertion at " << file << ":" << line << " in " << func << ": "
                  << cond << " " << msg;
}

// Anything the toolkit would show the player in a log box fails the test.
class FailingLog : public wxLog
{
protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&) override
    {
        if (level <= wxLOG_Message)
            ADD_FAILURE() << "wxWidgets log box: " << msg;
    }
};

} // namespace

void FailOnToolkitComplaints()
{
    wxSetAssertHandler(FailOnAssert);
    delete wxLog::SetActiveTarget(new FailingLog);
}

void Settle()
{
    for (int i = 0; i < 40; ++i)
    {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

void RunSetupWindow(SetupChoices& choices, bool& shown, RecordingPrompter& prompter,
                    const std::function<void(SetupApp&)>& act)
{
    FailOnToolkitComplaints();
    SetupApp* app = new SetupApp(choices, shown, prompter);
    wxApp::SetInstance(app);
    int argc = 1;
    char arg0[] = "cavernaut_test";
    char* argv[] = {arg0, nullptr};
    ASSERT_TRUE(wxEntryStart(argc, argv));
    ASSERT_TRUE(app->CallOnInit());
    Settle();
    act(*app);
    app->OnRun();
    app->OnExit();
    wxEntryCleanup();
}

void Click(wxButton* button)
{
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    wxPostEvent(button, click);
}

} // namespace cavtest
