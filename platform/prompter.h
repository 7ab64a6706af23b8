// Prompter: the few questions and reports the setup window and the editor put to the user:
// owner-less message boxes and a busy window. The programs use the wxWidgets one
// (prompter_wx.cpp); tests supply their own to answer and record.
#pragma once

#include <string>

namespace platform
{

class Prompter
{
public:
    virtual ~Prompter() = default;

    // A box with only an OK button and no icon; returns when it is dismissed.
    virtual void Tell(const std::string& text, const std::string& caption) = 0;
    // A box with an OK button and the information icon.
    virtual void Inform(const std::string& text, const std::string& caption) = 0;
    // A box with an OK button and the error icon.
    virtual void ReportError(const std::string& text, const std::string& caption) = 0;
    // A box with Yes and No buttons; true only for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;

    // A window that says the program is busy, shown until EndBusy.
    virtual void BeginBusy(const std::string& text) = 0;
    virtual void EndBusy() = 0;
};

// Shows the busy window for the lifetime of the object.
class BusyScope
{
public:
    BusyScope(Prompter& prompter, const std::string& text) : prompter(prompter)
    {
        prompter.BeginBusy(text);
    }
    ~BusyScope() { prompter.EndBusy(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    Prompter& prompter;
};

// The wxWidgets message boxes and busy window (cav_platform_wx). Needs a running toolkit.
Prompter& WxPrompter();

} // namespace platform
