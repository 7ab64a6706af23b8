#include "engine/map_format.h"

#include "engine/data_file.h"
#include "platform/platform.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

constexpr FieldLayout kForceFieldFields[] = {
    {"name", FieldType::Name, "none"},           {"target", FieldType::Name, "target"},
    {"startupDelay", FieldType::Float32, "0.0"}, {"offTime", FieldType::Float32, "3.0"},
    {"onTime", FieldType::Float32, "3.0"},
};
constexpr FieldLayout kButtonFields[] = {{"target", FieldType::Name, "target"}};
constexpr FieldLayout kForceFields[] = {{"radius", FieldType::Int32, "15"}};
constexpr FieldLayout kRotatorFields[] = {
    {"name", FieldType::Name, "none"},
    {"speed", FieldType::Float32, "1.0"},
    {"increments", FieldType::Int32, "0"},
    {"radius", FieldType::Int32, "15"},
};
constexpr FieldLayout kAreaTriggerFields[] = {
    {"target", FieldType::Name, "target"},
    {"radius", FieldType::Int32, "15"},
};
constexpr FieldLayout kMovingPlatformFields[] = {
    {"name", FieldType::Name, "none"},
    {"startTarget", FieldType::Name, "info_target"},
    {"endTarget", FieldType::Name, "info_target"},
    {"radius", FieldType::Int32, "15"},
    {"speed", FieldType::Float32, "1.0"},
    {"stopTime", FieldType::Float32, "0.0"},
    {"repeat", FieldType::Flag, "0"},
    {"startOn", FieldType::Flag, "1"},
};
constexpr FieldLayout kTargetInfoFields[] = {{"name", FieldType::Name, "none"}};

template <std::size_t N>
constexpr KindLayout Kind(const char* name, const char* caption, const FieldLayout (&fields)[N])
{
    return KindLayout{name, caption, fields, static_cast<int>(N)};
}
constexpr KindLayout Kind(const char* name, const char* caption)
{
    return KindLayout{name, caption, nullptr, 0};
}

const KindLayout kKinds[kEntityKindCount] = {
    Kind("BlueTurret", "Blue Turret"),
    Kind("ForceField", "ForceField", kForceFieldFields),
    Kind("Button", "Button", kButtonFields),
    Kind("Force", "Force", kForceFields),
    Kind("FuelPod", "Fuel Pod"),
    Kind("SpaceMan", "Space Man"),
    Kind("Generator", "Generator"),
    Kind("BlueTank", "Blue Tank"),
    Kind("RedTurret", "Red Turret"),
    Kind("DepthCharge", "Depth Charge"),
    Kind("Rotator", "Rotator", kRotatorFields),
    Kind("AreaTrigger", "Area Trigger", kAreaTriggerFields),
    Kind("Tree", "Tree"),
    Kind("Rock", "Rock"),
    Kind("LargeRock", "Large Rock"),
    Kind("Volcano", "Volcano"),
    Kind("HomingMissile", "Homing Missile"),
    Kind("GreenTurret", "Green Turret"),
    Kind("MovingPlatform", "Moving Platform", kMovingPlatformFields),
    Kind("TargetInfo", "Target Info", kTargetInfoFields),
    Kind("Beacon", "Beacon"),
    Kind("Seeker", ""),
    Kind("VolcanoDebris", ""),
    Kind("LaunchedMissile", ""),
    Kind("Wasp", ""),
};

bool ReadRaw32(DataFile& file, std::uint32_t& value)
{
    unsigned char bytes[4];
    if (!file.ReadWord(bytes))
        return false;
    value = DecodeLittleEndian32(bytes);
    return true;
}

bool WriteRaw32(DataFile& file, std::uint32_t value)
{
    unsigned char bytes[4];
    EncodeLittleEndian32(value, bytes);
    return file.WriteWord(bytes);
}

// One character field through `read`; the last byte is forced to NUL. On failure the text
// keeps its old bytes.
template <std::size_t N>
bool ReadTextField(DataFile& file, bool (DataFile::*read)(char*), char (&text)[N])
{
    char field[N];
    if (!(file.*read)(field))
        return false;
    field[N - 1] = '\0';
    std::memcpy(text, field, N);
    return true;
}

// One character field of N bytes through `write`, zero-padded; false (nothing written) when
// the text needs more than N - 1 bytes.
template <std::size_t N>
bool WriteTextField(DataFile& file, bool (DataFile::*write)(const char*), const std::string& text)
{
    if (text.size() >= N || text.find('\0') != std::string::npos)
        return false;
    char field[N] = {};
    std::memcpy(field, text.data(), text.size());
    return (file.*write)(field);
}

} // namespace

std::size_t FieldWidth(FieldType type)
{
    switch (type)
    {
    case FieldType::Name:
        return kNameSize;
    case FieldType::Int32:
    case FieldType::Float32:
        return 4;
    case FieldType::Flag:
        return 1;
    }
    return 0;
}

