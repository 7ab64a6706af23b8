// The frame's menu and popup commands as they act on the document and the view state; the
// frame adds the dialogs and the redraws.
#include "editor/edit_tools.h"

void EditTools::DecreaseGridSize()
{
    if (gridSize > 4)
        gridSize /= 2;
}

void EditTools::IncreaseGridSize()
{
    if (gridSize < 32)
        gridSize *= 2;
}

void EditTools::StartTool(EditMode mode)
{
    doc.editMode = mode;
    doc.drawingBeam = false;
    doc.dragging = false;
    picks.clear();
}

void EditTools::PlaceBeamsCommand()
{
    StartTool(PlaceBeams);
    doc.wholeMapTool = false;
    doc.EmptyCopyBuffer();
}

void EditTools::StartUnselectedTool(EditMode mode, bool wholeMap)
{
    StartTool(mode);
    doc.wholeMapTool = wholeMap;
    doc.selectedBeam = EditorDocument::kNoSelection;
    doc.selectedRecord = EditorDocument::kNoSelection;
    doc.EmptyCopyBuffer();
}

void EditTools::TranslateCommand()
{
    StartUnselectedTool(Translate, false);
}

void EditTools::TranslateWorldCommand()
{
    StartUnselectedTool(Translate, true);
}

void EditTools::CopySectionCommand()
{
    StartUnselectedTool(CopySection, true);
    // Hides the copy box until the next press gives it a first corner.
    dragStartY = -1;
}

void EditTools::RotateCommand()
{
    StartTool(Rotate);
    doc.wholeMapTool = false;
}

void EditTools::ScaleCommand()
{
    StartTool(Scale);
    doc.wholeMapTool = false;
}

bool EditTools::AddEntityCommand(std::int32_t kind)
{
    if (!doc.AddEntity(kind))
        return false;
    picks.clear();
    return true;
}

void EditTools::DiscardCommand()
{
    if (const Beam* selected = SelectedBeam())
    {
        const Beam target = *selected;
        doc.selectedBeam = EditorDocument::kNoSelection;
        for (std::size_t i = 0; i < doc.beams.size(); ++i)
        {
            const Beam& beam = doc.beams[i];
            if (beam.x1 == target.x1 && beam.y1 == target.y1 && beam.x2 == target.x2 &&
                beam.y2 == target.y2)
            {
                EraseBeam(i);
                break;
            }
        }
    }
    doc.selectedBeam = EditorDocument::kNoSelection;
    if (const EntityRecord* selected = SelectedRecord())
    {
        const float x = selected->x;
        const float y = selected->y;
        doc.selectedRecord = EditorDocument::kNoSelection;
        for (std::size_t i = 0; i < doc.records.size(); ++i)
        {
            if (doc.records[i]->x == x && doc.records[i]->y == y)
            {
                EraseRecord(i);
                break;
            }
        }
    }
    doc.selectedRecord = EditorDocument::kNoSelection;
    picks.clear();
}

void EditTools::PopupCloseCommand()
{
    doc.selectedBeam = EditorDocument::kNoSelection;
}

void EditTools::TranslateSelectionCommand()
{
    SyncPicks();
    if (const Beam* beam = SelectedBeam())
    {
        doc.dragging = true;
        doc.editMode = Translate;
        const bool firstEnd = Distance(beam->x1, beam->y1, PointerX(), PointerY()) < 10.0f;
        picks.push_back(Pick{firstEnd ? Pick::BeamStart : Pick::BeamEnd, doc.selectedBeam});
    }
    doc.selectedBeam = EditorDocument::kNoSelection;
    if (SelectedRecord())
    {
        doc.dragging = true;
        doc.editMode = Translate;
        picks.push_back(Pick{Pick::RecordPosition, doc.selectedRecord});
    }
    doc.selectedRecord = EditorDocument::kNoSelection;
}

void EditTools::CloneCommand()
{
    const EntityRecord* selected = SelectedRecord();
    if (!selected)
        return;
    std::unique_ptr<EntityRecord> copy = selected->Clone();
    if (!copy)
        return;
    // Replacing the pending record frees one that was never put down.
    doc.pendingRecord = std::move(copy);
    doc.editMode = PlaceEntity;
    doc.drawingBeam = false;
    doc.dragging = false;
    doc.wholeMapTool = false;
    picks.clear();
}

void EditTools::ClearMapCommand()
{
    doc.ClearMap();
    picks.clear();
}

void EditTools::ForgetMap()
{
    doc.ClearSelection();
    picks.clear();
}
