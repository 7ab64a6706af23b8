// The line-model sources and the files built from them: the ".obj" byte layout, the
// source reader's helpers and errors, and every shipped model checked against the sizes
// the game gives its entities and screens.
#include "obj_source.h"
#include "obj_writer.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace
{

const std::string kObjects = std::string(CAV_RUN_DIR) + "/Data/Objects/";
const std::string kSources = std::string(CAV_SOURCE_DIR) + "/content/models/";

// An independent reader of the file layout, so the checks do not trust the writer.
struct LoadedBeam
{
    float v[10]; // x1, y1, r, g, b, x2, y2, r, g, b
};

struct LoadedModel
{
    int32_t count = 0;
    int32_t cx = 0;
    int32_t cy = 0;
    std::vector<LoadedBeam> beams;
};

uint32_t U32At(const std::string& bytes, size_t at)
{
    return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

int32_t I32At(const std::string& bytes, size_t at)
{
    uint32_t u = U32At(bytes, at);
    int32_t v = 0;
    std::memcpy(&v, &u, sizeof v);
    return v;
}

float F32At(const std::string& bytes, size_t at)
{
    uint32_t u = U32At(bytes, at);
    float v = 0.0f;
    std::memcpy(&v, &u, sizeof v);
    return v;
}

// Decodes bytes; false when the size does not match the count.
bool Decode(const std::string& bytes, LoadedModel& model)
{
    if (bytes.size() < 12)
    {
        return false;
    }
    model.count = I32At(bytes, 0);
    model.cx = I32At(bytes, 4);
    model.cy = I32At(bytes, 8);
    if (model.count < 0 || bytes.size() != 12 + static_cast<size_t>(model.count) * 40)
    {
        return false;
    }
    for (int32_t i = 0; i < model.count; ++i)
    {
        LoadedBeam beam;
        for (int k = 0; k < 10; ++k)
        {
            beam.v[k] = F32At(bytes, 12 + i * 40 + k * 4);
        }
        model.beams.push_back(beam);
    }
    return true;
}

// Bounds of a model as the game sees it: centre subtracted, then the slot's scale.
struct Bounds
{
    double minX = 1e30, maxX = -1e30, minY = 1e30, maxY = -1e30;
    double reach = 0.0;    // farthest beam end from the origin
    double nearest = 1e30; // nearest beam end to the origin
};

Bounds Measure(const LoadedModel& model, double scale)
{
    Bounds b;
    for (const LoadedBeam& beam : model.beams)
    {
        for (int end : {0, 5})
        {
            double x = (beam.v[end] - model.cx) * scale;
            double y = (beam.v[end + 1] - model.cy) * scale;
            b.minX = std::min(b.minX, x);
            b.maxX = std::max(b.maxX, x);
            b.minY = std::min(b.minY, y);
            b.maxY = std::max(b.maxY, y);
            double r = std::hypot(x, y);
            b.reach = std::max(b.reach, r);
            b.nearest = std::min(b.nearest, r);
        }
    }
    return b;
}

enum class Placement
{
    Ground,  // stands on the ground at its position, rising towards -y
    Centred, // spins or sits around its position
    Free,    // anything else (checked on its own below)
};

struct Expectation
{
    const char* name;
    double scale;    // the game's (or the editor's) scale for the file
    double minReach; // world units after scaling, from the entity's collision sizes
    double maxReach;
    Placement placement;
};

// Reach limits come from each entity's collision circles (radius and offset) with room for
// parts that stick out (barrels, lamps, crowns); the lettering models are checked on screen.
const Expectation kExpectations[] = {
    {"Apocalypse", 1.25, 150, 330, Placement::Free},
    {"BlueTurret", 0.25, 15, 25, Placement::Ground},
    {"Fuel", 0.125, 20, 32, Placement::Ground},
    {"Player", 0.25, 12, 17, Placement::Free},
    {"Shield", 0.5, 28, 32, Placement::Centred},
    {"ForceField", 0.25, 8, 16, Placement::Ground},
    {"Button", 0.25, 8, 16, Placement::Ground},
    {"ButtonIn", 0.25, 6, 16, Placement::Ground},
    {"plrbullet", 0.25, 3, 8, Placement::Free},
    {"bullet", 0.25, 3, 8, Placement::Centred},
    {"SpaceMan01", 0.125, 10, 16, Placement::Ground},
    {"SpaceMan02", 0.125, 10, 16, Placement::Ground},
    {"SpaceMan03", 0.125, 10, 16, Placement::Ground},
    {"SpaceMan04", 0.125, 10, 16, Placement::Ground},
    {"Generator", 0.25, 25, 35, Placement::Ground},
    {"BlueTank", 0.175, 17, 26, Placement::Ground},
    {"RedTurret", 0.25, 15, 25, Placement::Ground},
    {"Seeker", 0.175, 5, 10, Placement::Centred},
    {"DepthCharge", 0.175, 6, 10, Placement::Centred},
    {"Pebbleware", 0.85, 100, 330, Placement::Free},
    {"Tree", 0.175, 15, 32, Placement::Ground},
    {"Boulder", 0.25, 10, 14, Placement::Centred},
    {"BoulderLarge", 0.175, 18, 23, Placement::Centred},
    {"VolDebris1", 0.175, 3.5, 7, Placement::Centred},
    {"VolDebris2", 0.175, 3.5, 7, Placement::Centred},
    {"VolDebris3", 0.175, 3.5, 7, Placement::Centred},
    {"GameOver", 1.25, 150, 330, Placement::Free},
    {"Ufo", 0.1, 10, 18, Placement::Ground},
    {"GreenTurret", 0.25, 15, 25, Placement::Ground},
    {"Wasp", 0.125, 6, 10, Placement::Centred},
    {"Beacon1", 0.375, 45, 56, Placement::Ground},
    {"Beacon2", 0.375, 45, 56, Placement::Ground},
    {"Beacon3", 0.375, 45, 56, Placement::Ground},
    // the editor's own outlines
    {"Arrow", 0.25, 10, 20, Placement::Free},
    {"Volcano", 0.25, 12, 26, Placement::Free},
    {"TargetInfo", 0.25, 6, 12, Placement::Centred},
};

bool LoadShipped(const std::string& name, LoadedModel& model)
{
    std::string path = kObjects + name + ".obj";
    if (!cavtest::FileExists(path))
    {
        return false;
    }
    return Decode(cavtest::ReadFile(path), model);
}

Bounds ShippedBounds(const std::string& name, double scale)
{
    LoadedModel model;
    EXPECT_TRUE(LoadShipped(name, model)) << name;
    return Measure(model, scale);
}

objgen::ModelSource ParseOk(const std::string& text, const std::string& baseDir = ".")
{
    objgen::ModelSource model;
    std::string error;
    EXPECT_TRUE(objgen::ParseModelText(text, "test.txt", baseDir, model, error)) << error;
    return model;
}

std::string ParseError(const std::string& text, const std::string& baseDir = ".")
{
    objgen::ModelSource model;
    std::string error;
    EXPECT_FALSE(objgen::ParseModelText(text, "test.txt", baseDir, model, error));
    return error;
}

class ObjSourceFiles : public cavtest::TempDirTest
{
};

} // namespace

TEST(ObjFormat, OneBeamModelHasTheGoldenBytes)
{
    objgen::ModelSource model = ParseOk("centre 100 50\n"
                                        "beam 110 50 120 50 1,0.5,0 0,0,1\n");
    const unsigned char golden[] = {
        0x01, 0x00, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00, 0x32, 0x00, 0x00, 0x00, // 1, 100, 50
        0x00, 0x00, 0xdc, 0x42, 0x00, 0x00, 0x48, 0x42,                         // 110, 50
        0x00, 0x00, 0x80, 0x3f, 0x00, 0x00, 0x00, 0x3f, 0x00, 0x00, 0x00, 0x00, // 1, 0.5, 0
        0x00, 0x00, 0xf0, 0x42, 0x00, 0x00, 0x48, 0x42,                         // 120, 50
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3f, // 0, 0, 1
    };
    EXPECT_EQ(objgen::EncodeObj(model),
              std::string(reinterpret_cast<const char*>(golden), sizeof golden));
}

TEST(ObjFormat, NegativeCentreAndRawBeamFormRoundTrip)
{
    objgen::ModelSource model = ParseOk("centre -3 -70000\n"
                                        "beam -1.5 2 0.25 0.5 0.75 3 -4 1 1 1\n");
    LoadedModel loaded;
    ASSERT_TRUE(Decode(objgen::EncodeObj(model), loaded));
    EXPECT_EQ(loaded.cx, -3);
    EXPECT_EQ(loaded.cy, -70000);
    ASSERT_EQ(loaded.count, 1);
    const float expected[10] = {-1.5f, 2.0f, 0.25f, 0.5f, 0.75f, 3.0f, -4.0f, 1.0f, 1.0f, 1.0f};
    for (int k = 0; k < 10; ++k)
    {
        EXPECT_EQ(loaded.beams[0].v[k], expected[k]) << k;
    }
}

TEST(ObjSource, HelpersExpandToPlainBeams)
{
    objgen::ModelSource model = ParseOk("colour hot 1 0.5 0\n"
                                        "scale 2\n"
                                        "mirror on\n"
                                        "beam 0 -5 0 5 hot\n"    // on the axis: kept once
                                        "beam -3 1 3 1 hot\n"    // its own mirror image: once
                                        "poly hot 1 0 4 0 4 3\n" // two beams, plus mirrors
                                        "mirror off\n"
                                        "circle 10 10 5 8 hot 0,0,1\n");
    ASSERT_EQ(model.beams.size(), 1u + 1u + 4u + 8u);
    // scale applies to the coordinates, mirror reflects about x = 0
    EXPECT_FLOAT_EQ(model.beams[0].y1, -10.0f);
    EXPECT_FLOAT_EQ(model.beams[2].x2, 8.0f);
    EXPECT_FLOAT_EQ(model.beams[3].x1, -2.0f);
    EXPECT_FLOAT_EQ(model.beams[3].x2, -8.0f);
    // the circle closes on itself, every vertex on the radius, colour running to the end
    const objgen::SourceBeam& first = model.beams[6];
    const objgen::SourceBeam& last = model.beams.back();
    EXPECT_FLOAT_EQ(first.x1, 30.0f);
    EXPECT_FLOAT_EQ(last.x2, first.x1);
    EXPECT_NEAR(last.y2, first.y1, 1e-4);
    for (size_t i = 6; i < model.beams.size(); ++i)
    {
        EXPECT_NEAR(std::hypot(model.beams[i].x1 - 20.0, model.beams[i].y1 - 20.0), 10.0, 1e-4);
    }
    EXPECT_FLOAT_EQ(first.start.r, 1.0f);
    EXPECT_FLOAT_EQ(last.end.b, 1.0f);
    EXPECT_FLOAT_EQ(last.end.r, 0.0f);
}

TEST(ObjSource, TextIsCentredAndShadedFromTopToBottom)
{
    objgen::ModelSource model = ParseOk("font common/strokes.txt\n"
                                        "textstyle 60 1 0\n"
                                        "text 100 0 \"HI\" 1,1,1 0,0,1\n",
                                        kSources);
    ASSERT_FALSE(model.beams.empty());
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const objgen::SourceBeam& b : model.beams)
    {
        minX = std::min({minX, b.x1, b.x2});
        maxX = std::max({maxX, b.x1, b.x2});
        minY = std::min({minY, b.y1, b.y2});
        maxY = std::max({maxY, b.y1, b.y2});
        // a point's colour follows its height: white at the top, blue at the baseline
        EXPECT_NEAR(b.start.r, 1.0 - (b.y1 + 30.0) / 60.0, 1e-5);
        EXPECT_NEAR(b.end.r, 1.0 - (b.y2 + 30.0) / 60.0, 1e-5);
    }
    EXPECT_FLOAT_EQ(minY, -30.0f);
    EXPECT_FLOAT_EQ(maxY, 30.0f);
    EXPECT_NEAR((minX + maxX) / 2.0f, 100.0f, 1e-3);
}

