#include "engine/config_file.h"
#include "support/temp_dir.h"

#include <clocale>
#include <locale>
#include <string>

using cavtest::ReadFile;
using cavtest::TempDirTest;
using cavtest::WriteFile;

namespace
{

struct Controls
{
    int left = 276;
    float mouse = 0.5f;
    std::string name = "ACE";
};

void Routine(ConfigFile& cfg, const std::string& path, Controls& c)
{
    cfg.Section(path, "[Control Configuration]");
    cfg.IntValue(path, "LEFT_PRIMARY", c.left);
    cfg.FloatValue(path, "MOUSESENSI", c.mouse);
    cfg.StringValue(path, "1STPLACENAME", c.name);
}

class ConfigFileTest : public TempDirTest
{
};

TEST_F(ConfigFileTest, MissingFileIsWrittenByteExactlyThenReadInTheNextRun)
{
    ConfigFile first;
    Controls c;
    Routine(first, "Controls.dat", c);
    EXPECT_EQ(ReadFile("Controls.dat"), "[Control Configuration]\n"
                                        "LEFT_PRIMARY\t= 276\n"
                                        "MOUSESENSI\t= 0.5\n"
                                        "1STPLACENAME\t= ACE\n");

    WriteFile("Controls.dat", "[Control Configuration]\nLEFT_PRIMARY\t= 97\nMOUSESENSI\t= "
                              "1.25\n1STPLACENAME\t= ZED\n");
    ConfigFile next; // a new run: nothing created yet
    Controls d;
    Routine(next, "Controls.dat", d);
    EXPECT_EQ(d.left, 97);
    EXPECT_FLOAT_EQ(d.mouse, 1.25f);
    EXPECT_EQ(d.name, "ZED");
}

TEST_F(ConfigFileTest, FirstMatchWinsAndSectionsAreIgnored)
{
    WriteFile("s.cfg", "[Other]\nKEY\t= 1\n[Mine]\nKEY\t= 2\nKEYLONG\t= 3\n");
    ConfigFile cfg;
    int v = 0;
    cfg.Section("s.cfg", "[Mine]");
    cfg.IntValue("s.cfg", "KEY", v);
    EXPECT_EQ(v, 1);
    int missing = 42;
    cfg.IntValue("s.cfg", "NOPE", missing);
    EXPECT_EQ(missing, 42);
    std::string s = "keep";
    cfg.StringValue("s.cfg", "NOPE", s);
    EXPECT_EQ(s, "");
    // Key, "=" and value joined without blanks do not match the key.
    WriteFile("j.cfg", "KEY=5\n");
    int joined = 9;
    cfg.IntValue("j.cfg", "KEY", joined);
    EXPECT_EQ(joined, 9);
}

TEST_F(ConfigFileTest, BadNumbersLeaveTheDestinationUnchanged)
{
    WriteFile("n.cfg",
              "A\t= abc\nB\t= 99999999999999\nC\t= x1.5\nD\t= 1e99\nE\t= -12\nF\t= 3.5e2\n");
    ConfigFile cfg;
    int a = 7, b = 8, e = 0;
    float c = 1.0f, d = 2.0f, f = 0.0f;
    cfg.IntValue("n.cfg", "A", a);
    cfg.IntValue("n.cfg", "B", b);
    cfg.FloatValue("n.cfg", "C", c);
    cfg.FloatValue("n.cfg", "D", d);
    cfg.IntValue("n.cfg", "E", e);
    cfg.FloatValue("n.cfg", "F", f);
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, 8);
    EXPECT_FLOAT_EQ(c, 1.0f);
    EXPECT_FLOAT_EQ(d, 2.0f);
    EXPECT_EQ(e, -12);
    EXPECT_FLOAT_EQ(f, 350.0f);
}

TEST_F(ConfigFileTest, StringsWithBlanksAndCrlfReadBackWhole)
{
    ConfigFile cfg;
    std::string name = "MAX POWER";
    cfg.StringValue("b.cfg", "NAME", name);
    EXPECT_EQ(ReadFile("b.cfg"), "NAME\t= MAX POWER\n");
    ConfigFile later;
    std::string back;
    later.StringValue("b.cfg", "NAME", back);
    EXPECT_EQ(back, "MAX POWER");

    WriteFile("crlf.cfg", "NAME\t= ACE\r\nN\t= 5\r\n");
    std::string one;
    int n = 0;
    later.StringValue("crlf.cfg", "NAME", one);
    later.IntValue("crlf.cfg", "N", n);
    EXPECT_EQ(one, "ACE");
    EXPECT_EQ(n, 5);

    // Blanks inside stay; blanks before and after go, as a stream reads one word.
    const std::pair<const char*, const char*> cases[] = {
        {"NAME\t= ACE  \n", "ACE"},
        {"NAME\t=  \t ACE\n", "ACE"},
        {"NAME\t= MAX  POWER \t\r\n", "MAX  POWER"},
        {"NAME\t=    \n", ""},
    };
    for (const auto& [text, expected] : cases)
    {
        WriteFile("pad.cfg", text);
        std::string value = "old";
        later.StringValue("pad.cfg", "NAME", value);
        EXPECT_EQ(value, expected) << text;
    }
}

TEST_F(ConfigFileTest, NumbersUseTheCLocale)
{
    const char* old = std::setlocale(LC_ALL, nullptr);
    std::string saved = old ? old : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        std::setlocale(LC_ALL, "C.UTF-8");
    std::locale::global(std::locale(""));
    ConfigFile cfg;
    float f = 0.75f;
    int big = 1234567;
    cfg.FloatValue("l.cfg", "F", f);
    cfg.IntValue("l.cfg", "I", big);
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(ReadFile("l.cfg"), "F\t= 0.75\nI\t= 1234567\n");
}

TEST_F(ConfigFileTest, SaveReplacesTheFileWholeAndKeepsWriteMode)
{
    ConfigFile cfg;
    Controls c;
    Routine(cfg, "c.dat", c); // created this run
    c.left = 100;
    ASSERT_TRUE(cfg.Save("c.dat", [&] { Routine(cfg, "c.dat", c); }));
    std::string expected = "[Control Configuration]\nLEFT_PRIMARY\t= 100\nMOUSESENSI\t= 0.5\n"
                           "1STPLACENAME\t= ACE\n";
    EXPECT_EQ(ReadFile("c.dat"), expected);
    EXPECT_EQ(cavtest::FilesUnder("."), std::vector<std::string>{"c.dat"});
    // Created in this run: running the routine again appends instead of reading.
    Routine(cfg, "c.dat", c);
    EXPECT_EQ(ReadFile("c.dat"), expected + expected);
}

TEST_F(ConfigFileTest, FailedSaveKeepsTheOldFile)
{
    WriteFile("keep.cfg", "A\t= 1\n");
    ConfigFile cfg;
    int a = 0;
    cfg.IntValue("keep.cfg", "A", a);
    ASSERT_EQ(a, 1);
    // The disk is full: no byte of the new file fits.
    a = 2;
    {
        cavtest::FileSizeLimit full(0);
        EXPECT_FALSE(cfg.Save("keep.cfg", [&] { cfg.IntValue("keep.cfg", "A", a); }));
    }
    EXPECT_EQ(ReadFile("keep.cfg"), "A\t= 1\n");
    EXPECT_EQ(cavtest::FilesUnder("."), std::vector<std::string>{"keep.cfg"});
}

} // namespace
