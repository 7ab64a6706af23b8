#include "editor/property_dialogs.h"

#include "editor/dialog_fields.h"
#include "editor/editor_frame.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace
{

template <class Record>
Record* SelectedAs(EditorFrame* frame)
{
    EditorDocument& document = frame->document;
    const int index = document.selectedRecord;
    if (index < 0 || static_cast<std::size_t>(index) >= document.records.size())
        return nullptr;
    return dynamic_cast<Record*>(document.records[static_cast<std::size_t>(index)].get());
}

std::wstring TextOf(const wxTextCtrl* text)
{
    return text->GetValue().ToStdWstring();
}

void StoreFloat(const wxTextCtrl* text, float& value)
{
    ParseFloatField(TextOf(text), value);
}

} // namespace

PropertyDialog::PropertyDialog(EditorFrame* frame, const wxString& caption)
    : wxDialog(frame, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE)
{
    SetSize(300, 200);
}

void PropertyDialog::AddLabel(const char* text, int x, int y)
{
    new wxStaticText(this, wxID_ANY, text, wxPoint(x, y), wxDefaultSize, 0);
}

wxTextCtrl* PropertyDialog::AddText(int x, int y, int width, const std::string& value)
{
    wxTextCtrl* text = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxPoint(x, y),
                                      wxSize(width, 20), 0, wxDefaultValidator);
    // Bytes from a map written elsewhere need not be text: show each byte as one character.
    text->SetValue(wxString(value.c_str(), wxConvISO8859_1));
    return text;
}

wxCheckBox* PropertyDialog::AddCheckBox(const char* label, int y, bool value)
{
    wxCheckBox* box = new wxCheckBox(this, wxID_ANY, label, wxPoint(120, y), wxSize(100, 20), 0,
                                     wxDefaultValidator);
    box->SetValue(value);
    return box;
}

void PropertyDialog::AddOkButton()
{
    new wxButton(this, ID_PropertiesOk, "Ok", wxPoint(200, 130), wxSize(80, 30), 0,
                 wxDefaultValidator);
}

EntityRecord* PropertyDialog::SelectedRecord() const
{
    return SelectedAs<EntityRecord>(static_cast<EditorFrame*>(GetParent()));
}

void PropertyDialog::Finish()
{
    if (IsModal())
        EndModal(ID_PropertiesOk);
    else
        Hide();
}

// ForceField ----------------------------------------------------------------------------

ForceFieldDialog::ForceFieldDialog(EditorFrame* frame)
    : PropertyDialog(frame, "ForceField Properties")
{
    ForceFieldRecord defaults;
    const ForceFieldRecord* record = SelectedAs<ForceFieldRecord>(frame);
    if (!record)
        record = &defaults;
    AddLabel("NAME:", 10, 10);
    AddLabel("TARGET:", 10, 30);
    AddLabel("OFF TIME:", 10, 50);
    AddLabel("ON TIME:", 10, 70);
    AddLabel("STARTUP DELAY:", 10, 90);
    nameText = AddText(120, 8, 50, FieldText(record->name));
    targetText = AddText(120, 28, 50, FieldText(record->target));
    offTimeText = AddText(120, 48, 50, FormatFloatField(record->offTime));
    onTimeText = AddText(120, 68, 50, FormatFloatField(record->onTime));
    startupDelayText = AddText(120, 88, 50, FormatFloatField(record->startupDelay));
    AddOkButton();
}

void ForceFieldDialog::OnOk(wxCommandEvent&)
{
    if (ForceFieldRecord* record = dynamic_cast<ForceFieldRecord*>(SelectedRecord()))
    {
        StoreFloat(offTimeText, record->offTime);
        StoreFloat(onTimeText, record->onTime);
        StoreFloat(startupDelayText, record->startupDelay);
        StoreTextField(TextOf(nameText), record->name);
        StoreTextField(TextOf(targetText), record->target);
    }
    Finish();
}

// Button --------------------------------------------------------------------------------

