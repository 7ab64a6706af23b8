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

} // namespace cavtest
