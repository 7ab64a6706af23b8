#include "editor/editor_document.h"

void EditorDocument::EmptyMap()
{
    beams.clear();
    records.clear();
    ClearSelection();
}

void EditorDocument::ClearMap()
{
    EmptyMap();
    EmptyCopyBuffer();
}

void EditorDocument::EmptyCopyBuffer()
{
    copyBeams.clear();
    copyRecords.clear();
}

void EditorDocument::ClearSelection()
{
    selectedBeam = kNoSelection;
    selectedRecord = kNoSelection;
    drawingBeam = false;
    dragging = false;
    wholeMapTool = false;
}

bool EditorDocument::AddEntity(std::int32_t kind)
{
    std::unique_ptr<EntityRecord> record = CreateEntityRecord(kind);
    if (!record)
        return false;
    pendingRecord = std::move(record);
    editMode = PlaceEntity;
    drawingBeam = false;
    dragging = false;
    wholeMapTool = false;
    return true;
}
