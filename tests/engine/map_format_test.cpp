#include "engine/data_file.h"
#include "engine/map_format.h"
#include "support/map_fixture.h"

#include <cstring>
#include <string>

using namespace cavtest;

namespace
{

class MapFormatTest : public TempDirTest
{
};

std::string Text(const char* text, std::size_t width)
{
    std::string field(text);
    field.resize(width, '\0');
    return field;
}

std::string Tail(const char* title, const char* password, std::uint32_t endTimer)
{
    return Text(title, 32) + Text(password, 6) + Le32(endTimer);
}

TEST_F(MapFormatTest, RecordSizesFollowTheKindLayouts)
{
    const long expected[kEntityKindCount] = {16, 60, 32, 20, 16, 16, 16, 16, 16, 16, 44, 36, 16,
                                             16, 16, 16, 16, 16, 78, 32, 16, 16, 16, 16, 16};
    for (std::int32_t code = 0; code < kEntityKindCount; ++code)
        EXPECT_EQ(EntityRecordSize(code), expected[code]) << code;
    EXPECT_EQ(EntityRecordSize(25), 0);
    EXPECT_EQ(EntityRecordSize(-1), 0);
    std::int32_t code = -1;
    EXPECT_TRUE(FindKindByName("MovingPlatform", code));
    EXPECT_EQ(code, 18);
    EXPECT_FALSE(FindKindByName("movingplatform", code));
    EXPECT_STREQ(FindKindLayout(4)->caption, "Fuel Pod");
}

TEST_F(MapFormatTest, EmptyMapIsFiftyGoldenBytes)
{
    MapDocument map;
    map.title = "EMPTY";
    map.password = "ABCDE";
    map.endTimer = 30;
    ASSERT_TRUE(WriteMap("empty.map", map));
    const std::string expected = Le32(0) + Le32(0) + Tail("EMPTY", "ABCDE", 30);
    ASSERT_EQ(expected.size(), 50u);
    EXPECT_EQ(ReadFile("empty.map"), expected);
    EXPECT_EQ(FilesUnder("."), std::vector<std::string>{"empty.map"});
}

TEST_F(MapFormatTest, ForceFieldRecordIsSixtyGoldenBytes)
{
    MapEntityRecord record = MakeRecord(1, 1.5f, -2.0f, 90.0f);
    DataFile file;
    ASSERT_TRUE(file.Open("ff.bin", "wb"));
    ASSERT_TRUE(WriteEntityRecord(file, record));
    // type, angle, x, y, "none", "target", startup delay 0, off time 3, on time 3.
    const std::string expected = Le32(1) + LeFloat(90.0f) + LeFloat(1.5f) + LeFloat(-2.0f) +
                                 Text("none", 16) + Text("target", 16) + LeFloat(0.0f) +
                                 LeFloat(3.0f) + LeFloat(3.0f);
    ASSERT_EQ(expected.size(), 60u);
    EXPECT_EQ(ReadFile("ff.bin"), expected);
    EXPECT_EQ(std::string("\x01\x00\x00\x00\x00\x00\xb4\x42", 8), expected.substr(0, 8));
}

TEST_F(MapFormatTest, PlatformOnlyMapIsOneHundredTwentyEightBytesWithItsTailAtTheEnd)
{
    MapDocument map;
    map.entities.push_back(MakeRecord(18, 10.0f, 20.0f));
    map.title = "LIFT";
    map.password = "UP";
    map.endTimer = 7;
    ASSERT_TRUE(WriteMap("lift.map", map));
    const std::string expected = Le32(0) + Le32(1) + Le32(18) + LeFloat(0.0f) + LeFloat(10.0f) +
                                 LeFloat(20.0f) + Text("none", 16) + Text("info_target", 16) +
                                 Text("info_target", 16) + Le32(15) + LeFloat(1.0f) +
                                 LeFloat(0.0f) + std::string("\x00\x01", 2) + Tail("LIFT", "UP", 7);
    ASSERT_EQ(expected.size(), 128u);
    EXPECT_EQ(ReadFile("lift.map"), expected);

    MapTail tail;
    ASSERT_TRUE(ReadMapTail("lift.map", tail));
    EXPECT_STREQ(tail.title, "LIFT");
    EXPECT_STREQ(tail.password, "UP");
    EXPECT_EQ(tail.endTimer, 7);
}

TEST_F(MapFormatTest, FieldReadersDecodeLittleEndianForceNulAndTreatFlagsAsNonZero)
{
    WriteFile("fields.bin", std::string("\x01\x02\x03\x04", 4) + Le32(0xffffffffu) +
                                LeFloat(-0.5f) + std::string(16, 'N') + std::string(32, 'T') +
                                std::string(6, 'P') + std::string("\x02\x00", 2));
    DataFile file;
    ASSERT_TRUE(file.Open("fields.bin", "rb"));
    std::int32_t a = 0, b = 0;
    float f = 0.0f;
    char name[kNameSize], title[kTitleSize], password[kPasswordSize];
    bool on = false, off = true;
    ASSERT_TRUE(ReadInt32(file, a) && ReadInt32(file, b) && ReadFloat32(file, f));
    EXPECT_EQ(a, 0x04030201);
    EXPECT_EQ(b, -1);
    EXPECT_EQ(f, -0.5f);
    ASSERT_TRUE(ReadNameField(file, name) && ReadTitleField(file, title) &&
                ReadPasswordField(file, password));
    EXPECT_EQ(std::strlen(name), 15u);
    EXPECT_EQ(std::strlen(title), 31u);
    EXPECT_EQ(std::strlen(password), 5u);
    ASSERT_TRUE(ReadFlag(file, on) && ReadFlag(file, off));
    EXPECT_TRUE(on);
    EXPECT_FALSE(off);
    // At the end: a short field is refused and leaves the value alone.
    std::int32_t untouched = 42;
    EXPECT_FALSE(ReadInt32(file, untouched));
    EXPECT_EQ(untouched, 42);
}

TEST_F(MapFormatTest, CountsMustFitTheRestOfTheFile)
{
    EXPECT_TRUE(MapCountsFit(0, 0, 42));
    EXPECT_FALSE(MapCountsFit(0, 0, 41));
    EXPECT_TRUE(MapCountsFit(1, 1, 40 + 16 + 42));
    EXPECT_FALSE(MapCountsFit(1, 1, 40 + 16 + 41));
    EXPECT_FALSE(MapCountsFit(-1, 0, 1000));
    EXPECT_FALSE(MapCountsFit(0, -1, 1000));
    // Products that overflow 32 bits must not wrap into something small.
    EXPECT_FALSE(MapCountsFit(0x7fffffff, 0, 1000));
    EXPECT_FALSE(MapCountsFit(0x06666667, 0, 1000)); // * 40 wraps to 24 in 32 bits
    EXPECT_FALSE(MapCountsFit(0, 0x7fffffff, 1000));
}

TEST_F(MapFormatTest, TailReaderRefusesMissingAndShortFiles)
{
    MapTail tail;
    EXPECT_FALSE(ReadMapTail("missing.map", tail));
    WriteFile("short.map", std::string(49, '\0'));
    EXPECT_FALSE(ReadMapTail("short.map", tail));
    // Whatever the counts say, the tail of a 50-byte file is read.
    WriteFile("odd.map", Le32(99) + Le32(99) + Tail("ODD", "XYZZY", 5));
    ASSERT_TRUE(ReadMapTail("odd.map", tail));
    EXPECT_STREQ(tail.title, "ODD");
    EXPECT_STREQ(tail.password, "XYZZY");
}

TEST_F(MapFormatTest, WriterRefusesTextsThatDoNotFitAndKeepsTheOldMap)
{
    MapDocument good;
    good.title = "OLD";
    ASSERT_TRUE(WriteMap("keep.map", good));
    const std::string before = ReadFile("keep.map");

    MapDocument longName;
    MapEntityRecord record = MakeRecord(19, 0.0f, 0.0f);
    record.fields[0].text = "sixteen_letters_";
    longName.entities.push_back(record);
    EXPECT_FALSE(WriteMap("keep.map", longName));
    MapDocument longPassword;
    longPassword.password = "SIXSIX";
    EXPECT_FALSE(WriteMap("keep.map", longPassword));

    EXPECT_EQ(ReadFile("keep.map"), before);
    EXPECT_EQ(FilesUnder("."), std::vector<std::string>{"keep.map"});
    EXPECT_FALSE(WriteMap("no/such/folder/x.map", good));
}

TEST_F(MapFormatTest, FieldValuesParseByType)
{
    FieldValue value;
    EXPECT_TRUE(ParseFieldValue(FieldType::Int32, "-15", value));
    EXPECT_EQ(value.integer, -15);
    EXPECT_FALSE(ParseFieldValue(FieldType::Int32, "1.5", value));
    EXPECT_FALSE(ParseFieldValue(FieldType::Int32, "99999999999", value));
    EXPECT_TRUE(ParseFieldValue(FieldType::Float32, "2.5", value));
    EXPECT_EQ(value.real, 2.5f);
    EXPECT_FALSE(ParseFieldValue(FieldType::Float32, "inf", value));
    EXPECT_FALSE(ParseFieldValue(FieldType::Float32, "", value));
    EXPECT_TRUE(ParseFieldValue(FieldType::Flag, "1", value));
    EXPECT_TRUE(value.flag);
    EXPECT_FALSE(ParseFieldValue(FieldType::Flag, "2", value));
    EXPECT_TRUE(ParseFieldValue(FieldType::Name, "", value));
    EXPECT_FALSE(ParseFieldValue(FieldType::Name, "0123456789abcdef", value));
}

} // namespace
