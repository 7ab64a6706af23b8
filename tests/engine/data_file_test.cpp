#include "engine/data_file.h"
#include "support/temp_dir.h"

#include <cstring>
#include <string>

using cavtest::TempDirTest;
using cavtest::WriteFile;

namespace
{

std::string Bytes(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s.push_back(static_cast<char>(i));
    return s;
}

class DataFileTest : public TempDirTest
{
};

TEST_F(DataFileTest, FieldsContinueAtTheSavedOffset)
{
    WriteFile("f.bin", Bytes(64));
    DataFile f;
    ASSERT_TRUE(f.Open("f.bin", "rb"));
    unsigned char word[4], name[16], title[32], pass[6], byte;
    ASSERT_TRUE(f.ReadWord(word));
    ASSERT_TRUE(f.ReadName(reinterpret_cast<char*>(name)));
    ASSERT_TRUE(f.ReadWord(word));
    EXPECT_EQ(word[0], 20);
    EXPECT_EQ(word[3], 23);
    EXPECT_EQ(name[0], 4);
    EXPECT_EQ(name[15], 19);
    ASSERT_TRUE(f.ReadTitle(reinterpret_cast<char*>(title)));
    EXPECT_EQ(title[0], 24);
    ASSERT_TRUE(f.ReadPassword(reinterpret_cast<char*>(pass)));
    EXPECT_EQ(pass[5], 61);
    ASSERT_TRUE(f.ReadByte(&byte));
    EXPECT_EQ(byte, 62);
    EXPECT_EQ(f.Offset(), 63);
}

TEST_F(DataFileTest, ShortFieldIsRefusedAndChangesNothing)
{
    WriteFile("short.bin", std::string("\x01\x02", 2));
    DataFile f;
    ASSERT_TRUE(f.Open("short.bin", "rb"));
    unsigned char word[4] = {9, 9, 9, 9};
    EXPECT_FALSE(f.ReadWord(word));
    EXPECT_EQ(word[0], 9);
    EXPECT_EQ(word[1], 9);
    EXPECT_EQ(f.Offset(), 0);
    unsigned char b = 0;
    ASSERT_TRUE(f.ReadByte(&b));
    EXPECT_EQ(b, 1);
    // Exactly at the end: nothing left for any field.
    ASSERT_TRUE(f.ReadByte(&b));
    EXPECT_FALSE(f.ReadByte(&b));
    EXPECT_EQ(b, 2);
}

TEST_F(DataFileTest, MissingFileAndOverlongPathAreRefused)
{
    WriteFile("a.bin", Bytes(8));
    DataFile f;
    ASSERT_TRUE(f.Open("a.bin", "rb"));
    unsigned char word[4];
    ASSERT_TRUE(f.ReadWord(word));
    EXPECT_FALSE(f.Open("missing.bin", "rb"));
    EXPECT_EQ(f.Offset(), 4);
    unsigned char untouched[4] = {7, 7, 7, 7};
    EXPECT_FALSE(f.ReadWord(untouched));
    EXPECT_EQ(untouched[0], 7);
    EXPECT_EQ(f.ReadLine(), nullptr);

    std::string longPath(300, 'x');
    DataFile g;
    EXPECT_FALSE(g.Open(longPath.c_str(), "rb"));
    EXPECT_FALSE(g.Open("a.bin", "rbrbrbrbrbrbrb"));
    EXPECT_FALSE(g.Open(nullptr, "rb"));
}

TEST_F(DataFileTest, ReplacedFileGoesOnAtTheSavedOffset)
{
    WriteFile("r.bin", Bytes(8));
    DataFile f;
    ASSERT_TRUE(f.Open("r.bin", "rb"));
    unsigned char word[4];
    ASSERT_TRUE(f.ReadWord(word));
    WriteFile("r.bin", "ABCDEFGH");
    ASSERT_TRUE(f.ReadWord(word));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(word), 4), "EFGH");
}

TEST_F(DataFileTest, ReadLineSplitsLinesAndStopsAtTheEnd)
{
    WriteFile("empty.txt", "");
    DataFile e;
    ASSERT_TRUE(e.Open("empty.txt", "rt"));
    EXPECT_EQ(e.ReadLine(), nullptr);

    WriteFile("ab.txt", "a\nb");
    DataFile f;
    ASSERT_TRUE(f.Open("ab.txt", "rt"));
    char* line = f.ReadLine();
    ASSERT_NE(line, nullptr);
    EXPECT_STREQ(line, "a\n");
    line = f.ReadLine();
    ASSERT_NE(line, nullptr);
    EXPECT_STREQ(line, "b");
    EXPECT_EQ(f.ReadLine(), nullptr);
    EXPECT_EQ(f.ReadLine(), nullptr);
}

TEST_F(DataFileTest, ReadLineDropsCarriageReturnsBeforeNewlines)
{
    WriteFile("crlf.txt", "one\r\ntwo\r\nx\ry\r");
    DataFile f;
    ASSERT_TRUE(f.Open("crlf.txt", "rt"));
    EXPECT_STREQ(f.ReadLine(), "one\n");
    EXPECT_STREQ(f.ReadLine(), "two\n");
    // A lone "\r" is an ordinary character.
    EXPECT_STREQ(f.ReadLine(), "x\ry\r");
    EXPECT_EQ(f.ReadLine(), nullptr);
}

TEST_F(DataFileTest, LongLinesComeIn255CharacterPieces)
{
    std::string longLine(600, 'q');
    WriteFile("long.txt", longLine + "\nend\n");
    DataFile f;
    ASSERT_TRUE(f.Open("long.txt", "rt"));
    EXPECT_EQ(std::string(f.ReadLine()), std::string(255, 'q'));
    EXPECT_EQ(std::string(f.ReadLine()), std::string(255, 'q'));
    EXPECT_EQ(std::string(f.ReadLine()), std::string(90, 'q') + "\n");
    EXPECT_STREQ(f.ReadLine(), "end\n");
    EXPECT_EQ(f.ReadLine(), nullptr);

    // A line of exactly 255 characters leaves its newline for the next call.
    WriteFile("exact.txt", std::string(255, 'z') + "\n");
    DataFile g;
    ASSERT_TRUE(g.Open("exact.txt", "rt"));
    EXPECT_EQ(std::string(g.ReadLine()), std::string(255, 'z'));
    EXPECT_STREQ(g.ReadLine(), "\n");
    EXPECT_EQ(g.ReadLine(), nullptr);
}

TEST_F(DataFileTest, WritersAppendFieldsToAFreshFile)
{
    DataFile w;
    WriteFile("out.map", "old contents that must go");
    ASSERT_TRUE(w.Open("out.map", "wb"));
    int count = 0x01020304;
    char name[16] = "Gate";
    char pass[6] = "ABCDE";
    unsigned char flag = 1;
    ASSERT_TRUE(w.WriteWord(&count));
    ASSERT_TRUE(w.WriteName(name));
    ASSERT_TRUE(w.WritePassword(pass));
    ASSERT_TRUE(w.WriteByte(&flag));
    std::string bytes = cavtest::ReadFile("out.map");
    ASSERT_EQ(bytes.size(), 4u + 16u + 6u + 1u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(bytes.substr(4, 5), std::string("Gate\0", 5));
    EXPECT_EQ(bytes.back(), '\x01');

    DataFile r;
    ASSERT_TRUE(r.Open("out.map", "rb"));
    int back = 0;
    ASSERT_TRUE(r.ReadWord(&back));
    EXPECT_EQ(back, count);
}

} // namespace
