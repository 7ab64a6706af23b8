#include "support/map_fixture.h"

#include "game/entity.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace cavtest
{

Beam MakeWall(float x1, float y1, float x2, float y2)
{
    Beam wall;
    wall.CopyFrom(Segment(x1, y1, x2, y2));
    wall.startRed = wall.endGreen = 1.0f;
    wall.startBlue = 0.5f;
    wall.endBlue = 0.25f;
    return wall;
}

MapEntityRecord MakeRecord(std::int32_t kind, float x, float y, float angle)
{
    MapEntityRecord record;
    EXPECT_TRUE(DefaultEntityRecord(kind, record)) << kind;
    record.x = x;
    record.y = y;
    record.angle = angle;
    return record;
}

FieldValue& Field(MapEntityRecord& record, const char* key)
{
    if (FieldValue* value = FindFieldValue(record, key))
        return *value;
    ADD_FAILURE() << "kind " << record.type << " has no field " << key;
    static FieldValue scratch;
    return scratch;
}

std::string Le32(std::uint32_t value)
{
    unsigned char bytes[4];
    EncodeLittleEndian32(value, bytes);
    return std::string(reinterpret_cast<char*>(bytes), 4);
}

std::string LeFloat(float value)
{
    std::uint32_t raw;
    std::memcpy(&raw, &value, 4);
    return Le32(raw);
}

void PatchFile(const std::string& path, long offset, const std::string& bytes)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    ASSERT_TRUE(file.good()) << path;
    file.seekp(offset);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void LevelTest::SetUp()
{
    LoggedTempDirTest::SetUp();
    EngineSettings settings;
    settings.headless = true;
    engine = std::make_unique<Engine>(settings);
}

void LevelTest::TearDown()
{
    engine.reset();
    LoggedTempDirTest::TearDown();
}

bool LevelTest::LoadMapFile(const std::string& path)
{
    engine->packs.rosters = {{path}};
    engine->packs.currentPack = 0;
    engine->progress.stage = 1;
    return engine->LoadMap();
}

bool LevelTest::WriteAndLoad(const MapDocument& map, const std::string& path)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder);
    EXPECT_TRUE(WriteMap(path, map));
    return LoadMapFile(path);
}

Entity* LevelTest::EntityAt(std::size_t n) const
{
    if (n >= engine->level.entities.size())
        return nullptr;
    auto it = engine->level.entities.begin();
    std::advance(it, static_cast<long>(n));
    return *it;
}

MapDocument EveryKindMap()
{
    MapDocument map;
    map.walls.push_back(MakeWall(-100.0f, 50.0f, 21000.0f, 50.0f));
    map.walls.push_back(MakeWall(0.0f, 900.0f, 300.0f, 880.0f));
    for (std::int32_t code = 0; code < kPlaceableKindCount; ++code)
        map.entities.push_back(MakeRecord(code, 1000.0f * code + 5.5f, 300.0f + code, 10.0f));
    MapEntityRecord& field = map.entities[1];
    Field(field, "name").text = "fieldName";
    Field(field, "target").text = "fieldTarget";
    Field(field, "startupDelay").real = 0.25f;
    Field(field, "offTime").real = 4.5f;
    Field(field, "onTime").real = 2.5f;
    Field(map.entities[2], "target").text = "buttonTarget";
    Field(map.entities[3], "radius").integer = 33;
    MapEntityRecord& rotator = map.entities[10];
    Field(rotator, "name").text = "rotName";
    Field(rotator, "speed").real = -2.0f;
    Field(rotator, "increments").integer = 90;
    Field(rotator, "radius").integer = 25;
    Field(map.entities[11], "target").text = "triggerTarget";
    Field(map.entities[11], "radius").integer = 44;
    MapEntityRecord& platform = map.entities[18];
    Field(platform, "name").text = "platName";
    Field(platform, "startTarget").text = "fromHere";
    Field(platform, "endTarget").text = "toThere";
    Field(platform, "radius").integer = 12;
    Field(platform, "speed").real = 3.0f;
    Field(platform, "stopTime").real = 1.5f;
    Field(platform, "repeat").flag = true;
    Field(platform, "startOn").flag = false;
    Field(map.entities[19], "name").text = "infoName";
    map.title = "EVERY KIND";
    map.password = "KINDS";
    map.endTimer = 77;
    return map;
}


} // namespace cavtest