const KindLayout* FindKindLayout(std::int32_t code)
{
    if (code < 0 || code >= kEntityKindCount)
        return nullptr;
    return &kKinds[code];
}

bool FindKindByName(const std::string& name, std::int32_t& code)
{
    for (std::int32_t i = 0; i < kEntityKindCount; ++i)
    {
        if (name == kKinds[i].name)
        {
            code = i;
            return true;
        }
    }
    return false;
}

long EntityRecordSize(std::int32_t code)
{
    const KindLayout* kind = FindKindLayout(code);
    if (kind == nullptr)
        return 0;
    long size = kEntityCommonSize;
    for (int i = 0; i < kind->fieldCount; ++i)
        size += static_cast<long>(FieldWidth(kind->fields[i].type));
    return size;
}

std::uint32_t DecodeLittleEndian32(const unsigned char bytes[4])
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void EncodeLittleEndian32(std::uint32_t value, unsigned char bytes[4])
{
    bytes[0] = static_cast<unsigned char>(value & 0xffu);
    bytes[1] = static_cast<unsigned char>((value >> 8) & 0xffu);
    bytes[2] = static_cast<unsigned char>((value >> 16) & 0xffu);
    bytes[3] = static_cast<unsigned char>((value >> 24) & 0xffu);
}

bool ReadInt32(DataFile& file, std::int32_t& value)
{
    std::uint32_t raw;
    if (!ReadRaw32(file, raw))
        return false;
    std::memcpy(&value, &raw, sizeof value);
    return true;
}

bool ReadFloat32(DataFile& file, float& value)
{
    static_assert(sizeof(float) == 4, "the format stores IEEE single-precision floats");
    std::uint32_t raw;
    if (!ReadRaw32(file, raw))
        return false;
    std::memcpy(&value, &raw, sizeof value);
    return true;
}

bool ReadFlag(DataFile& file, bool& value)
{
    unsigned char byte;
    if (!file.ReadByte(&byte))
        return false;
    value = byte != 0;
    return true;
}

bool ReadNameField(DataFile& file, char (&name)[kNameSize])
{
    return ReadTextField(file, &DataFile::ReadName, name);
}

bool ReadTitleField(DataFile& file, char (&title)[kTitleSize])
{
    return ReadTextField(file, &DataFile::ReadTitle, title);
}

bool ReadPasswordField(DataFile& file, char (&password)[kPasswordSize])
{
    return ReadTextField(file, &DataFile::ReadPassword, password);
}

bool ReadWallRecord(DataFile& file, Beam& wall)
{
    float v[10];
    for (float& value : v)
    {
        if (!ReadFloat32(file, value))
            return false;
    }
    wall.CopyFrom(Segment(v[0], v[1], v[5], v[6]));
    wall.startRed = v[2];
    wall.startGreen = v[3];
    wall.startBlue = v[4];
    wall.endRed = v[7];
    wall.endGreen = v[8];
    wall.endBlue = v[9];
    return true;
}

bool WriteInt32(DataFile& file, std::int32_t value)
{
    std::uint32_t raw;
    std::memcpy(&raw, &value, sizeof raw);
    return WriteRaw32(file, raw);
}

bool WriteFloat32(DataFile& file, float value)
{
    std::uint32_t raw;
    std::memcpy(&raw, &value, sizeof raw);
    return WriteRaw32(file, raw);
}

bool WriteFlag(DataFile& file, bool value)
{
    unsigned char byte = value ? 1 : 0;
    return file.WriteByte(&byte);
}

bool WriteNameField(DataFile& file, const std::string& text)
{
    return WriteTextField<kNameSize>(file, &DataFile::WriteName, text);
}

bool WriteTitleField(DataFile& file, const std::string& text)
{
    return WriteTextField<kTitleSize>(file, &DataFile::WriteTitle, text);
}

bool WritePasswordField(DataFile& file, const std::string& text)
{
    return WriteTextField<kPasswordSize>(file, &DataFile::WritePassword, text);
}

bool WriteWallRecord(DataFile& file, const Beam& wall)
{
    const float v[10] = {wall.x1, wall.y1, wall.startRed, wall.startGreen, wall.startBlue,
                         wall.x2, wall.y2, wall.endRed,   wall.endGreen,   wall.endBlue};
    for (float value : v)
    {
        if (!WriteFloat32(file, value))
            return false;
    }
    return true;
}

bool MapCountsFit(std::int32_t beamCount, std::int32_t entityCount, long remaining)
{
    if (beamCount < 0 || entityCount < 0 || remaining < 0)
        return false;
    const long long need = static_cast<long long>(beamCount) * kWallRecordSize +
                           static_cast<long long>(entityCount) * kEntityCommonSize + kMapTailSize;
    return need <= static_cast<long long>(remaining);
}