TEST_F(ObjSourceFiles, IncludeAndPlaceReadOtherFiles)
{
    cavtest::WriteFile("parts.txt", "colour ink 0 1 0\nbeam 0 0 1 0 ink\n");
    cavtest::WriteFile("other.txt", "centre 10 10\nbeam 10 10 14 10 1,1,1\n");
    objgen::ModelSource model = ParseOk("include parts.txt\n"
                                        "beam 0 1 0 2 ink\n"
                                        "place other.txt 100 50 0.5\n",
                                        temp->Path());
    ASSERT_EQ(model.beams.size(), 3u);
    EXPECT_FLOAT_EQ(model.beams[1].start.g, 1.0f);
    // placed sources lose their own centre and take the given position and scale
    EXPECT_FLOAT_EQ(model.beams[2].x1, 100.0f);
    EXPECT_FLOAT_EQ(model.beams[2].x2, 102.0f);
    EXPECT_FLOAT_EQ(model.beams[2].y2, 50.0f);
}

TEST_F(ObjSourceFiles, BadSourcesAreRefusedWithTheirLine)
{
    EXPECT_NE(ParseError("beam 0 0 1 1 1,1,1\nbeam 3 3 3 3 1,1,1\n").find("test.txt:2:"),
              std::string::npos);
    EXPECT_NE(ParseError("beam 0 0 1 1 1,1.5,1\n").find("outside 0..1"), std::string::npos);
    EXPECT_NE(ParseError("colour c 0 0 -0.1\n").find("outside 0..1"), std::string::npos);
    EXPECT_NE(ParseError("beam 0 0 1 1 nosuch\n").find("unknown colour"), std::string::npos);
    EXPECT_NE(ParseError("beam 0 0 1 nan 1,1,1\n").find("number"), std::string::npos);
    EXPECT_NE(ParseError("beam 0 0 1 1e39 1,1,1\n").find("range"), std::string::npos);
    EXPECT_NE(ParseError("centre 0 0\ncentre 1 1\n").find("twice"), std::string::npos);
    EXPECT_NE(ParseError("centre 0.5 0\n").find("centre"), std::string::npos);
    EXPECT_NE(ParseError("circle 0 0 5 2.5 1,1,1\n").find("segments"), std::string::npos);
    EXPECT_NE(ParseError("include missing.txt\n").find("cannot read"), std::string::npos);
    EXPECT_NE(ParseError("text 0 0 \"A\" 1,1,1\n").find("font"), std::string::npos);
    EXPECT_NE(ParseError("wiggle 1 2\n").find("unknown directive"), std::string::npos);
    // an include that includes itself stops instead of recursing for ever
    cavtest::WriteFile("self.txt", "include self.txt\n");
    EXPECT_NE(ParseError("include self.txt\n", temp->Path()).find("nested"), std::string::npos);
}

