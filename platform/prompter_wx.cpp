#include "platform/prompter.h"

#include <wx/busyinfo.h>
#include <wx/msgdlg.h>

#include <memory>

namespace platform
{
namespace
{

class WxMessagePrompter : public Prompter
{
public:
    void Tell(const std::string& text, const std::string& caption) override
    {
        wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(caption), wxOK | wxCENTRE,
                     nullptr);
    }

    void Inform(const std::string& text, const std::string& caption) override
    {
        wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(caption),
                     wxOK | wxICON_INFORMATION | wxCENTRE, nullptr);
    }

    void ReportError(const std::string& text, const std::string& caption) override
    {
        wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(caption),
                     wxOK | wxICON_ERROR | wxCENTRE, nullptr);
    }

    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        return wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(caption),
                            wxYES_NO | wxCENTRE, nullptr) == wxYES;
    }

    void BeginBusy(const std::string& text) override
    {
        busy.reset();
        busy = std::make_unique<wxBusyInfo>(wxString::FromUTF8(text));
    }

    void EndBusy() override { busy.reset(); }

private:
    std::unique_ptr<wxBusyInfo> busy;
};

} // namespace

Prompter& WxPrompter()
{
    static WxMessagePrompter prompter;
    return prompter;
}

} // namespace platform