long FileSizeOf(const char* path)
{
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return -1;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0)
        size = std::ftell(file);
    std::fclose(file);
    return size;
}

bool ReadMapTail(const char* path, MapTail& tail)
{
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    unsigned char bytes[kMapTailSize];
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(file) : -1;
    ok = ok && size >= kMinMapSize && std::fseek(file, size - kTitleFromEnd, SEEK_SET) == 0 &&
         std::fread(bytes, 1, sizeof bytes, file) == sizeof bytes;
    std::fclose(file);
    if (!ok)
        return false;
    std::memcpy(tail.title, bytes, kTitleSize);
    tail.title[kTitleSize - 1] = '\0';
    std::memcpy(tail.password, bytes + kTitleSize, kPasswordSize);
    tail.password[kPasswordSize - 1] = '\0';
    std::uint32_t raw = DecodeLittleEndian32(bytes + kTitleSize + kPasswordSize);
    std::memcpy(&tail.endTimer, &raw, sizeof raw);
    return true;
}

bool ParseFieldValue(FieldType type, const std::string& text, FieldValue& value)
{
    if (text.empty() && type != FieldType::Name)
        return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    switch (type)
    {
    case FieldType::Name:
        if (text.size() >= kNameSize || text.find('\0') != std::string::npos)
            return false;
        value.text = text;
        return true;
    case FieldType::Int32:
    {
        long long n = std::strtoll(begin, &end, 10);
        if (*end != '\0' || errno != 0 || n < INT32_MIN || n > INT32_MAX)
            return false;
        value.integer = static_cast<std::int32_t>(n);
        return true;
    }
    case FieldType::Float32:
    {
        float f = std::strtof(begin, &end);
        if (*end != '\0' || errno != 0 || !std::isfinite(f))
            return false;
        value.real = f;
        return true;
    }
    case FieldType::Flag:
        if (text == "0" || text == "false")
            value.flag = false;
        else if (text == "1" || text == "true")
            value.flag = true;
        else
            return false;
        return true;
    }
    return false;
}

FieldValue* FindFieldValue(MapEntityRecord& record, const std::string& key)
{
    const KindLayout* layout = FindKindLayout(record.type);
    if (layout == nullptr)
        return nullptr;
    for (int i = 0; i < layout->fieldCount; ++i)
    {
        if (key == layout->fields[i].key && static_cast<std::size_t>(i) < record.fields.size())
            return &record.fields[static_cast<std::size_t>(i)];
    }
    return nullptr;
}

bool DefaultEntityRecord(std::int32_t code, MapEntityRecord& record)
{
    const KindLayout* kind = FindKindLayout(code);
    if (kind == nullptr)
        return false;
    MapEntityRecord fresh;
    fresh.type = code;
    fresh.fields.resize(static_cast<std::size_t>(kind->fieldCount));
    for (int i = 0; i < kind->fieldCount; ++i)
        ParseFieldValue(kind->fields[i].type, kind->fields[i].defaultText, fresh.fields[i]);
    record = fresh;
    return true;
}

bool WriteEntityRecord(DataFile& file, const MapEntityRecord& record)
{
    const KindLayout* kind = FindKindLayout(record.type);
    if (kind == nullptr || record.fields.size() != static_cast<std::size_t>(kind->fieldCount))
        return false;
    if (!WriteInt32(file, record.type) || !WriteFloat32(file, record.angle) ||
        !WriteFloat32(file, record.x) || !WriteFloat32(file, record.y))
        return false;
    for (int i = 0; i < kind->fieldCount; ++i)
    {
        const FieldValue& value = record.fields[static_cast<std::size_t>(i)];
        bool ok = false;
        switch (kind->fields[i].type)
        {
        case FieldType::Name:
            ok = WriteNameField(file, value.text);
            break;
        case FieldType::Int32:
            ok = WriteInt32(file, value.integer);
            break;
        case FieldType::Float32:
            ok = WriteFloat32(file, value.real);
            break;
        case FieldType::Flag:
            ok = WriteFlag(file, value.flag);
            break;
        }
        if (!ok)
            return false;
    }
    return true;
}

bool WriteMap(const std::string& path, const MapDocument& map)
{
    return platform::WriteFileAtomicallyWith(path, [&map](const std::string& temp) {
        DataFile file;
        bool ok = file.Open(temp.c_str(), "wb") &&
                  WriteInt32(file, static_cast<std::int32_t>(map.walls.size())) &&
                  WriteInt32(file, static_cast<std::int32_t>(map.entities.size()));
        for (std::size_t i = 0; ok && i < map.walls.size(); ++i)
            ok = WriteWallRecord(file, map.walls[i]);
        for (std::size_t i = 0; ok && i < map.entities.size(); ++i)
            ok = WriteEntityRecord(file, map.entities[i]);
        return ok && WriteTitleField(file, map.title) && WritePasswordField(file, map.password) &&
               WriteInt32(file, map.endTimer);
    });
}
