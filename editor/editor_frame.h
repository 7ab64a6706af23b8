// EditorFrame: NautED's main window: the menu bar with every editor command, a status bar that
// shows the menus' help texts, the OpenGL canvas, and the document being edited. Commands
// route by their menu identifiers to handlers that work on the document. File dialogs and
// message boxes go through replaceable seams (wx ones by default).
#pragma once

#include "editor/editor_document.h"
#include "editor/map_io.h"

#include <wx/frame.h>

#include <memory>

class EditorCanvas;
class wxStatusBar;

namespace platform
{
class Prompter;
}

// Menu and popup command identifiers.
enum EditorCommand
{
    ID_Exit = 1,
    ID_LoadMap = 2,
    ID_SaveMap = 3,
    ID_PlaceBeams = 4,
    ID_StartColor = 5,
    ID_EndColor = 6,
    ID_BeamColor = 7,
    ID_ClearMap = 8,
    ID_Translate = 9,
    ID_TranslateWorld = 10,
    ID_CopySection = 11,
    ID_WorldProperties = 12,
    ID_ToggleGrid = 13,
    ID_DecreaseGridSize = 14,
    ID_IncreaseGridSize = 15,
    ID_BackgroundColor = 16,
    ID_GridColor = 17,
    ID_AddEntityFirst = 27, // the Add Entity ids are 27 + kind, for kinds 0..20
    ID_AddEntityLast = 47,
};

class EditorFrame : public wxFrame
{
public:
    EditorFrame(const wxString& title, const wxPoint& position, const wxSize& size);
    ~EditorFrame() override;

    void LoadLineModels();

    // Replaces the file dialogs and message boxes (tests); both must outlive the frame.
    void UsePrompts(MapFileChooser& fileChooser, platform::Prompter& messages);

    void OnExit(wxCommandEvent& event);
    void OnLoadMap(wxCommandEvent& event);
    void OnSaveMap(wxCommandEvent& event);
    void OnClearMap(wxCommandEvent& event);
    void OnAddEntity(wxCommandEvent& event);
    void OnMenuClose(wxMenuEvent& event);

    // Tool, colour, grid and popup commands (editor_frame_commands.cpp).
    void OnPlaceBeams(wxCommandEvent& event);
    void OnStartColor(wxCommandEvent& event);
    void OnEndColor(wxCommandEvent& event);
    void OnBeamColor(wxCommandEvent& event);
    void OnTranslate(wxCommandEvent& event);
    void OnTranslateWorld(wxCommandEvent& event);
    void OnCopySection(wxCommandEvent& event);
    void OnWorldProperties(wxCommandEvent& event);
    void OnToggleGrid(wxCommandEvent& event);
    void OnDecreaseGridSize(wxCommandEvent& event);
    void OnIncreaseGridSize(wxCommandEvent& event);
    void OnBackgroundColor(wxCommandEvent& event);
    void OnGridColor(wxCommandEvent& event);
    void OnDiscard(wxCommandEvent& event);
    void OnPopupClose(wxCommandEvent& event);
    void OnChangeStartColor(wxCommandEvent& event);
    void OnChangeEndColor(wxCommandEvent& event);
    void OnTranslateSelection(wxCommandEvent& event);
    void OnRotate(wxCommandEvent& event);
    void OnScale(wxCommandEvent& event);
    void OnClone(wxCommandEvent& event);
    void OnProperties(wxCommandEvent& event);

    wxStatusBar* statusBar = nullptr;
    EditorCanvas* canvas = nullptr;
    EditorDocument document;

private:
    void BuildMenus();
    void InitGraphics();
    // The modal colour dialog; false, leaving `colour` alone, unless it ends with OK.
    bool ChooseColour(Colour& colour);

    std::unique_ptr<MapFileChooser> wxChooser;
    MapFileChooser* chooser = nullptr;
    platform::Prompter* prompter = nullptr;

    wxDECLARE_EVENT_TABLE();
};
