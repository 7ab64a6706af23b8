#include "editor/editor_frame.h"

#include "editor/editor_canvas.h"
#include "platform/prompter.h"

#define ILUT_USE_OPENGL
#include <IL/il.h>
#include <IL/ilu.h>
#include <IL/ilut.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

namespace
{

// The toolkit's modal file dialogs, with the frame as parent. The working folder follows the
// chosen file's folder; the editor has read all its data files by then.
class WxMapFileChooser : public MapFileChooser
{
public:
    explicit WxMapFileChooser(wxWindow* parent) : parent(parent) {}

    bool ChooseMapFile(const std::string& message, bool forSave, std::string& path) override
    {
        const long style = forSave ? (wxFD_SAVE | wxFD_CHANGE_DIR)
                                   : (wxFD_OPEN | wxFD_FILE_MUST_EXIST | wxFD_CHANGE_DIR);
        wxFileDialog dialog(parent, wxString::FromUTF8(message), "", "", "MAP files (*.map)|*.map",
                            style);
        if (dialog.ShowModal() != wxID_OK)
            return false;
        path = std::string(dialog.GetPath().fn_str());
        return !path.empty();
    }

private:
    wxWindow* parent;
};

struct MenuItemEntry
{
    int menu; // index into kMenuTitles
    const char* caption;
    const char* help;
    int id; // 0: a separator
};

const char* const kMenuTitles[] = {"&File", "&Edit", "&View", "&BeamGeomtry", "&Add Entity"};

const MenuItemEntry kMenuItems[] = {
    {0, "&Load Map\tCtrl-L", "Load An Existing Map", ID_LoadMap},
    {0, "&Save Map\tCtrl-S", "Save Map", ID_SaveMap},
    {0, nullptr, nullptr, 0},
    {0, "E&xit\tCtrl-Q", "Exit", ID_Exit},
    {1, "&Clear Map\tCtrl-c", "Clear Map", ID_ClearMap},
    {1, "&Translate\tCtrl-t", "Translate entity or beam", ID_Translate},
    {1, "&Translate World\tCtrl-w", "Translate Everything", ID_TranslateWorld},
    {1, "&Copy Section\tCtrl-v", "Copy a Section of Map", ID_CopySection},
    {1, "&World Properties", "Enter world properties, such as title and password",
     ID_WorldProperties},
    {2, "Toggle &Grid\tCtrl-g", "Toggle Grid Display", ID_ToggleGrid},
    {2, "Decrease Grid Size\tCtrl-n", "Decrease Grid Size", ID_DecreaseGridSize},
    {2, "Increase Grid Size\tCtrl-m", "Increase Grid Size", ID_IncreaseGridSize},
    {2, "BG Color", "Change The Background Color", ID_BackgroundColor},
    {2, "Grid Color", "Change The Grid Color", ID_GridColor},
    {3, "&Place Beams\tCtrl-p", "Place Beams in the map", ID_PlaceBeams},
    {3, "&Start Color\tCtrl-1", "Starting Color of beam", ID_StartColor},
    {3, "&End Color\tCtrl-2", "Ending Color of beam", ID_EndColor},
    {3, "&Beam Color\tCtrl-3", "Color of beam", ID_BeamColor},
    {4, "Blue Turret", "Create A Blue Turret", 27},
    {4, "Red Turret", "Create A Red Turret", 35},
    {4, "Green Turret", "Create A Green Turret", 44},
    {4, "ForceField", "Create A ForceField", 28},
    {4, "Button", "Create A Button Trigger", 29},
    {4, "Area Trigger", "Create An Area Trigger", 38},
    {4, "Force", "Create A Propulsion Force", 30},
    {4, "Fuel Pod", "Create A Fuel Pod", 31},
    {4, "Space Man", "Create A Space Man", 32},
    {4, "Generator", "Create A Generator", 33},
    {4, "Blue Tank", "Create A Blue Tank", 34},
    {4, "Depth Charge", "Create A Depth Charge", 36},
    {4, "Rotator", "Create A Rotator that wil leffect geometry within its radius", 37},
    {4, "Tree", "Create A Tree", 39},
    {4, "Rock", "Create A Rock", 40},
    {4, "Large Rock", "Create A Large Rock", 41},
    {4, "Volcano", "Create A Volcano", 42},
    {4, "Homing Missile", "Create A Homing Missile", 43},
    {4, "Moving Platform", "Create A Moving Platform", 45},
    {4, "Target Info", "Create A Target for a Platform", 46},
    {4, "Beacon", "Create A Respawn Beacon", 47},
};

} // namespace

EditorFrame::EditorFrame(const wxString& title, const wxPoint& position, const wxSize& size)
    : wxFrame(nullptr, wxID_ANY, title, position, size, wxDEFAULT_FRAME_STYLE),
      wxChooser(std::make_unique<WxMapFileChooser>(this)), chooser(wxChooser.get()),
      prompter(&platform::WxPrompter())
{
    LoadLineModels();
    statusBar = CreateStatusBar(1);
    BuildMenus();
    InitGraphics();
}

