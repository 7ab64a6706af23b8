// The map tool, run as the build runs it: a readable source in, a ".map" out, or a clear
// error and no output.
#include "engine/map_format.h"
#include "support/map_fixture.h"

#include <cstdlib>
#include <string>

using namespace cavtest;

namespace
{

class MapgenTest : public TempDirTest
{
protected:
    int Run(const std::string& source, const std::string& output = "out.map")
    {
        WriteFile("source.map.txt", source);
        const std::string command = std::string(CAV_BINARY_DIR) + "/tools/mapgen/mapgen " +
                                    "source.map.txt " + output + " 2> errors.txt";
        const int status = std::system(command.c_str());
        errors = ReadFile("errors.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string errors;
};

TEST_F(MapgenTest, SourcesBecomeTheSameBytesTheLayoutCodeWrites)
{
    const char* source = R"(# a comment line
title "TWO WORDS"   # trailing comment
password ABCDE
endtimer 25
colour 1 0 0 0 0 1
wall 0 0 100 0
colour 0.5 0.5 0.5
loop
  0 100  50 150
  100 100
end
chain
  200 0 300 0
end
entity MovingPlatform 10 20 angle=90 name=lift startTarget=a endTarget="b" radius=30 repeat=1
entity Generator 40 50
)";
    ASSERT_EQ(Run(source), 0) << errors;

    MapDocument expected;
    Beam red = MakeWall(0.0f, 0.0f, 100.0f, 0.0f);
    red.startRed = 1.0f;
    red.startGreen = red.startBlue = red.endRed = red.endGreen = 0.0f;
    red.endBlue = 1.0f;
    expected.walls.push_back(red);
    const float grey[][4] = {
        {0, 100, 50, 150}, {50, 150, 100, 100}, {100, 100, 0, 100}, {200, 0, 300, 0}};
    for (const auto& g : grey)
    {
        Beam wall = MakeWall(g[0], g[1], g[2], g[3]);
        wall.startRed = wall.startGreen = wall.startBlue = 0.5f;
        wall.endRed = wall.endGreen = wall.endBlue = 0.5f;
        expected.walls.push_back(wall);
    }
    MapEntityRecord lift = MakeRecord(18, 10.0f, 20.0f, 90.0f);
    Field(lift, "name").text = "lift";
    Field(lift, "startTarget").text = "a";
    Field(lift, "endTarget").text = "b";
    Field(lift, "radius").integer = 30;
    Field(lift, "repeat").flag = true;
    expected.entities.push_back(lift);
    expected.entities.push_back(MakeRecord(6, 40.0f, 50.0f));
    expected.title = "TWO WORDS";
    expected.password = "ABCDE";
    expected.endTimer = 25;
    ASSERT_TRUE(WriteMap("expected.map", expected));
    EXPECT_EQ(ReadFile("out.map"), ReadFile("expected.map"));
}

TEST_F(MapgenTest, MistakesAreReportedByLineAndWriteNothing)
{
    WriteFile("out.map", "previous");
    const struct
    {
        const char* source;
        const char* message;
    } cases[] = {
        {"title ok\nentity Dragon 0 0\n", "line 2: no placeable entity kind \"Dragon\""},
        {"entity Seeker 0 0\n", "line 1: no placeable entity kind \"Seeker\""},
        {"entity Rock 0 0 radius=3\n", "line 1: Rock has no field \"radius\""},
        {"entity TargetInfo 0 0 name=sixteen_letters_\n", "line 1: bad value for name"},
        {"entity Force 0 0 radius=1.5\n", "line 1: bad value for radius"},
        {"password SIXSIX\n", "line 1: password takes one text of at most 5 characters"},
        {"title \"unterminated\n", "line 1: unterminated quote"},
        {"loop\n0 0 10 0\n", "line 2: a loop is missing its \"end\""},
        {"loop\n0 0 10 0\nend\n", "line 3: a loop needs at least 3 points"},
        {"wall 5 5 5 5\n", "line 1: a wall needs two different ends"},
        {"wall 0 0 ten 0\n", "line 1: not a number: \"ten\""},
        {"colour 2 0 0\n", "line 1: colour channels lie in 0..1"},
        {"endtimer 5\nendtimer 6\n", "line 2: endtimer given twice"},
        {"fly away\n", "line 1: unknown command \"fly\""},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(Run(c.source), 1) << c.source;
        EXPECT_NE(errors.find(c.message), std::string::npos) << errors;
        EXPECT_EQ(ReadFile("out.map"), "previous");
    }
}

} // namespace