ButtonDialog::ButtonDialog(EditorFrame* frame) : PropertyDialog(frame, "Button Properties")
{
    const ButtonRecord* record = SelectedAs<ButtonRecord>(frame);
    AddLabel("TARGET:", 10, 10);
    targetText = AddText(120, 8, 50, record ? FieldText(record->target) : std::string());
    AddOkButton();
}

void ButtonDialog::OnOk(wxCommandEvent&)
{
    if (ButtonRecord* record = dynamic_cast<ButtonRecord*>(SelectedRecord()))
        StoreTextField(TextOf(targetText), record->target);
    Finish();
}

// World properties ----------------------------------------------------------------------

WorldPropertiesDialog::WorldPropertiesDialog(EditorFrame* frame)
    : PropertyDialog(frame, "World Properties")
{
    const EditorDocument& document = frame->document;
    AddLabel("TITLE 32 chars max:", 10, 10);
    AddLabel("PASSWORD 5 chars max:", 10, 30);
    AddLabel("END TIMER:", 10, 50);
    titleText = AddText(150, 8, 100, FieldText(document.title));
    passwordText = AddText(150, 28, 100, FieldText(document.password));
    endTimerText = AddText(150, 48, 100, FormatIntField(document.endTimer));
    AddOkButton();
}

void WorldPropertiesDialog::OnOk(wxCommandEvent&)
{
    EditorDocument& document = static_cast<EditorFrame*>(GetParent())->document;
    StoreTextField(TextOf(titleText), document.title);
    StoreTextField(TextOf(passwordText), document.password);
    document.endTimer = ParseIntField(TextOf(endTimerText));
    Finish();
}

// Rotator -------------------------------------------------------------------------------

RotatorDialog::RotatorDialog(EditorFrame* frame) : PropertyDialog(frame, "Rotator Properties")
{
    RotatorRecord defaults;
    const RotatorRecord* record = SelectedAs<RotatorRecord>(frame);
    if (!record)
        record = &defaults;
    AddLabel("NAME:", 10, 10);
    AddLabel("Rotation Speed:", 10, 50);
    AddLabel("Rotation Increments:", 10, 70);
    nameText = AddText(120, 8, 50, FieldText(record->name));
    speedText = AddText(120, 48, 50, FormatFloatField(record->speed));
    incrementsText = AddText(120, 68, 50, FormatIntField(record->increments));
    AddOkButton();
}

void RotatorDialog::OnOk(wxCommandEvent&)
{
    if (RotatorRecord* record = dynamic_cast<RotatorRecord*>(SelectedRecord()))
    {
        StoreFloat(speedText, record->speed);
        record->increments = ParseIntField(TextOf(incrementsText));
        StoreTextField(TextOf(nameText), record->name);
    }
    Finish();
}

// Area trigger --------------------------------------------------------------------------

AreaTriggerDialog::AreaTriggerDialog(EditorFrame* frame)
    : PropertyDialog(frame, "AreaTrigger Properties")
{
    const AreaTriggerRecord* record = SelectedAs<AreaTriggerRecord>(frame);
    AddLabel("TARGET:", 10, 10);
    targetText = AddText(120, 8, 50, record ? FieldText(record->target) : std::string());
    AddOkButton();
}

void AreaTriggerDialog::OnOk(wxCommandEvent&)
{
    if (AreaTriggerRecord* record = dynamic_cast<AreaTriggerRecord*>(SelectedRecord()))
        StoreTextField(TextOf(targetText), record->target);
    Finish();
}

// Moving platform -----------------------------------------------------------------------

MovingPlatformDialog::MovingPlatformDialog(EditorFrame* frame)
    : PropertyDialog(frame, "Platform Properties")
{
    MovingPlatformRecord defaults;
    const MovingPlatformRecord* record = SelectedAs<MovingPlatformRecord>(frame);
    if (!record)
        record = &defaults;
    AddLabel("NAME:", 10, 10);
    AddLabel("START TARGET:", 10, 30);
    AddLabel("END TARGET:", 10, 50);
    AddLabel("SPEED:", 10, 70);
    AddLabel("STOP TIME:", 10, 90);
    nameText = AddText(120, 8, 50, FieldText(record->name));
    startTargetText = AddText(120, 28, 100, FieldText(record->startTarget));
    endTargetText = AddText(120, 48, 100, FieldText(record->endTarget));
    speedText = AddText(120, 68, 50, FormatFloatField(record->speed));
    stopTimeText = AddText(120, 88, 50, FormatFloatField(record->stopTime));
    repeatCheck = AddCheckBox("REPEAT", 108, record->repeat);
    startOnCheck = AddCheckBox("START ON", 128, record->startOn);
    AddOkButton();
}

