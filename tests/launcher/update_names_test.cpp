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
