// The setup window: SetupFrame holds the settings panel (SetupPanel) on the left and the
// title picture (TitleImageWindow) on the right. The panel's controls show the choices at
// start and are copied back into the application's choices when the panel is destroyed,
// however the window was closed. "PLAY" sets the play flag and closes the window; "Check
// Updates" runs the content update and, when that succeeds, the version check.
#pragma once

#include "launcher/setup_choices.h"
#include "launcher/updater.h"

#include <wx/bitmap.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>

class SetupApp;
class SetupFrame;
class wxButton;
class wxCheckBox;
class wxComboBox;

class SetupPanel : public wxPanel
{
public:
    enum
    {
        ID_PLAY = 2,
        ID_CHECK_UPDATES = 3,
    };

    explicit SetupPanel(SetupFrame* frame);
    ~SetupPanel() override;

    void ShowChoices(const SetupChoices& choices);
    void OnPlay(wxCommandEvent& event);
    void OnCheckUpdates(wxCommandEvent& event);
    bool CheckContentUpdates();
    void CheckVersion();

    wxComboBox* resolution = nullptr;
    wxCheckBox* fullscreen = nullptr;
    wxCheckBox* vsync = nullptr;
    wxCheckBox* showFps = nullptr;
    wxCheckBox* onlineScore = nullptr;
    wxButton* checkUpdates = nullptr;
    wxButton* play = nullptr;

private:
    SetupFrame* frame;
    Updater updater;
    wxDECLARE_EVENT_TABLE();
};

class TitleImageWindow : public wxWindow
{
public:
    TitleImageWindow(SetupFrame* frame, const wxPoint& pos, const wxSize& size);
    void OnPaint(wxPaintEvent& event);

private:
    SetupFrame* frame;
    wxDECLARE_EVENT_TABLE();
};

class SetupFrame : public wxFrame
{
public:
    SetupFrame(SetupApp* app, const wxString& title, const wxPoint& pos, const wxSize& size,
               long style);
    ~SetupFrame() override;

    SetupApp* app;
    wxImage titleImage;
    wxBitmap titleBitmap;
    SetupPanel* panel = nullptr;
    TitleImageWindow* titleWindow = nullptr;
};

// The frame's style: caption, system menu, minimise and close boxes, clipped children;
// no resizable border and no maximise box.
constexpr long kSetupFrameStyle =
    wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX | wxCLIP_CHILDREN;
