// EditorDocument: the map being edited and the editing state the menus and the canvas share:
// walls, owned entity records, beam and view colours, grid display, the current tool, the
// selection, the record waiting to be placed, the copy buffer, the outlines and the world
// properties. It needs no window, so every command on it runs headless; the frame and the
// canvas call into it.
//
// The selection is held as indices and is cleared with the document, so it never names a
// beam or record that has gone. Records, their clones in the copy buffer and the pending
// record are owned here and freed with the document.
#pragma once

#include "editor/entity_outlines.h"
#include "editor/entity_record.h"
#include "engine/geometry.h"
#include "engine/line_model.h"
#include "engine/map_format.h"

#include <cstdint>
#include <memory>
#include <vector>

enum EditMode
{
    PlaceBeams = 0,
    Translate = 1,
    PlaceEntity = 2,
    Rotate = 3,
    Scale = 4,
    CopySection = 5,
    Paste = 6,
};

struct Colour
{
    float r, g, b;
};

class EditorDocument
{
public:
    static constexpr int kNoSelection = -1;
    // The end timer of a new document: the World Properties dialog's own starting value.
    static constexpr std::int32_t kDefaultEndTimer = 30;

    // Deletes every beam and record and forgets the selection and any tool under way; the
    // colours, grid, edit mode, pending record, copy buffer and world properties stay.
    void EmptyMap();
    // Clear Map: EmptyMap and the copy buffer emptied.
    void ClearMap();
    void EmptyCopyBuffer();
    // Selection and the drag flags of the tools.
    void ClearSelection();
    // Add Entity: a default record of the kind becomes the pending record (any earlier one is
    // freed) and the PlaceEntity tool starts. False for codes outside 0..20.
    bool AddEntity(std::int32_t kind);

    Colour startColor{1.0f, 1.0f, 1.0f};
    Colour endColor{1.0f, 1.0f, 1.0f};
    std::vector<Beam> beams;
    std::vector<Beam> copyBeams;
    bool gridShown = true;
    Colour backgroundColor{0.5f, 0.5f, 0.45f};
    Colour gridColor{0.4f, 0.4f, 0.3f};
    EditMode editMode = PlaceBeams;
    bool drawingBeam = false;
    bool dragging = false;
    bool wholeMapTool = false;
    int selectedBeam = kNoSelection;   // index into beams
    int selectedRecord = kNoSelection; // index into records
    std::vector<std::unique_ptr<EntityRecord>> records;
    std::vector<std::unique_ptr<EntityRecord>> copyRecords;
    std::unique_ptr<EntityRecord> pendingRecord;
    LineModel outlines[kOutlineCount];
    char title[kTitleSize] = "none";
    char password[kPasswordSize] = "none";
    std::int32_t endTimer = kDefaultEndTimer;
};