TEST(ShippedModels, EveryFileIsWellFormed)
{
    for (const Expectation& e : kExpectations)
    {
        SCOPED_TRACE(e.name);
        std::string path = kObjects + e.name + ".obj";
        ASSERT_TRUE(cavtest::FileExists(path));
        std::string bytes = cavtest::ReadFile(path);
        LoadedModel model;
        ASSERT_TRUE(Decode(bytes, model)) << "size " << bytes.size();
        EXPECT_GE(model.count, 1);
        for (const LoadedBeam& b : model.beams)
        {
            for (float v : b.v)
            {
                EXPECT_TRUE(std::isfinite(v));
            }
            for (int k : {2, 3, 4, 7, 8, 9})
            {
                EXPECT_GE(b.v[k], 0.0f);
                EXPECT_LE(b.v[k], 1.0f);
            }
            EXPECT_FALSE(b.v[0] == b.v[5] && b.v[1] == b.v[6]) << "zero-length beam";
            // a glow colour of pure black would draw nothing
            EXPECT_GT(b.v[2] + b.v[3] + b.v[4] + b.v[7] + b.v[8] + b.v[9], 0.3f);
        }
    }
}

TEST(ShippedModels, ShippedFilesMatchTheirSources)
{
    for (const Expectation& e : kExpectations)
    {
        SCOPED_TRACE(e.name);
        objgen::ModelSource model;
        std::string error;
        ASSERT_TRUE(objgen::LoadModelSource(kSources + e.name + ".txt", model, error)) << error;
        EXPECT_EQ(objgen::EncodeObj(model), cavtest::ReadFile(kObjects + e.name + ".obj"));
    }
}

