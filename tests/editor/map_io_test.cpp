#include "editor/editor_document.h"
#include "editor/map_io.h"
#include "support/fake_map_chooser.h"
#include "support/map_fixture.h"
#include "support/recording_prompter.h"

#include <cstring>

using namespace cavtest;

namespace
{

class MapIoTest : public LevelTest
{
protected:
    std::string Save(const EditorDocument& document, const std::string& path)
    {
        chooser.path = path;
        SaveMapCommand(document, chooser, prompter);
        return ReadFile(path);
    }
    bool Load(EditorDocument& document, const std::string& path)
    {
        chooser.path = path;
        return LoadMapCommand(document, chooser, prompter);
    }
    std::string LastBox() const { return prompter.Texts().empty() ? "" : prompter.Texts().back(); }

    FakeMapChooser chooser;
    RecordingPrompter prompter;
};

const char* const kSaved = "Done.|Saved Map";
const char* const kSaveFailed = "Failed To Save Map|ERROR";
const char* const kLoaded = "Done.|Map Loaded Successfully";
const char* const kLoadFailed = "Failed To Open Map|ERROR";

TEST_F(MapIoTest, AnEmptyDocumentSavesFiftyBytesTheSameEachTime)
{
    EditorDocument document;
    const std::string bytes = Save(document, "empty.map");
    EXPECT_EQ(LastBox(), kSaved);
    std::string title("none");
    title.resize(32, '\0');
    EXPECT_EQ(bytes, Le32(0) + Le32(0) + title + std::string("none\0\0", 6) + Le32(30));
    EXPECT_EQ(Save(document, "again.map"), bytes);
    EXPECT_EQ(chooser.messages.front(), "Save Map|save");
}

TEST_F(MapIoTest, EveryKindRoundTripsThroughTheEditorAndTheGame)
{
    ASSERT_TRUE(WriteMap("every.map", EveryKindMap()));
    EditorDocument document;
    ASSERT_TRUE(Load(document, "every.map"));
    EXPECT_EQ(LastBox(), kLoaded);
    EXPECT_EQ(chooser.messages.front(), "Load Map|load");

    // The save at the end checks every byte; what bytes cannot show is where the fields land
    // in memory (three kinds hold them in another order) and the rebuilt segment data.
    ASSERT_EQ(document.beams.size(), 2u);
    EXPECT_FLOAT_EQ(document.beams[1].length, Distance(0.0f, 900.0f, 300.0f, 880.0f));
    ASSERT_EQ(document.records.size(), 21u);
    for (std::int32_t code = 0; code < kPlaceableKindCount; ++code)
    {
        const EntityRecord& record = *document.records[static_cast<std::size_t>(code)];
        EXPECT_EQ(record.type, code);
        EXPECT_EQ(record.x, 1000.0f * code + 5.5f);
        EXPECT_EQ(record.y, 300.0f + code);
        EXPECT_EQ(record.angle, 10.0f);
    }
    auto& field = dynamic_cast<ForceFieldRecord&>(*document.records[1]);
    EXPECT_STREQ(field.name, "fieldName");
    EXPECT_STREQ(field.target, "fieldTarget");
    EXPECT_EQ(field.startupDelay, 0.25f);
    EXPECT_EQ(field.offTime, 4.5f);
    EXPECT_EQ(field.onTime, 2.5f);
    auto& platform = dynamic_cast<MovingPlatformRecord&>(*document.records[18]);
    EXPECT_STREQ(platform.name, "platName");
    EXPECT_STREQ(platform.endTarget, "toThere");
    EXPECT_EQ(platform.radius, 12);
    EXPECT_EQ(platform.stopTime, 1.5f);
    EXPECT_TRUE(platform.repeat);
    EXPECT_FALSE(platform.startOn);
    auto& trigger = dynamic_cast<AreaTriggerRecord&>(*document.records[11]);
    EXPECT_STREQ(trigger.target, "triggerTarget");
    EXPECT_EQ(trigger.radius, 44);
    EXPECT_EQ(document.endTimer, 77);

    // Saved again: byte for byte what the shared writer made, which the game's loader reads
    // field by field in its own tests.
    EXPECT_EQ(Save(document, "again.map"), ReadFile("every.map"));
    EXPECT_EQ(LastBox(), kSaved);
    ASSERT_TRUE(LoadMapFile("again.map"));
    EXPECT_EQ(engine->level.entities.size(), 21u);
    EXPECT_STREQ(engine->level.title, "EVERY KIND");
}

TEST_F(MapIoTest, AnUnknownKindKeepsTheRecordsBeforeItAndTheOldWorldProperties)
{
    MapDocument map = EveryKindMap();
    map.entities.resize(3);
    ASSERT_TRUE(WriteMap("bad.map", map));
    // The third record becomes a seeker, which no map may place.
    PatchFile("bad.map", 8 + 2 * 40 + 16 + 60, Le32(21));

    EditorDocument document;
    document.beams.resize(5);
    document.selectedBeam = 4;
    document.selectedRecord = 0;
    document.dragging = true;
    document.editMode = Translate;
    std::strcpy(document.title, "OLD");
    EXPECT_TRUE(Load(document, "bad.map"));
    EXPECT_EQ(LastBox(), kLoadFailed);
    EXPECT_EQ(document.beams.size(), 2u);
    ASSERT_EQ(document.records.size(), 2u);
    EXPECT_EQ(document.records[1]->type, 1);
    EXPECT_STREQ(document.title, "OLD");
    // Nothing may still point into the map that is gone; the tool stays.
    EXPECT_EQ(document.selectedBeam, EditorDocument::kNoSelection);
    EXPECT_EQ(document.selectedRecord, EditorDocument::kNoSelection);
    EXPECT_FALSE(document.dragging);
    EXPECT_EQ(document.editMode, Translate);
}

TEST_F(MapIoTest, DamagedFilesFailFastAndAMissingOneChangesNothing)
{
    ASSERT_TRUE(WriteMap("good.map", EveryKindMap()));
    const std::string good = ReadFile("good.map");
    const std::string tail = good.substr(good.size() - 42);
    struct Case
    {
        const char* what;
        std::string bytes;
        bool loads;
    };
    const Case cases[] = {
        {"counts cut", good.substr(0, 6), false},
        {"inside a wall", good.substr(0, 8 + 50), false},
        {"inside a record", good.substr(0, 8 + 80 + 20), false},
        {"last byte missing", good.substr(0, good.size() - 1), false},
        {"huge wall count", Le32(0x7fffffff) + Le32(0) + tail, false},
        {"huge entity count", Le32(0) + Le32(0x7fffffff) + tail, false},
        {"negative counts read nothing", Le32(0xfffffffb) + Le32(0x80000000) + tail, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        WriteFile("damaged.map", c.bytes);
        EditorDocument document;
        EXPECT_TRUE(Load(document, "damaged.map"));
        EXPECT_EQ(LastBox(), c.loads ? kLoaded : kLoadFailed);
    }

    EditorDocument document;
    document.beams.resize(3);
    EXPECT_FALSE(Load(document, "missing.map"));
    EXPECT_EQ(LastBox(), kLoadFailed);
    chooser.cancel = true;
    EXPECT_FALSE(Load(document, "good.map"));
    EXPECT_EQ(LastBox(), kLoadFailed);
    EXPECT_EQ(document.beams.size(), 3u);
}

TEST_F(MapIoTest, AFailedSaveLeavesTheOldMapWhole)
{
    ASSERT_TRUE(WriteMap("keep.map", EveryKindMap()));
    const std::string old = ReadFile("keep.map");
    const std::vector<std::string> files = FilesUnder(".");
    EditorDocument document;
    document.beams.resize(40);

    // A full disk: writes past 256 bytes fail as they would with no space left.
    chooser.path = "keep.map";
    {
        FileSizeLimit full(256);
        SaveMapCommand(document, chooser, prompter);
    }
    EXPECT_EQ(LastBox(), kSaveFailed);
    EXPECT_EQ(ReadFile("keep.map"), old);
    EXPECT_EQ(FilesUnder("."), files);

    // A path longer than any file name buffer, and a cancelled dialog.
    Save(document, std::string(400, 'x') + ".map");
    EXPECT_EQ(LastBox(), kSaveFailed);
    chooser.cancel = true;
    SaveMapCommand(document, chooser, prompter);
    EXPECT_EQ(LastBox(), kSaveFailed);
    EXPECT_EQ(prompter.boxes.back().kind, "error");
}

TEST_F(MapIoTest, AddEntityMakesAPendingRecordAndClearMapForgetsTheSelection)
{
    EditorDocument document;
    for (std::int32_t kind = 0; kind < kPlaceableKindCount; ++kind)
    {
        document.dragging = true;
        ASSERT_TRUE(document.AddEntity(kind));
        ASSERT_NE(document.pendingRecord, nullptr);
        EXPECT_EQ(document.pendingRecord->type, kind);
        EXPECT_EQ(document.editMode, PlaceEntity);
        EXPECT_FALSE(document.dragging);
    }
    EXPECT_FALSE(document.AddEntity(21));
    EXPECT_EQ(document.pendingRecord->type, 20);

    document.records.push_back(CreateEntityRecord(6));
    document.copyRecords.push_back(CreateEntityRecord(1));
    document.beams.resize(2);
    document.selectedBeam = 1;
    document.selectedRecord = 0;
    std::strcpy(document.title, "KEPT");
    document.ClearMap();
    EXPECT_TRUE(document.beams.empty());
    EXPECT_TRUE(document.records.empty());
    EXPECT_TRUE(document.copyRecords.empty());
    EXPECT_EQ(document.selectedBeam, EditorDocument::kNoSelection);
    EXPECT_EQ(document.selectedRecord, EditorDocument::kNoSelection);
    EXPECT_NE(document.pendingRecord, nullptr);
    EXPECT_STREQ(document.title, "KEPT");
}

} // namespace