EditorFrame::~EditorFrame()
{
    ilShutDown();
    gBeamTexture = 0;
}

void EditorFrame::LoadLineModels()
{
    LoadEntityOutlines(document.outlines);
}

void EditorFrame::UsePrompts(MapFileChooser& fileChooser, platform::Prompter& messages)
{
    chooser = &fileChooser;
    prompter = &messages;
}

void EditorFrame::BuildMenus()
{
    constexpr int kMenuCount = sizeof kMenuTitles / sizeof kMenuTitles[0];
    wxMenu* menus[kMenuCount];
    for (wxMenu*& menu : menus)
        menu = new wxMenu;
    for (const MenuItemEntry& item : kMenuItems)
    {
        if (item.id == 0)
            menus[item.menu]->AppendSeparator();
        else
            menus[item.menu]->Append(item.id, item.caption, item.help);
    }
    wxMenuBar* bar = new wxMenuBar;
    for (int i = 0; i < kMenuCount; ++i)
        bar->Append(menus[i], kMenuTitles[i]);
    SetMenuBar(bar);
}

void EditorFrame::InitGraphics()
{
    canvas = new EditorCanvas(this, this, wxPoint(0, 0), wxSize(500, 480));
    // The renderer and the beam texture need a current GL context: the canvas sets them up
    // at its first paint.
    ilInit();
    iluInit();
    ilutInit();
}

void EditorFrame::OnExit(wxCommandEvent&)
{
    Close(true);
}

void EditorFrame::OnLoadMap(wxCommandEvent&)
{
    if (LoadMapCommand(document, *chooser, *prompter))
    {
        canvas->panX = 0;
        canvas->panY = 0;
        canvas->ForgetMap();
    }
}

void EditorFrame::OnSaveMap(wxCommandEvent&)
{
    SaveMapCommand(document, *chooser, *prompter);
}

void EditorFrame::OnClearMap(wxCommandEvent&)
{
    canvas->ClearMapCommand();
    Refresh(true);
}

void EditorFrame::OnAddEntity(wxCommandEvent& event)
{
    document.AddEntity(event.GetId() - ID_AddEntityFirst);
}

void EditorFrame::OnMenuClose(wxMenuEvent& event)
{
    event.Skip();
    Refresh(true);
}

// clang-format off
wxBEGIN_EVENT_TABLE(EditorFrame, wxFrame)
    EVT_MENU(ID_Exit, EditorFrame::OnExit)
    EVT_MENU(ID_LoadMap, EditorFrame::OnLoadMap)
    EVT_MENU(ID_SaveMap, EditorFrame::OnSaveMap)
    EVT_MENU(ID_ClearMap, EditorFrame::OnClearMap)
    EVT_MENU_RANGE(ID_AddEntityFirst, ID_AddEntityLast, EditorFrame::OnAddEntity)
    EVT_MENU_CLOSE(EditorFrame::OnMenuClose)
    EVT_MENU(ID_PlaceBeams, EditorFrame::OnPlaceBeams)
    EVT_MENU(ID_StartColor, EditorFrame::OnStartColor)
    EVT_MENU(ID_EndColor, EditorFrame::OnEndColor)
    EVT_MENU(ID_BeamColor, EditorFrame::OnBeamColor)
    EVT_MENU(ID_Translate, EditorFrame::OnTranslate)
    EVT_MENU(ID_TranslateWorld, EditorFrame::OnTranslateWorld)
    EVT_MENU(ID_CopySection, EditorFrame::OnCopySection)
    EVT_MENU(ID_WorldProperties, EditorFrame::OnWorldProperties)
    EVT_MENU(ID_ToggleGrid, EditorFrame::OnToggleGrid)
    EVT_MENU(ID_DecreaseGridSize, EditorFrame::OnDecreaseGridSize)
    EVT_MENU(ID_IncreaseGridSize, EditorFrame::OnIncreaseGridSize)
    EVT_MENU(ID_BackgroundColor, EditorFrame::OnBackgroundColor)
    EVT_MENU(ID_GridColor, EditorFrame::OnGridColor)
    EVT_MENU(ID_Discard, EditorFrame::OnDiscard)
    EVT_MENU(ID_PopupClose, EditorFrame::OnPopupClose)
    EVT_MENU(ID_ChangeStartColor, EditorFrame::OnChangeStartColor)
    EVT_MENU(ID_ChangeEndColor, EditorFrame::OnChangeEndColor)
    EVT_MENU(ID_TranslateSelection, EditorFrame::OnTranslateSelection)
    EVT_MENU(ID_Rotate, EditorFrame::OnRotate)
    EVT_MENU(ID_Scale, EditorFrame::OnScale)
    EVT_MENU(ID_Clone, EditorFrame::OnClone)
    EVT_MENU(ID_Properties, EditorFrame::OnProperties)
wxEND_EVENT_TABLE()
// clang-format on
