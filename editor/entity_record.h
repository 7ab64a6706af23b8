// EntityRecord: one placed entity as the editor keeps it: exactly the fields a ".map" file
// stores for its kind, in the editor's own memory order. Write appends the whole record in
// file order (type first); Read fills it from angle onward (the map reader has read the type);
// Clone copies every field. All field bytes go through the map format's codec, so the editor
// and the game agree on every byte.
//
// Character fields are zero-filled past their text, so saving a document twice gives the
// same bytes. Records are owned through the base class, which has a virtual destructor.
#pragma once

#include "engine/map_format.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

class DataFile;

class EntityRecord
{
public:
    EntityRecord() = default;
    EntityRecord(const EntityRecord&) = default;
    EntityRecord& operator=(const EntityRecord&) = default;
    virtual ~EntityRecord() = default;

    virtual bool Write(DataFile& file) const;
    virtual bool Read(DataFile& file);
    // A copy of the same class, or null when memory is short.
    virtual std::unique_ptr<EntityRecord> Clone() const;

    // type, angle, x, y; false at the first failed field.
    bool WriteCommon(DataFile& file) const;

    std::int32_t type = 0;
    float x = 0.0f;
    float y = 0.0f;
    float angle = 0.0f;

protected:
    // angle, x, y
    bool ReadCommon(DataFile& file);
};

class ForceFieldRecord : public EntityRecord
{
public:
    bool Write(DataFile& file) const override;
    bool Read(DataFile& file) override;
    std::unique_ptr<EntityRecord> Clone() const override;

    char name[kNameSize] = "none";
    char target[kNameSize] = "target";
    float offTime = 3.0f;
    float onTime = 3.0f;
    float startupDelay = 0.0f;
};

class ButtonRecord : public EntityRecord
{
public:
    bool Write(DataFile& file) const override;
    bool Read(DataFile& file) override;
    std::unique_ptr<EntityRecord> Clone() const override;

    char target[kNameSize] = "target";
};

class ForceRecord : public EntityRecord
{
public:
    bool Write(DataFile& file) const override;
    bool Read(DataFile& file) override;
    std::unique_ptr<EntityRecord> Clone() const override;

    std::int32_t radius = 15;
};

class RotatorRecord : public EntityRecord
{
public:
    bool Write(DataFile& file) const override;
    bool Read(DataFile& file) override;
    std::unique_ptr<EntityRecord> Clone() const override;

    char name[kNameSize] = "none";
    float speed = 1.0f;
    std::int32_t increments = 0;
    std::int32_t radius = 15;
};

class AreaTriggerRecord : public EntityRecord
{
public:
    bool Write(DataFile& file) const override;
    bool Read(DataFile& file) override;
    std::unique_ptr<EntityRecord> Clone() const override;

    std::int32_t radius = 15;
    char target[kNameSize] = "target";
};

class MovingPlatformRecord : public EntityRecord
{
public:
    bool Write(DataFile& file) const override;
    bool Read(DataFile& file) override;
    std::unique_ptr<EntityRecord> Clone() const override;

    std::int32_t radius = 15;
    char name[kNameSize] = "none";
    char startTarget[kNameSize] = "info_target";
    char endTarget[kNameSize] = "info_target";
    float speed = 1.0f;
    float stopTime = 0.0f;
    bool repeat = false;
    bool startOn = true;
};

class TargetInfoRecord : public EntityRecord
{
public:
    bool Write(DataFile& file) const override;
    bool Read(DataFile& file) override;
    std::unique_ptr<EntityRecord> Clone() const override;

    char name[kNameSize] = "none";
};

// The text of a character field, up to its first NUL; a field without one yields all N bytes,
// which no field writer accepts.
template <std::size_t N>
std::string FieldText(const char (&field)[N])
{
    return std::string(field, strnlen(field, N));
}

// A default record of the kind's class with its type set, for codes 0..20; null for any
// other code or when memory is short.
std::unique_ptr<EntityRecord> CreateEntityRecord(std::int32_t kind);
