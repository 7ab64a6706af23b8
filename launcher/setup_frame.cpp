#include "launcher/setup_frame.h"

#include "launcher/setup_app.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dcbuffer.h>
#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace
{

const char* const kTitleImagePath = "Data/Gfx/TitleBar.bmp";
const wxSize kTitleImageSize(473, 336);
const wxSize kPanelSize(100, 336);

} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(SetupPanel, wxPanel)
    EVT_BUTTON(SetupPanel::ID_PLAY, SetupPanel::OnPlay)
    EVT_BUTTON(SetupPanel::ID_CHECK_UPDATES, SetupPanel::OnCheckUpdates)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(TitleImageWindow, wxWindow)
    EVT_PAINT(TitleImageWindow::OnPaint)
wxEND_EVENT_TABLE()
    // clang-format on

    SetupFrame::SetupFrame(SetupApp* app, const wxString& title, const wxPoint& pos,
                           const wxSize& size, long style)
    : wxFrame(nullptr, wxID_ANY, title, pos, size, style), app(app)
{
    {
        // A missing or unreadable picture leaves the image empty, with no error box.
        wxLogNull quiet;
        if (wxFileExists(kTitleImagePath))
            titleImage.LoadFile(kTitleImagePath, wxBITMAP_TYPE_ANY, -1);
    }
    if (titleImage.IsOk())
        titleBitmap = wxBitmap(titleImage);

    panel = new SetupPanel(this);
    titleWindow = new TitleImageWindow(this, wxPoint(kPanelSize.x, 0), kTitleImageSize);

    // GTK's controls are taller than a fixed pixel layout allows: sizers keep them apart.
    wxBoxSizer* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(panel, 0, wxEXPAND);
    row->Add(titleWindow, 0, wxFIXED_MINSIZE);
    SetSizerAndFit(row);
}

SetupFrame::~SetupFrame()
{
    // The panel's destructor stores the choices through this frame: it must run while the
    // frame is still whole, not from the base class's clean-up.
    DestroyChildren();
}

SetupPanel::SetupPanel(SetupFrame* frame)
    : wxPanel(frame, wxID_ANY, wxPoint(0, 0), kPanelSize, wxBORDER_RAISED | wxTAB_TRAVERSAL),
      frame(frame), updater(frame->app->prompter)
{
    wxStaticText* label =
        new wxStaticText(this, wxID_ANY, "Resolution:", wxPoint(10, 10), wxDefaultSize);
    const wxString sizes[] = {"640x480", "800x600"};
    resolution = new wxComboBox(this, wxID_ANY, "640x480", wxPoint(10, 25), wxSize(80, -1), 2,
                                sizes, wxCB_DROPDOWN | wxCB_READONLY);
    fullscreen = new wxCheckBox(this, wxID_ANY, "Fullscreen", wxPoint(10, 50));
    vsync = new wxCheckBox(this, wxID_ANY, "Vsync", wxPoint(10, 70));
    showFps = new wxCheckBox(this, wxID_ANY, "Show FPS", wxPoint(10, 90));
    onlineScore = new wxCheckBox(this, wxID_ANY, "Online Score", wxPoint(10, 110));
    checkUpdates =
        new wxButton(this, ID_CHECK_UPDATES, "Check Updates", wxPoint(5, 280), wxSize(80, -1));
    play = new wxButton(this, ID_PLAY, "PLAY", wxPoint(5, 300), wxSize(80, -1));

    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
    column->Add(label, 0, wxLEFT | wxRIGHT | wxTOP, 8);
    column->Add(resolution, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
    for (wxCheckBox* box : {fullscreen, vsync, showFps, onlineScore})
        column->Add(box, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
    column->AddStretchSpacer(1);
    column->Add(checkUpdates, 0, wxEXPAND | wxLEFT | wxRIGHT, 4);
    column->Add(play, 0, wxEXPAND | wxALL, 4);
    SetSizer(column);
    // Some slack: GTK measures labels again once the theme is applied, a pixel or two wider.
    SetMinSize(wxSize(std::max(kPanelSize.x, column->GetMinSize().x + 8), kPanelSize.y));
    SetSize(GetMinSize());
    Layout();
}

SetupPanel::~SetupPanel()
{
    // However the window closes, the choices on screen are the ones that are kept.
    SetupChoices& choices = frame->app->choices;
    choices.vsync = vsync->GetValue();
    choices.showFps = showFps->GetValue();
    choices.fullscreen = fullscreen->GetValue();
    choices.onlineScore = onlineScore->GetValue();
    StoreResolutionText(resolution->GetValue().ToStdString(), choices.res);
}

void SetupPanel::ShowChoices(const SetupChoices& choices)
{
    showFps->SetValue(choices.showFps);
    fullscreen->SetValue(choices.fullscreen);
    vsync->SetValue(choices.vsync);
    onlineScore->SetValue(choices.onlineScore);
    resolution->SetValue(ResolutionText(choices.res));
}

void SetupPanel::OnPlay(wxCommandEvent&)
{
    if (updater.IsRunning())
        return;
    frame->app->choices.play = true;
    frame->Close(true);
}

void SetupPanel::OnCheckUpdates(wxCommandEvent&)
{
    if (updater.IsRunning())
        return;
    checkUpdates->Disable();
    play->Disable();
    if (CheckContentUpdates())
        CheckVersion();
    checkUpdates->Enable();
    play->Enable();
}

bool SetupPanel::CheckContentUpdates()
{
    return updater.CheckContentUpdates();
}

void SetupPanel::CheckVersion()
{
    // After a patch the launcher ends without starting the game; the patcher takes over.
    if (updater.CheckVersion())
        frame->Close(true);
}

TitleImageWindow::TitleImageWindow(SetupFrame* frame, const wxPoint& pos, const wxSize& size)
    : wxWindow(frame, wxID_ANY, pos, size, wxBORDER_SIMPLE | wxFULL_REPAINT_ON_RESIZE), frame(frame)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetMinSize(size);
}

void TitleImageWindow::OnPaint(wxPaintEvent&)
{
    wxBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    if (frame->titleBitmap.IsOk())
        dc.DrawBitmap(frame->titleBitmap, 0, 0, false);
}
