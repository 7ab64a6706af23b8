// The rules for names that come from the update server.
#include "engine/data_file.h"
#include "launcher/update_names.h"
#include "support/temp_dir.h"

#include <filesystem>

namespace
{

class UpdateNamesTest : public cavtest::TempDirTest
{
};

TEST_F(UpdateNamesTest, OnlyTheLineEndIsRemoved)
{
    cavtest::WriteFile("list.txt", "a.map\r\nbb.map\nccc.map");
    DataFile file;
    ASSERT_TRUE(file.Open("list.txt", "rt"));
    std::vector<std::string> names;
    while (const char* line = file.ReadLine())
        names.push_back(NameFromLine(line));
    EXPECT_EQ(names, (std::vector<std::string>{"a.map", "bb.map", "ccc.map"}));
    EXPECT_EQ(NameFromLine("x.map\r"), "x.map");
    EXPECT_EQ(NameFromLine(""), "");
    EXPECT_EQ(NameFromLine("\n"), "");
}

TEST_F(UpdateNamesTest, UpdateListNamesOnlyThePackListAndStageLists)
{
    for (const char* good : {"MapPacks.cfg", "Stages1.txt", "Stages3.txt", "Stages12.txt"})
        EXPECT_TRUE(IsUpdateListName(good)) << good;
    for (const char* bad :
         {"", "Engine.cfg", "Scores.dat", "Controls.dat", "Cavernaut", "Patcher.exe", "Stages.txt",
          "Stages0.txt", "Stages01.txt", "Stages1.txt.exe", "Stagesx.txt", "Stages-1.txt",
          "Stages12345.txt", "../Stages1.txt", "Data/Stages1.txt", "mappacks.cfg", "MapPacks.cfg ",
          "Stages1.txt\n"})
        EXPECT_FALSE(IsUpdateListName(bad)) << bad;
}

TEST_F(UpdateNamesTest, MapNamesArePlainMapFilesThatFitTheMapPath)
{
    for (const char* good : {"Cave1.map", "a.map", "sector_7-b.map", "12345678901234567.map"})
        EXPECT_TRUE(IsMapFileName(good)) << good;
    for (const char* bad : {"", ".map", ".hidden.map", "../x.map", "x/../../y.map", "sub/x.map",
                            "..\\x.map", "a..b.map", "x.map.exe", "x.txt", "Engine.cfg",
                            "123456789012345678.map", "tab\t.map", "/etc/x.map"})
        EXPECT_FALSE(IsMapFileName(bad)) << bad;
    EXPECT_EQ(std::string("Data/Maps/").size() + kMaxMapNameLength, 31u);
}

TEST_F(UpdateNamesTest, ListsAreCutAsTheGameReadsThemAndANulIsCorrupt)
{
    std::vector<std::string> lines;
    ASSERT_TRUE(SplitListLines("a.map\r\nb.map\n" + std::string(300, 'x') + "\nc", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"a.map\n", "b.map\n", std::string(255, 'x'),
                                               std::string(45, 'x') + "\n", "c"}));
    std::vector<std::string> names;
    EXPECT_TRUE(ReadListNames("a.map\nb.map", IsMapFileName, names));
    EXPECT_EQ(names, (std::vector<std::string>{"a.map", "b.map"}));
    // A NUL would cut "evil.map\0.exe" to "evil.map" where the game reads it.
    for (const std::string& list : {std::string("a.map\nevil.map\0.exe\n", 20),
                                    std::string("Stages3.txt\0\n", 13), std::string("\0", 1)})
    {
        std::vector<std::string> refused;
        EXPECT_FALSE(SplitListLines(list, refused)) << list.size();
        EXPECT_FALSE(ReadListNames(list, IsMapFileName, refused));
    }
}

TEST_F(UpdateNamesTest, OnlyPrintableAsciiAndRequestPathsAreEncoded)
{
    for (const char* bad : {"caf\xc3\xa9.map", "\x80.map", "a\x7f.map", "del\xff.map"})
        EXPECT_FALSE(IsMapFileName(bad)) << bad;
    EXPECT_TRUE(IsMapFileName("a b~!$&'()+,;=@.map"));
    EXPECT_EQ(PercentEncode("Stages3.txt"), "Stages3.txt");
    EXPECT_EQ(PercentEncode("a b?c#d%e.map"), "a%20b%3Fc%23d%25e.map");
    EXPECT_EQ(PercentEncode("x/\xff.map"), "x%2F%FF.map");
}

TEST_F(UpdateNamesTest, LocalListsAndTheArchivedRule)
{
    EXPECT_TRUE(LocalStageLists().empty());
    cavtest::WriteFile("Stages1.txt", "a.map\n");
    cavtest::WriteFile("Stages2.txt", "b.map\n");
    cavtest::WriteFile("Stages4.txt", "d.map\n"); // after a gap: not counted
    const std::vector<std::string> local = LocalStageLists();
    EXPECT_EQ(local, (std::vector<std::string>{"Stages1.txt", "Stages2.txt"}));

    EXPECT_TRUE(IsArchived("Stages1.txt\n", local));
    EXPECT_TRUE(IsArchived("Stages2.txt", local));
    EXPECT_FALSE(IsArchived("Stages3.txt\n", local));
    EXPECT_FALSE(IsArchived("Stages10.txt\n", local));
    EXPECT_FALSE(IsArchived("MapPacks.cfg\n", local));
}

} // namespace
