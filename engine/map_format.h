// The ".map" level format, shared by the game, the map tools and the editor: entity kind
// codes, record layouts and sizes, and field codecs that decode and encode little-endian
// explicitly, so a map reads the same on any host.
//
// A map is: int32 beamCount, int32 entityCount, beamCount 40-byte wall records, entityCount
// entity records (16-byte common part: type, angle, x, y; then the kind's own fields), a
// 32-byte title, a 6-byte password and an int32 end timer. No header, no padding: the
// 42-byte tail always sits at the end of the file.
//
// Character fields read through here always end in NUL (the last byte is forced), flag
// bytes become bool as != 0, and every reader refuses a short field (see DataFile).
#pragma once

#include "engine/geometry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class DataFile;

enum class EntityKind : std::int32_t
{
    BlueTurret = 0,
    ForceField = 1,
    Button = 2,
    Force = 3,
    FuelPod = 4,
    SpaceMan = 5,
    Generator = 6,
    BlueTank = 7,
    RedTurret = 8,
    DepthCharge = 9,
    Rotator = 10,
    AreaTrigger = 11,
    Tree = 12,
    Rock = 13,
    LargeRock = 14,
    Volcano = 15,
    HomingMissile = 16,
    GreenTurret = 17,
    MovingPlatform = 18,
    TargetInfo = 19,
    Beacon = 20,
    // Made only during play; the editor never places them.
    Seeker = 21,
    VolcanoDebris = 22,
    LaunchedMissile = 23,
    Wasp = 24,
};

constexpr std::int32_t kEntityKindCount = 25;
constexpr std::int32_t kPlaceableKindCount = 21; // codes 0..20

constexpr std::size_t kNameSize = 16;
constexpr std::size_t kTitleSize = 32;
constexpr std::size_t kPasswordSize = 6;

constexpr long kMapCountsSize = 8;
constexpr long kWallRecordSize = 40;
constexpr long kEntityCommonSize = 16;
constexpr long kMapTailSize = kTitleSize + kPasswordSize + 4; // 42
constexpr long kMinMapSize = kMapCountsSize + kMapTailSize;   // 50
// Tail fields, counted back from the end of the file.
constexpr long kTitleFromEnd = 42;
constexpr long kPasswordFromEnd = 10;
constexpr long kEndTimerFromEnd = 4;

// ---- Kinds and their own fields -------------------------------------------------------

enum class FieldType
{
    Name,    // 16 characters, NUL-terminated
    Int32,   // 4 bytes
    Float32, // 4 bytes
    Flag,    // 1 byte, 0 or 1
};

std::size_t FieldWidth(FieldType type);

struct FieldLayout
{
    const char* key; // the field's name in map sources and dialogs
    FieldType type;
    const char* defaultText; // the editor's value for a newly placed entity
};

struct KindLayout
{
    const char* name;          // "BlueTurret": the kind's identifier, used in map sources
    const char* caption;       // "Blue Turret": how the editor offers it; "" when not placeable
    const FieldLayout* fields; // own fields in file order
    int fieldCount;
};

// The layout of a kind, or null for codes outside 0..24.
const KindLayout* FindKindLayout(std::int32_t code);
// The code of the kind whose identifier is `name` (exact case); false when none.
bool FindKindByName(const std::string& name, std::int32_t& code);
// Bytes of one record of the kind, common part included; 0 for unknown codes.
long EntityRecordSize(std::int32_t code);

// ---- Field codecs: each is one DataFile call; false at a failed or short field ----------

std::uint32_t DecodeLittleEndian32(const unsigned char bytes[4]);
void EncodeLittleEndian32(std::uint32_t value, unsigned char bytes[4]);

bool ReadInt32(DataFile& file, std::int32_t& value);
bool ReadFloat32(DataFile& file, float& value);
bool ReadFlag(DataFile& file, bool& value);
bool ReadNameField(DataFile& file, char (&name)[kNameSize]);
bool ReadTitleField(DataFile& file, char (&title)[kTitleSize]);
bool ReadPasswordField(DataFile& file, char (&password)[kPasswordSize]);
// The ten values in file order, then the segment data rebuilt from the two ends.
bool ReadWallRecord(DataFile& file, Beam& wall);

bool WriteInt32(DataFile& file, std::int32_t value);
bool WriteFloat32(DataFile& file, float value);
bool WriteFlag(DataFile& file, bool value);
// Text fields are written zero-padded; false (nothing written) when text does not fit.
bool WriteNameField(DataFile& file, const std::string& text);
bool WriteTitleField(DataFile& file, const std::string& text);
bool WritePasswordField(DataFile& file, const std::string& text);
bool WriteWallRecord(DataFile& file, const Beam& wall);

// Whether the counts read at the start of a map can be backed by `remaining` bytes after
// them: neither negative, and beamCount walls, entityCount minimal entity records and the
// tail fit. Checked before anything is allocated for them.
bool MapCountsFit(std::int32_t beamCount, std::int32_t entityCount, long remaining);

// Size of a file in bytes, or -1 when it cannot be opened.
long FileSizeOf(const char* path);

// The tail of a map file, read without parsing the rest. False when the file is missing or
// shorter than the smallest map (50 bytes).
struct MapTail
{
    char title[kTitleSize] = {};
    char password[kPasswordSize] = {};
    std::int32_t endTimer = 0;
};
bool ReadMapTail(const char* path, MapTail& tail);

// ---- Writing whole maps (tools and editor) ---------------------------------------------

struct FieldValue
{
    std::string text;
    std::int32_t integer = 0;
    float real = 0.0f;
    bool flag = false;
};

// Parses `text` as a value of `type` into `value`; false when it is not one (or a name
// longer than 15 characters).
bool ParseFieldValue(FieldType type, const std::string& text, FieldValue& value);

struct MapEntityRecord
{
    std::int32_t type = 0;
    float angle = 0.0f;
    float x = 0.0f;
    float y = 0.0f;
    std::vector<FieldValue> fields; // one per own field of the kind, in file order
};

// The value of the record's own field named `key` (its layout's key), or null when the kind
// has no such field.
FieldValue* FindFieldValue(MapEntityRecord& record, const std::string& key);

// A record of the kind with the editor's defaults; false for unknown codes.
bool DefaultEntityRecord(std::int32_t code, MapEntityRecord& record);

struct MapDocument
{
    std::vector<Beam> walls;
    std::vector<MapEntityRecord> entities;
    std::string title;
    std::string password;
    std::int32_t endTimer = 0;
};

// Appends one whole record, type first.
bool WriteEntityRecord(DataFile& file, const MapEntityRecord& record);
// Writes the map to a temporary file beside `path` and renames it over `path`, so a failed
// write leaves any old map whole. Bytes after a string's NUL are zero: output is
// deterministic.
bool WriteMap(const std::string& path, const MapDocument& map);