void MovingPlatformDialog::OnOk(wxCommandEvent&)
{
    if (MovingPlatformRecord* record = dynamic_cast<MovingPlatformRecord*>(SelectedRecord()))
    {
        StoreTextField(TextOf(nameText), record->name);
        StoreTextField(TextOf(startTargetText), record->startTarget);
        StoreTextField(TextOf(endTargetText), record->endTarget);
        StoreFloat(speedText, record->speed);
        StoreFloat(stopTimeText, record->stopTime);
        record->repeat = repeatCheck->GetValue();
        record->startOn = startOnCheck->GetValue();
    }
    Finish();
}

// Target info ---------------------------------------------------------------------------

TargetInfoDialog::TargetInfoDialog(EditorFrame* frame)
    : PropertyDialog(frame, "TargetInfo Properties")
{
    const TargetInfoRecord* record = SelectedAs<TargetInfoRecord>(frame);
    AddLabel("NAME:", 10, 10);
    nameText = AddText(120, 8, 50, record ? FieldText(record->name) : std::string());
    AddOkButton();
}

void TargetInfoDialog::OnOk(wxCommandEvent&)
{
    if (TargetInfoRecord* record = dynamic_cast<TargetInfoRecord*>(SelectedRecord()))
        StoreTextField(TextOf(nameText), record->name);
    Finish();
}

// ---------------------------------------------------------------------------------------

namespace
{

template <class Dialog>
void RunModal(EditorFrame* frame)
{
    Dialog dialog(frame);
    dialog.ShowModal();
}

} // namespace

bool ShowPropertiesDialog(EditorFrame* frame)
{
    const EntityRecord* record = SelectedAs<EntityRecord>(frame);
    if (!record)
        return false;
    switch (static_cast<EntityKind>(record->type))
    {
    case EntityKind::ForceField:
        RunModal<ForceFieldDialog>(frame);
        return true;
    case EntityKind::Button:
        RunModal<ButtonDialog>(frame);
        return true;
    case EntityKind::Rotator:
        RunModal<RotatorDialog>(frame);
        return true;
    case EntityKind::AreaTrigger:
        RunModal<AreaTriggerDialog>(frame);
        return true;
    case EntityKind::MovingPlatform:
        RunModal<MovingPlatformDialog>(frame);
        return true;
    case EntityKind::TargetInfo:
        RunModal<TargetInfoDialog>(frame);
        return true;
    default:
        return false;
    }
}

// clang-format off
wxBEGIN_EVENT_TABLE(ForceFieldDialog, wxDialog)
    EVT_BUTTON(ID_PropertiesOk, ForceFieldDialog::OnOk)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(ButtonDialog, wxDialog)
    EVT_BUTTON(ID_PropertiesOk, ButtonDialog::OnOk)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(WorldPropertiesDialog, wxDialog)
    EVT_BUTTON(ID_PropertiesOk, WorldPropertiesDialog::OnOk)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(RotatorDialog, wxDialog)
    EVT_BUTTON(ID_PropertiesOk, RotatorDialog::OnOk)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(AreaTriggerDialog, wxDialog)
    EVT_BUTTON(ID_PropertiesOk, AreaTriggerDialog::OnOk)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(MovingPlatformDialog, wxDialog)
    EVT_BUTTON(ID_PropertiesOk, MovingPlatformDialog::OnOk)
wxEND_EVENT_TABLE()

wxBEGIN_EVENT_TABLE(TargetInfoDialog, wxDialog)
    EVT_BUTTON(ID_PropertiesOk, TargetInfoDialog::OnOk)
wxEND_EVENT_TABLE()
    // clang-format on
