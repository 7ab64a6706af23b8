// Building ".map" files in tests and loading them into a headless Engine.
#pragma once

#include "engine/map_format.h"
#include "game/engine.h"
#include "support/log_capture.h"

#include <cstdint>
#include <memory>
#include <string>

namespace cavtest
{

Beam MakeWall(float x1, float y1, float x2, float y2);
// A record of the kind with the editor's defaults, placed at (x, y).
MapEntityRecord MakeRecord(std::int32_t kind, float x, float y, float angle = 0.0f);
// One entity of every placeable kind (0..20), far apart, with every own field off its
// default, two walls, and world properties "EVERY KIND", "KINDS", 77.
MapDocument EveryKindMap();
// The record's own field named `key`; a missing key fails the test (and yields a scratch
// value, so the caller can go on).
FieldValue& Field(MapEntityRecord& record, const char* key);
// Little-endian bytes of one four-byte field.
std::string Le32(std::uint32_t value);
std::string LeFloat(float value);
// Overwrites bytes of a file in place.
void PatchFile(const std::string& path, long offset, const std::string& bytes);

// A temp-folder test with the log on and a headless Engine (no window, nothing loaded).
class LevelTest : public LoggedTempDirTest
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Points the current pack's only stage at `path` and loads it.
    bool LoadMapFile(const std::string& path);
    // Writes `map` to `path` (default "Data/Maps/test.map") and loads it.
    bool WriteAndLoad(const MapDocument& map, const std::string& path = "Data/Maps/test.map");
    // The n-th entity of the level (0-based), or null.
    Entity* EntityAt(std::size_t n) const;

    std::unique_ptr<Engine> engine;
};

} // namespace cavtest
