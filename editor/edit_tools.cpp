#include "editor/edit_tools.h"

#include "engine/collision.h"

#include <algorithm>
#include <limits>

namespace
{

constexpr float kEndPickDistance = 10.0f;
constexpr float kBeamPickDistance = 5.0f;
constexpr float kRecordPickDistance = 15.0f;

// Renews the segment's normal, direction and length from its ends; the colours stay.
void Rebuild(Beam& beam)
{
    static_cast<Segment&>(beam) = Segment(beam.x1, beam.y1, beam.x2, beam.y2);
}

bool Near(float x, float y, float px, float py, float limit)
{
    return Distance(x, y, px, py) < limit;
}

// Radii change without limit, but never past what an int32 holds.
std::int32_t AddClamped(std::int32_t value, std::int64_t delta)
{
    const std::int64_t sum = static_cast<std::int64_t>(value) + delta;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool InRange(int index, std::size_t size)
{
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

} // namespace

Colour ColourFromBytes(unsigned char red, unsigned char green, unsigned char blue)
{
    constexpr float kPerByte = 0.003921569f;
    return Colour{red * kPerByte, green * kPerByte, blue * kPerByte};
}

std::int32_t* RadiusOf(EntityRecord& record)
{
    if (ForceRecord* force = dynamic_cast<ForceRecord*>(&record))
        return &force->radius;
    if (RotatorRecord* rotator = dynamic_cast<RotatorRecord*>(&record))
        return &rotator->radius;
    if (AreaTriggerRecord* trigger = dynamic_cast<AreaTriggerRecord*>(&record))
        return &trigger->radius;
    if (MovingPlatformRecord* platform = dynamic_cast<MovingPlatformRecord*>(&record))
        return &platform->radius;
    return nullptr;
}

const std::int32_t* RadiusOf(const EntityRecord& record)
{
    return RadiusOf(const_cast<EntityRecord&>(record));
}

EditTools::EditTools(EditorDocument& document) : doc(document) {}

int EditTools::Snap(int v) const
{
    return v / gridSize * gridSize;
}

Beam* EditTools::SelectedBeam()
{
    if (!InRange(doc.selectedBeam, doc.beams.size()))
        return nullptr;
    return &doc.beams[static_cast<std::size_t>(doc.selectedBeam)];
}

EntityRecord* EditTools::SelectedRecord()
{
    if (!InRange(doc.selectedRecord, doc.records.size()))
        return nullptr;
    return doc.records[static_cast<std::size_t>(doc.selectedRecord)].get();
}

void EditTools::SyncPicks()
{
    if (!doc.dragging)
        picks.clear();
}

void EditTools::EraseBeam(std::size_t index)
{
    doc.beams.erase(doc.beams.begin() + static_cast<std::ptrdiff_t>(index));
    picks.clear();
    const int erased = static_cast<int>(index);
    if (doc.selectedBeam == erased)
        doc.selectedBeam = EditorDocument::kNoSelection;
    else if (doc.selectedBeam > erased)
        --doc.selectedBeam;
}

void EditTools::EraseRecord(std::size_t index)
{
    doc.records.erase(doc.records.begin() + static_cast<std::ptrdiff_t>(index));
    picks.clear();
    const int erased = static_cast<int>(index);
    if (doc.selectedRecord == erased)
        doc.selectedRecord = EditorDocument::kNoSelection;
    else if (doc.selectedRecord > erased)
        --doc.selectedRecord;
}

void EditTools::MoveBeams(std::vector<Beam>& beams, float dx, float dy)
{
    for (Beam& beam : beams)
    {
        beam.x1 += dx;
        beam.y1 += dy;
        beam.x2 += dx;
        beam.y2 += dy;
        Rebuild(beam);
    }
}

void EditTools::MoveRecords(std::vector<std::unique_ptr<EntityRecord>>& records, float dx, float dy)
{
    for (std::unique_ptr<EntityRecord>& record : records)
    {
        record->x += dx;
        record->y += dy;
    }
}

// Left button ---------------------------------------------------------------------------

void EditTools::LeftDown(int x, int y)
{
    SyncPicks();
    switch (doc.editMode)
    {
    case PlaceBeams:
        doc.drawingBeam = true;
        dragStartX = Snap(x);
        dragStartY = Snap(y);
        break;
    case Translate:
    {
        const float px = PointerX();
        const float py = PointerY();
        for (std::size_t i = 0; i < doc.beams.size(); ++i)
        {
            const Beam& beam = doc.beams[i];
            if (Near(beam.x1, beam.y1, px, py, kEndPickDistance))
            {
                doc.dragging = true;
                picks.push_back(Pick{Pick::BeamStart, static_cast<int>(i)});
            }
            else if (Near(beam.x2, beam.y2, px, py, kEndPickDistance))
            {
                doc.dragging = true;
                picks.push_back(Pick{Pick::BeamEnd, static_cast<int>(i)});
            }
        }
        for (std::size_t i = 0; i < doc.records.size(); ++i)
        {
            const EntityRecord& record = *doc.records[i];
            if (Near(record.x, record.y, px, py, kRecordPickDistance))
            {
                doc.dragging = true;
                picks.push_back(Pick{Pick::RecordPosition, static_cast<int>(i)});
                break;
            }
        }
        break;
    }
    case CopySection:
        dragStartX = dragX;
        dragStartY = dragY;
        break;
    case Paste:
        PasteCopies();
        break;
    case PlaceEntity:
    case Rotate:
    case Scale:
        break;
    }
}

void EditTools::PasteCopies()
{
    doc.editMode = Translate;
    // The beams join the map in the reverse of their copy order, the records in theirs.
    while (!doc.copyBeams.empty())
    {
        doc.beams.push_back(doc.copyBeams.back());
        doc.copyBeams.pop_back();
    }
    for (std::unique_ptr<EntityRecord>& record : doc.copyRecords)
        doc.records.push_back(std::move(record));
    doc.copyRecords.clear();
    doc.copyBeams.shrink_to_fit();
    doc.copyRecords.shrink_to_fit();
}

// Motion --------------------------------------------------------------------------------

void EditTools::Motion(int x, int y, bool leftDown, bool middleDown)
{
    SyncPicks();
    const int sx = Snap(x);
    const int sy = Snap(y);
    if (middleDown)
    {
        panX += sx - dragX;
        panY += sy - dragY;
        if (panY > 0)
            panY = 0;
    }
    EntityRecord* selected = SelectedRecord();
    if (doc.editMode == Rotate && leftDown && selected)
    {
        float angle = selected->angle + static_cast<float>(2 * (sx - dragX));
        // Whole multiples of 10 degrees; the single-precision 0.1 lies a little above one tenth,
        // so multiples of 10 survive the truncation.
        const float tenths = angle * 0.1f;
        if (tenths > -2147483648.0f && tenths < 2147483647.0f)
            angle = static_cast<float>(static_cast<int>(tenths)) * 10.0f;
        selected->angle = angle;
    }
    if (doc.editMode == Scale && leftDown && selected)
    {
        if (std::int32_t* radius = RadiusOf(*selected))
            *radius = AddClamped(*radius, 2 * static_cast<std::int64_t>(sx - dragX));
    }
    const float dx = static_cast<float>(sx - dragX);
    const float dy = static_cast<float>(sy - dragY);
    if (doc.editMode == Translate && leftDown && doc.wholeMapTool)
    {
        MoveBeams(doc.beams, dx, dy);
        MoveRecords(doc.records, dx, dy);
    }
    if (doc.editMode == Paste)
    {
        MoveBeams(doc.copyBeams, dx, dy);
        MoveRecords(doc.copyRecords, dx, dy);
        if (middleDown)
        {
            // While the view pans, the copies keep their world position under the pointer.
            MoveBeams(doc.copyBeams, -dx, -dy);
            MoveRecords(doc.copyRecords, -dx, -dy);
        }
    }
    if (doc.editMode == CopySection)
    {
        if (dragX < dragStartX)
            dragStartX = dragX;
        if (dragY < dragStartY)
            dragStartY = dragY;
    }
    dragX = sx;
    dragY = sy;
    mouseX = x;
    mouseY = y;
    if (doc.dragging)
        MovePicks();
}

void EditTools::MovePicks()
{
    const float wx = static_cast<float>(dragX - panX);
    const float wy = static_cast<float>(dragY - panY);
    for (const Pick& pick : picks)
    {
        if (pick.kind == Pick::RecordPosition)
        {
            if (!InRange(pick.index, doc.records.size()))
                continue;
            EntityRecord& record = *doc.records[static_cast<std::size_t>(pick.index)];
            record.x = wx;
            record.y = wy;
        }
        else
        {
            if (!InRange(pick.index, doc.beams.size()))
                continue;
            Beam& beam = doc.beams[static_cast<std::size_t>(pick.index)];
            if (pick.kind == Pick::BeamStart)
            {
                beam.x1 = wx;
                beam.y1 = wy;
            }
            else
            {
                beam.x2 = wx;
                beam.y2 = wy;
            }
        }
        for (Beam& beam : doc.beams)
        {
            if ((beam.x1 == wx && beam.y1 == wy) || (beam.x2 == wx && beam.y2 == wy))
                Rebuild(beam);
        }
    }
}

// Left release --------------------------------------------------------------------------

void EditTools::LeftUp()
{
    SyncPicks();
    switch (doc.editMode)
    {
    case PlaceBeams:
        if (doc.drawingBeam)
        {
            doc.drawingBeam = false;
            Beam beam;
            static_cast<Segment&>(beam) = Segment(
                static_cast<float>(dragStartX - panX), static_cast<float>(dragStartY - panY),
                static_cast<float>(dragX - panX), static_cast<float>(dragY - panY));
            beam.startRed = doc.startColor.r;
            beam.startGreen = doc.startColor.g;
            beam.startBlue = doc.startColor.b;
            beam.endRed = doc.endColor.r;
            beam.endGreen = doc.endColor.g;
            beam.endBlue = doc.endColor.b;
            if (Distance(beam.x1, beam.y1, beam.x2, beam.y2) > 0.0f)
                doc.beams.push_back(beam);
        }
        break;
    case Translate:
        if (doc.wholeMapTool)
        {
            doc.wholeMapTool = false;
        }
        else if (doc.dragging)
        {
            doc.dragging = false;
            picks.clear();
            picks.shrink_to_fit();
            for (std::size_t i = 0; i < doc.beams.size(); ++i)
            {
                const Beam& beam = doc.beams[i];
                if (Distance(beam.x1, beam.y1, beam.x2, beam.y2) == 0.0f)
                {
                    EraseBeam(i);
                    break;
                }
            }
        }
        break;
    case PlaceEntity:
        if (doc.pendingRecord)
        {
            doc.pendingRecord->x = static_cast<float>(dragX - panX);
            doc.pendingRecord->y = static_cast<float>(dragY - panY);
            doc.records.push_back(std::move(doc.pendingRecord));
            doc.pendingRecord.reset();
            doc.editMode = PlaceBeams;
        }
        break;
    case Rotate:
    case Scale:
        doc.editMode = Translate;
        doc.selectedRecord = EditorDocument::kNoSelection;
        break;
    case CopySection:
        doc.editMode = Translate;
        CopyBox();
        break;
    case Paste:
        break;
    }
}

void EditTools::CopyBox()
{
    const float w = static_cast<float>(dragX - dragStartX);
    const float h = static_cast<float>(dragY - dragStartY);
    const Box box(w, h, static_cast<float>(dragStartX) + w * 0.5f - static_cast<float>(panX),
                  static_cast<float>(dragStartY) + h * 0.5f - static_cast<float>(panY));
    for (const Beam& beam : doc.beams)
    {
        if (SegmentHitsBox(beam, box))
            doc.copyBeams.push_back(beam);
    }
    for (const std::unique_ptr<EntityRecord>& record : doc.records)
    {
        if (!PointInBox(record->x, record->y, box))
            continue;
        if (std::unique_ptr<EntityRecord> copy = record->Clone())
            doc.copyRecords.push_back(std::move(copy));
    }
    if (!doc.copyBeams.empty() || !doc.copyRecords.empty())
        doc.editMode = Paste;
}

// Right button --------------------------------------------------------------------------

PopupKind EditTools::RightDown()
{
    SyncPicks();
    if (doc.wholeMapTool)
    {
        doc.wholeMapTool = false;
        return PopupKind::None;
    }
    if (doc.editMode == CopySection || doc.editMode == Paste)
    {
        doc.editMode = Translate;
        return PopupKind::None;
    }
    const float px = PointerX();
    const float py = PointerY();
    for (std::size_t i = 0; i < doc.beams.size(); ++i)
    {
        const Beam& beam = doc.beams[i];
        PopupKind kind = PopupKind::None;
        if (Near(beam.x1, beam.y1, px, py, kEndPickDistance) ||
            Near(beam.x2, beam.y2, px, py, kEndPickDistance))
            kind = PopupKind::End;
        else if (PointSegmentDistance(px, py, beam) < kBeamPickDistance)
            kind = PopupKind::Beam;
        if (kind != PopupKind::None)
        {
            doc.selectedBeam = static_cast<int>(i);
            doc.selectedRecord = EditorDocument::kNoSelection;
            return kind;
        }
    }
    for (std::size_t i = 0; i < doc.records.size(); ++i)
    {
        const EntityRecord& record = *doc.records[i];
        if (Near(record.x, record.y, px, py, kRecordPickDistance))
        {
            doc.selectedRecord = static_cast<int>(i);
            doc.selectedBeam = EditorDocument::kNoSelection;
            return PopupKind::Entity;
        }
    }
    return PopupKind::None;
}

std::vector<PopupItem> EditTools::PopupItems(PopupKind kind) const
{
    std::vector<PopupItem> items;
    switch (kind)
    {
    case PopupKind::None:
        break;
    case PopupKind::End:
    {
        bool firstEnd = false;
        if (InRange(doc.selectedBeam, doc.beams.size()))
        {
            const Beam& beam = doc.beams[static_cast<std::size_t>(doc.selectedBeam)];
            firstEnd = Near(beam.x1, beam.y1, PointerX(), PointerY(), kEndPickDistance);
        }
        items = {{ID_Discard, "&Discard"},
                 {0, nullptr},
                 {firstEnd ? ID_ChangeStartColor : ID_ChangeEndColor, "&Change Color"},
                 {0, nullptr},
                 {ID_TranslateSelection, "&Translate"},
                 {0, nullptr},
                 {ID_PopupClose, "&Close"}};
        break;
    }
    case PopupKind::Beam:
        items = {{ID_Discard, "&Discard"}, {0, nullptr}, {ID_PopupClose, "&Close"}};
        break;
    case PopupKind::Entity:
    {
        items = {{ID_Discard, "&Discard"},
                 {0, nullptr},
                 {ID_TranslateSelection, "&Translate"},
                 {ID_Rotate, "&Rotate"}};
        const bool scalable = InRange(doc.selectedRecord, doc.records.size()) &&
                              RadiusOf(*doc.records[static_cast<std::size_t>(doc.selectedRecord)]);
        if (scalable)
            items.push_back({ID_Scale, "&Scale"});
        items.push_back({ID_Clone, "&Clone"});
        items.push_back({ID_Properties, "&Properties"});
        items.push_back({ID_PopupClose, "&Close"});
        break;
    }
    }
    return items;
}

void EditTools::PanByKey(int dx, int dy)
{
    panX += dx * gridSize;
    panY += dy * gridSize;
    if (panY > 0)
        panY = 0;
}
