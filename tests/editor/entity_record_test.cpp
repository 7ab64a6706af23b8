#include "editor/entity_record.h"
#include "engine/data_file.h"
#include "support/map_fixture.h"
#include "support/temp_dir.h"

#include <cstring>
#include <type_traits>

using namespace cavtest;

namespace
{

class EntityRecordTest : public TempDirTest
{
protected:
    // The bytes the record's Write appends to a fresh file.
    std::string Written(const EntityRecord& record)
    {
        DataFile file;
        EXPECT_TRUE(file.Open("record.bin", "wb"));
        EXPECT_TRUE(record.Write(file));
        return ReadFile("record.bin");
    }
};

std::string Name(const char* text)
{
    std::string field(text);
    field.resize(16, '\0');
    return field;
}

const std::string kOrigin = LeFloat(0.0f) + LeFloat(0.0f) + LeFloat(0.0f);

TEST_F(EntityRecordTest, EveryPlaceableKindWritesItsRecordSize)
{
    const long sizes[kPlaceableKindCount] = {16, 60, 32, 20, 16, 16, 16, 16, 16, 16, 44,
                                             36, 16, 16, 16, 16, 16, 16, 78, 32, 16};
    for (std::int32_t kind = 0; kind < kPlaceableKindCount; ++kind)
    {
        std::unique_ptr<EntityRecord> record = CreateEntityRecord(kind);
        ASSERT_NE(record, nullptr) << kind;
        EXPECT_EQ(record->type, kind);
        const std::string bytes = Written(*record);
        EXPECT_EQ(static_cast<long>(bytes.size()), sizes[kind]) << kind;
        EXPECT_EQ(bytes.substr(0, 4), Le32(static_cast<std::uint32_t>(kind))) << kind;
    }
    for (std::int32_t kind : {21, 22, 24, 25, -1, INT32_MIN})
        EXPECT_EQ(CreateEntityRecord(kind), nullptr) << kind;
    // The large rock has no fields of its own.
    EXPECT_EQ(typeid(*CreateEntityRecord(14)), typeid(EntityRecord));
}

TEST_F(EntityRecordTest, ForceFieldAndMovingPlatformWriteInFileOrder)
{
    EXPECT_EQ(Written(*CreateEntityRecord(1)), Le32(1) + kOrigin + Name("none") + Name("target") +
                                                   LeFloat(0.0f) + LeFloat(3.0f) + LeFloat(3.0f));
    EXPECT_EQ(Written(*CreateEntityRecord(18)),
              Le32(18) + kOrigin + Name("none") + Name("info_target") + Name("info_target") +
                  Le32(15) + LeFloat(1.0f) + LeFloat(0.0f) + std::string("\0\1", 2));

    // What was in a field before its text got shorter never reaches the file.
    ButtonRecord button;
    button.type = 2;
    button.angle = 90.0f;
    std::strcpy(button.target, "longerTarget");
    std::strcpy(button.target, "ab");
    EXPECT_EQ(Written(button),
              Le32(2) + LeFloat(90.0f) + LeFloat(0.0f) + LeFloat(0.0f) + Name("ab"));
}

TEST_F(EntityRecordTest, ReadEndsNamesWithNulAndTakesAnyNonZeroFlagAsTrue)
{
    const std::string record = LeFloat(45.0f) + LeFloat(-3.0f) + LeFloat(7.5f) +
                               std::string(16, 'A') + Name("from") + Name("to") + Le32(9) +
                               LeFloat(2.0f) + LeFloat(0.5f) + std::string("\2\0", 2);
    WriteFile("platform.bin", record);
    MovingPlatformRecord platform;
    DataFile file;
    ASSERT_TRUE(file.Open("platform.bin", "rb"));
    ASSERT_TRUE(platform.Read(file));
    EXPECT_EQ(platform.y, 7.5f);
    EXPECT_EQ(std::string(platform.name), std::string(15, 'A'));
    EXPECT_EQ(platform.radius, 9);
    EXPECT_TRUE(platform.repeat);
    EXPECT_FALSE(platform.startOn);

    // One byte short: the read fails instead of taking a byte from nowhere.
    WriteFile("short.bin", record.substr(0, record.size() - 1));
    ASSERT_TRUE(file.Open("short.bin", "rb"));
    EXPECT_FALSE(MovingPlatformRecord().Read(file));
}

TEST_F(EntityRecordTest, ClonesKeepClassAndEveryFieldAndDieThroughTheBase)
{
    static_assert(std::has_virtual_destructor<EntityRecord>::value,
                  "records are owned through the base class");
    for (std::int32_t kind = 0; kind < kPlaceableKindCount; ++kind)
    {
        std::unique_ptr<EntityRecord> record = CreateEntityRecord(kind);
        record->x = 12.0f;
        record->y = -4.0f;
        record->angle = 30.0f;
        if (auto* trigger = dynamic_cast<AreaTriggerRecord*>(record.get()))
        {
            trigger->radius = 77;
            std::strcpy(trigger->target, "door");
        }
        std::unique_ptr<EntityRecord> copy = record->Clone();
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(typeid(*copy), typeid(*record)) << kind;
        EXPECT_EQ(Written(*copy), Written(*record)) << kind;
    }
}

} // namespace