TEST(ShippedModels, SizesFitTheEntitiesThatUseThem)
{
    for (const Expectation& e : kExpectations)
    {
        SCOPED_TRACE(e.name);
        Bounds b = ShippedBounds(e.name, e.scale);
        EXPECT_GE(b.reach, e.minReach);
        EXPECT_LE(b.reach, e.maxReach);
        if (e.placement == Placement::Ground)
        {
            // drawn from the ground up: nothing below the position, the bulk above it
            EXPECT_NEAR(b.maxY, 0.0, 0.5);
            EXPECT_LT(b.minY, -0.5 * e.minReach);
        }
        if (e.placement == Placement::Centred)
        {
            EXPECT_NEAR((b.minX + b.maxX) / 2.0, 0.0, 2.5);
            EXPECT_NEAR((b.minY + b.maxY) / 2.0, 0.0, 2.5);
        }
    }
}

TEST(ShippedModels, ShipStandsOnItsLegsAndShieldIsARing)
{
    // Legs: circles of radius 5 at (+-8, 7) in the drawn frame, so the feet end at y = 12;
    // the hull circle has radius 10.
    Bounds ship = ShippedBounds("Player", 0.25);
    EXPECT_NEAR(ship.maxY, 12.0, 1.0);
    EXPECT_LT(ship.minY, -8.0); // the nose leads, towards -y
    EXPECT_GT(ship.minY, -15.0);
    EXPECT_LE(std::max(-ship.minX, ship.maxX), 14.0);
    // the shot leaves along -y as well
    Bounds shot = ShippedBounds("plrbullet", 0.25);
    EXPECT_LT(shot.minY, -3.0);
    EXPECT_LT(shot.maxX - shot.minX, shot.maxY - shot.minY);

    Bounds shield = ShippedBounds("Shield", 0.5);
    EXPECT_GT(shield.nearest, 27.0);
}

