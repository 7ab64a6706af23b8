// The property dialogs: six edit the fields of the frame's selected entity record that the
// canvas tools cannot reach (names, targets, times, switches), the seventh the world's title,
// password and end timer. Each shows the values when it is built and writes every field back
// when its "Ok" button (id 48) is pressed; closing it any other way writes nothing.
//
// "Ok" ends the modal loop of the command that opened the dialog; the command still owns the
// dialog and discards it. The text conversions are those of dialog_fields.h.
#pragma once

#include <wx/dialog.h>

#include <string>

class EditorFrame;
class EntityRecord;
class wxCheckBox;
class wxTextCtrl;

constexpr int ID_PropertiesOk = 48;

// What the seven dialogs share: the window, the layout helpers and the end of "Ok".
class PropertyDialog : public wxDialog
{
protected:
    PropertyDialog(EditorFrame* frame, const wxString& caption);

    void AddLabel(const char* text, int x, int y);
    wxTextCtrl* AddText(int x, int y, int width, const std::string& value);
    wxCheckBox* AddCheckBox(const char* label, int y, bool value);
    void AddOkButton();
    // The frame's selected record, or null when none is selected.
    EntityRecord* SelectedRecord() const;
    // Hides the dialog, which ends the ShowModal of the command that opened it.
    void Finish();
};

class ForceFieldDialog : public PropertyDialog
{
public:
    explicit ForceFieldDialog(EditorFrame* frame);
    void OnOk(wxCommandEvent& event);

    wxTextCtrl* nameText;
    wxTextCtrl* targetText;
    wxTextCtrl* offTimeText;
    wxTextCtrl* onTimeText;
    wxTextCtrl* startupDelayText;

private:
    wxDECLARE_EVENT_TABLE();
};

class ButtonDialog : public PropertyDialog
{
public:
    explicit ButtonDialog(EditorFrame* frame);
    void OnOk(wxCommandEvent& event);

    wxTextCtrl* targetText;

private:
    wxDECLARE_EVENT_TABLE();
};

class WorldPropertiesDialog : public PropertyDialog
{
public:
    explicit WorldPropertiesDialog(EditorFrame* frame);
    void OnOk(wxCommandEvent& event);

    wxTextCtrl* titleText;
    wxTextCtrl* passwordText;
    wxTextCtrl* endTimerText;

private:
    wxDECLARE_EVENT_TABLE();
};

class RotatorDialog : public PropertyDialog
{
public:
    explicit RotatorDialog(EditorFrame* frame);
    void OnOk(wxCommandEvent& event);

    wxTextCtrl* nameText;
    wxTextCtrl* speedText;
    wxTextCtrl* incrementsText;

private:
    wxDECLARE_EVENT_TABLE();
};

class AreaTriggerDialog : public PropertyDialog
{
public:
    explicit AreaTriggerDialog(EditorFrame* frame);
    void OnOk(wxCommandEvent& event);

    wxTextCtrl* targetText;

private:
    wxDECLARE_EVENT_TABLE();
};

class MovingPlatformDialog : public PropertyDialog
{
public:
    explicit MovingPlatformDialog(EditorFrame* frame);
    void OnOk(wxCommandEvent& event);

    wxTextCtrl* nameText;
    wxTextCtrl* startTargetText;
    wxTextCtrl* endTargetText;
    wxTextCtrl* speedText;
    wxTextCtrl* stopTimeText;
    wxCheckBox* repeatCheck;
    wxCheckBox* startOnCheck;

private:
    wxDECLARE_EVENT_TABLE();
};

class TargetInfoDialog : public PropertyDialog
{
public:
    explicit TargetInfoDialog(EditorFrame* frame);
    void OnOk(wxCommandEvent& event);

    wxTextCtrl* nameText;

private:
    wxDECLARE_EVENT_TABLE();
};

// Properties: runs the dialog of the selected record's kind modally; false for a kind without
// one (the caller tells the user), and when no record is selected.
bool ShowPropertiesDialog(EditorFrame* frame);
