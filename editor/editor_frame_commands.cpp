// The frame's tool, colour, grid, world and popup commands: the dialogs and redraws around
// what EditTools does to the document.
#include "editor/editor_canvas.h"
#include "editor/editor_frame.h"
#include "editor/property_dialogs.h"
#include "platform/prompter.h"

#include <wx/colordlg.h>

bool EditorFrame::ChooseColour(Colour& colour)
{
    wxColourDialog dialog(this, nullptr);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    const wxColour chosen = dialog.GetColourData().GetColour();
    colour = ColourFromBytes(chosen.Red(), chosen.Green(), chosen.Blue());
    Refresh(true);
    return true;
}

void EditorFrame::OnStartColor(wxCommandEvent&)
{
    ChooseColour(document.startColor);
}

void EditorFrame::OnEndColor(wxCommandEvent&)
{
    ChooseColour(document.endColor);
}

void EditorFrame::OnBeamColor(wxCommandEvent&)
{
    if (ChooseColour(document.startColor))
        document.endColor = document.startColor;
}

void EditorFrame::OnBackgroundColor(wxCommandEvent&)
{
    ChooseColour(document.backgroundColor);
}

void EditorFrame::OnGridColor(wxCommandEvent&)
{
    ChooseColour(document.gridColor);
}

void EditorFrame::OnChangeStartColor(wxCommandEvent&)
{
    Beam* beam = canvas->SelectedBeam();
    if (!beam)
        return;
    Colour colour{};
    if (!ChooseColour(colour))
        return;
    beam->startRed = colour.r;
    beam->startGreen = colour.g;
    beam->startBlue = colour.b;
}

void EditorFrame::OnChangeEndColor(wxCommandEvent&)
{
    Beam* beam = canvas->SelectedBeam();
    if (!beam)
        return;
    Colour colour{};
    if (!ChooseColour(colour))
        return;
    beam->endRed = colour.r;
    beam->endGreen = colour.g;
    beam->endBlue = colour.b;
}

void EditorFrame::OnToggleGrid(wxCommandEvent&)
{
    document.gridShown = !document.gridShown;
    Refresh(true);
}

void EditorFrame::OnDecreaseGridSize(wxCommandEvent&)
{
    canvas->DecreaseGridSize();
    Refresh(true);
}

void EditorFrame::OnIncreaseGridSize(wxCommandEvent&)
{
    canvas->IncreaseGridSize();
    Refresh(true);
}

void EditorFrame::OnPlaceBeams(wxCommandEvent&)
{
    canvas->PlaceBeamsCommand();
}

void EditorFrame::OnTranslate(wxCommandEvent&)
{
    canvas->TranslateCommand();
}

void EditorFrame::OnTranslateWorld(wxCommandEvent&)
{
    canvas->TranslateWorldCommand();
}

void EditorFrame::OnCopySection(wxCommandEvent&)
{
    canvas->CopySectionCommand();
}

void EditorFrame::OnRotate(wxCommandEvent&)
{
    canvas->RotateCommand();
}

void EditorFrame::OnScale(wxCommandEvent&)
{
    canvas->ScaleCommand();
}

void EditorFrame::OnDiscard(wxCommandEvent&)
{
    canvas->DiscardCommand();
}

void EditorFrame::OnPopupClose(wxCommandEvent&)
{
    canvas->PopupCloseCommand();
}

void EditorFrame::OnTranslateSelection(wxCommandEvent&)
{
    canvas->TranslateSelectionCommand();
}

void EditorFrame::OnClone(wxCommandEvent&)
{
    canvas->CloneCommand();
}

void EditorFrame::OnProperties(wxCommandEvent&)
{
    if (!canvas->SelectedRecord())
        return;
    if (!ShowPropertiesDialog(this))
        prompter->Inform("No properties available for this entity", "Properties");
}

void EditorFrame::OnWorldProperties(wxCommandEvent&)
{
    WorldPropertiesDialog dialog(this);
    dialog.ShowModal();
    document.EmptyCopyBuffer();
}
