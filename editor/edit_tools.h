// EditTools: the canvas's view state (pan, grid size, pointer, drag points, the points the
// Translate tool drags) and everything the mouse, the arrow keys and the frame's commands do
// to the document with it. It needs no window: the canvas feeds it its events and draws what
// it holds, the frame calls its commands, and tests drive it headless.
//
// Picks name a beam end or a record by index and are dropped whenever dragging ends or the
// document loses beams or records, so a drag never writes into storage that moved or went.
// Erasing a beam or a record keeps the selection on the same item (or clears it when that
// item is the one erased).
#pragma once

#include "editor/editor_document.h"

#include <cstdint>
#include <vector>

struct Pick
{
    enum Kind : std::uint8_t
    {
        BeamStart,      // (x1, y1) of beams[index]
        BeamEnd,        // (x2, y2) of beams[index]
        RecordPosition, // (x, y) of records[index]
    };
    Kind kind;
    int index;
};

// The context menu the right button opens.
enum class PopupKind
{
    None,
    End,
    Beam,
    Entity,
};

// Popup command identifiers (handled by the frame).
enum PopupCommand
{
    ID_Discard = 18,
    ID_PopupClose = 19,
    ID_ChangeStartColor = 20,
    ID_ChangeEndColor = 21,
    ID_TranslateSelection = 22,
    ID_Rotate = 23,
    ID_Scale = 24,
    ID_Clone = 25,
    ID_Properties = 26,
};

struct PopupItem
{
    int id; // 0: a separator
    const char* caption;
};

// byte x 0.003921569 per channel: 255 gives 1.0, 0 gives 0.0.
Colour ColourFromBytes(unsigned char red, unsigned char green, unsigned char blue);

// The radius of a Force, Rotator, AreaTrigger or MovingPlatform record; null for the others.
std::int32_t* RadiusOf(EntityRecord& record);
const std::int32_t* RadiusOf(const EntityRecord& record);

class EditTools
{
public:
    explicit EditTools(EditorDocument& document);

    // v / gridSize x gridSize, truncated toward zero.
    int Snap(int v) const;

    // Mouse tools; x, y in canvas pixels.
    void LeftDown(int x, int y);
    void Motion(int x, int y, bool leftDown, bool middleDown);
    void LeftUp();
    // Finds what the pointer is on and selects it; returns the menu to show (None: show
    // nothing, the caller refreshes).
    PopupKind RightDown();
    // The items of the menu for `kind`; the end menu's colour item depends on which end of the
    // selected beam is under the pointer.
    std::vector<PopupItem> PopupItems(PopupKind kind) const;

    // Arrow keys: moves the view one grid step; dx, dy are -1, 0 or 1.
    void PanByKey(int dx, int dy);

    // The frame's commands that touch the view state or the picks.
    void DecreaseGridSize();
    void IncreaseGridSize();
    void PlaceBeamsCommand();
    void TranslateCommand();
    void TranslateWorldCommand();
    void CopySectionCommand();
    void RotateCommand();
    void ScaleCommand();
    bool AddEntityCommand(std::int32_t kind);
    void DiscardCommand();
    void PopupCloseCommand();
    void TranslateSelectionCommand();
    void CloneCommand();
    void ClearMapCommand();
    // After the document was emptied or replaced from outside (Load Map).
    void ForgetMap();

    // The selected beam or record, or null.
    Beam* SelectedBeam();
    EntityRecord* SelectedRecord();

    EditorDocument& doc;
    std::vector<Pick> picks;
    int mouseX = 0;
    int mouseY = 0;
    int panX = 0;
    int panY = 0;
    int gridSize = 8;
    int dragStartX = 0;
    int dragStartY = 0;
    int dragX = 0;
    int dragY = 0;

private:
    // The pointer of the last motion event in world coordinates.
    float PointerX() const { return static_cast<float>(mouseX - panX); }
    float PointerY() const { return static_cast<float>(mouseY - panY); }
    // Drops the picks when no drag is under way (the document may have ended it).
    void SyncPicks();
    void StartTool(EditMode mode);
    // A tool that starts with no selection and an empty copy buffer.
    void StartUnselectedTool(EditMode mode, bool wholeMap);
    void EraseBeam(std::size_t index);
    void EraseRecord(std::size_t index);
    void MoveBeams(std::vector<Beam>& beams, float dx, float dy);
    void MoveRecords(std::vector<std::unique_ptr<EntityRecord>>& records, float dx, float dy);
    void MovePicks();
    void PasteCopies();
    void CopyBox();
};