TEST(ShippedModels, LetteringFitsTheScreensThatShowIt)
{
    // The front end shows the title at (320, 110) between the top scroller (0..25) and
    // the information pages (from about y 170).
    Bounds title = ShippedBounds("Apocalypse", 1.25);
    EXPECT_GE(320 + title.minX, 0.0);
    EXPECT_LE(320 + title.maxX, 640.0);
    EXPECT_GE(110 + title.minY, 25.0);
    EXPECT_LE(110 + title.maxY, 170.0);
    EXPECT_GT(title.maxX - title.minX, 400.0);

    Bounds over = ShippedBounds("GameOver", 1.25);
    EXPECT_GE(310 + over.minX, 0.0);
    EXPECT_LE(310 + over.maxX, 640.0);
    EXPECT_GT(over.maxX - over.minX, 300.0);

    // The splash draws the logo at (320, 320) above its picture, which starts at y 320;
    // the front end draws it at a quarter of that in the corners (50, 450) and (590, 450)
    // above the bottom scroller (from y 460).
    Bounds splash = ShippedBounds("Pebbleware", 0.85);
    EXPECT_LE(splash.maxY, 0.0);
    EXPECT_GE(320 + splash.minY, 0.0);
    EXPECT_GT(splash.maxX - splash.minX, 250.0);
    Bounds corner = ShippedBounds("Pebbleware", 0.85 * 0.25);
    EXPECT_GE(50 + corner.minX, 0.0);
    EXPECT_LE(590 + corner.maxX, 640.0);
    EXPECT_LE(450 + corner.maxY, 460.0);
}

TEST(TitlePicture, IsA24BitBitmapOfTheSetupWindowSize)
{
    std::string path = std::string(CAV_RUN_DIR) + "/Data/Gfx/TitleBar.bmp";
    ASSERT_TRUE(cavtest::FileExists(path));
    std::string bmp = cavtest::ReadFile(path);
    const size_t row = (473 * 3 + 3) & ~size_t(3);
    ASSERT_EQ(bmp.size(), 54 + row * 336);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(U32At(bmp, 2), bmp.size());
    EXPECT_EQ(U32At(bmp, 10), 54u);
    EXPECT_EQ(I32At(bmp, 18), 473);
    EXPECT_EQ(I32At(bmp, 22), 336);
    EXPECT_EQ(bmp[28], 24);
    EXPECT_EQ(U32At(bmp, 30), 0u);
    // A dark picture with glowing lines: mostly background, some bright pixels.
    size_t dark = 0;
    size_t bright = 0;
    for (size_t y = 0; y < 336; ++y)
    {
        for (size_t x = 0; x < 473; ++x)
        {
            const unsigned char* p =
                reinterpret_cast<const unsigned char*>(bmp.data()) + 54 + y * row + x * 3;
            int sum = p[0] + p[1] + p[2];
            dark += sum < 90;
            bright += sum > 450;
        }
    }
    EXPECT_GT(dark, 473u * 336u / 2);
    EXPECT_GT(bright, 500u);
}
