#include "editor/entity_record.h"

#include "engine/data_file.h"

#include <new>

namespace
{

bool WriteName(DataFile& file, const char (&field)[kNameSize])
{
    return WriteNameField(file, FieldText(field));
}

template <typename Record>
std::unique_ptr<EntityRecord> CloneOf(const Record& record)
{
    return std::unique_ptr<EntityRecord>(new (std::nothrow) Record(record));
}

template <typename Record>
std::unique_ptr<EntityRecord> Make()
{
    return std::unique_ptr<EntityRecord>(new (std::nothrow) Record());
}

} // namespace

bool EntityRecord::WriteCommon(DataFile& file) const
{
    return WriteInt32(file, type) && WriteFloat32(file, angle) && WriteFloat32(file, x) &&
           WriteFloat32(file, y);
}

bool EntityRecord::ReadCommon(DataFile& file)
{
    return ReadFloat32(file, angle) && ReadFloat32(file, x) && ReadFloat32(file, y);
}

bool EntityRecord::Write(DataFile& file) const
{
    return WriteCommon(file);
}

bool EntityRecord::Read(DataFile& file)
{
    return ReadCommon(file);
}

std::unique_ptr<EntityRecord> EntityRecord::Clone() const
{
    return CloneOf(*this);
}

bool ForceFieldRecord::Write(DataFile& file) const
{
    return WriteCommon(file) && WriteName(file, name) && WriteName(file, target) &&
           WriteFloat32(file, startupDelay) && WriteFloat32(file, offTime) &&
           WriteFloat32(file, onTime);
}

bool ForceFieldRecord::Read(DataFile& file)
{
    return ReadCommon(file) && ReadNameField(file, name) && ReadNameField(file, target) &&
           ReadFloat32(file, startupDelay) && ReadFloat32(file, offTime) &&
           ReadFloat32(file, onTime);
}

std::unique_ptr<EntityRecord> ForceFieldRecord::Clone() const
{
    return CloneOf(*this);
}

bool ButtonRecord::Write(DataFile& file) const
{
    return WriteCommon(file) && WriteName(file, target);
}

bool ButtonRecord::Read(DataFile& file)
{
    return ReadCommon(file) && ReadNameField(file, target);
}

std::unique_ptr<EntityRecord> ButtonRecord::Clone() const
{
    return CloneOf(*this);
}

bool ForceRecord::Write(DataFile& file) const
{
    return WriteCommon(file) && WriteInt32(file, radius);
}

bool ForceRecord::Read(DataFile& file)
{
    return ReadCommon(file) && ReadInt32(file, radius);
}

std::unique_ptr<EntityRecord> ForceRecord::Clone() const
{
    return CloneOf(*this);
}

bool RotatorRecord::Write(DataFile& file) const
{
    return WriteCommon(file) && WriteName(file, name) && WriteFloat32(file, speed) &&
           WriteInt32(file, increments) && WriteInt32(file, radius);
}

bool RotatorRecord::Read(DataFile& file)
{
    return ReadCommon(file) && ReadNameField(file, name) && ReadFloat32(file, speed) &&
           ReadInt32(file, increments) && ReadInt32(file, radius);
}

std::unique_ptr<EntityRecord> RotatorRecord::Clone() const
{
    return CloneOf(*this);
}

bool AreaTriggerRecord::Write(DataFile& file) const
{
    return WriteCommon(file) && WriteName(file, target) && WriteInt32(file, radius);
}

bool AreaTriggerRecord::Read(DataFile& file)
{
    return ReadCommon(file) && ReadNameField(file, target) && ReadInt32(file, radius);
}

std::unique_ptr<EntityRecord> AreaTriggerRecord::Clone() const
{
    return CloneOf(*this);
}

bool MovingPlatformRecord::Write(DataFile& file) const
{
    return WriteCommon(file) && WriteName(file, name) && WriteName(file, startTarget) &&
           WriteName(file, endTarget) && WriteInt32(file, radius) && WriteFloat32(file, speed) &&
           WriteFloat32(file, stopTime) && WriteFlag(file, repeat) && WriteFlag(file, startOn);
}

bool MovingPlatformRecord::Read(DataFile& file)
{
    return ReadCommon(file) && ReadNameField(file, name) && ReadNameField(file, startTarget) &&
           ReadNameField(file, endTarget) && ReadInt32(file, radius) && ReadFloat32(file, speed) &&
           ReadFloat32(file, stopTime) && ReadFlag(file, repeat) && ReadFlag(file, startOn);
}

std::unique_ptr<EntityRecord> MovingPlatformRecord::Clone() const
{
    return CloneOf(*this);
}

bool TargetInfoRecord::Write(DataFile& file) const
{
    return WriteCommon(file) && WriteName(file, name);
}

bool TargetInfoRecord::Read(DataFile& file)
{
    return ReadCommon(file) && ReadNameField(file, name);
}

std::unique_ptr<EntityRecord> TargetInfoRecord::Clone() const
{
    return CloneOf(*this);
}

std::unique_ptr<EntityRecord> CreateEntityRecord(std::int32_t kind)
{
    std::unique_ptr<EntityRecord> record;
    switch (static_cast<EntityKind>(kind))
    {
    case EntityKind::ForceField:
        record = Make<ForceFieldRecord>();
        break;
    case EntityKind::Button:
        record = Make<ButtonRecord>();
        break;
    case EntityKind::Force:
        record = Make<ForceRecord>();
        break;
    case EntityKind::Rotator:
        record = Make<RotatorRecord>();
        break;
    case EntityKind::AreaTrigger:
        record = Make<AreaTriggerRecord>();
        break;
    case EntityKind::MovingPlatform:
        record = Make<MovingPlatformRecord>();
        break;
    case EntityKind::TargetInfo:
        record = Make<TargetInfoRecord>();
        break;
    default:
        if (kind < 0 || kind >= kPlaceableKindCount)
            return nullptr;
        record = Make<EntityRecord>();
        break;
    }
    if (record)
        record->type = kind;
    return record;
}
