#include "engine/line_model.h"

#include "support/capture_sink.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using cavtest::CapturedVertex;
using cavtest::CaptureSink;
using cavtest::WriteFile;

namespace
{

void Put(std::string& bytes, const void* value)
{
    bytes.append(static_cast<const char*>(value), 4);
}

// An ".obj" file: count, centre, then each beam's ten values in file order.
std::string ObjFile(std::int32_t count, std::int32_t cx, std::int32_t cy,
                    const std::vector<std::vector<float>>& beams)
{
    std::string bytes;
    Put(bytes, &count);
    Put(bytes, &cx);
    Put(bytes, &cy);
    for (const auto& beam : beams)
    {
        for (float value : beam)
            Put(bytes, &value);
    }
    return bytes;
}

class LineModelFiles : public cavtest::TempDirTest
{
};

TEST_F(LineModelFiles, LoadMovesBeamsToTheCentreAndKeepsColours)
{
    cavtest::LogCapture log;
    WriteFile("m.obj",
              ObjFile(1, 100, 50, {{110, 50, 0.1f, 0.2f, 0.3f, 120, 50, 0.4f, 0.5f, 0.6f}}));
    LineModel model;
    ASSERT_TRUE(LineModel::Load("m.obj", model));
    ASSERT_EQ(model.beams.size(), 1u);
    const Beam& b = model.beams[0];
    EXPECT_FLOAT_EQ(b.x1, 10);
    EXPECT_FLOAT_EQ(b.y1, 0);
    EXPECT_FLOAT_EQ(b.x2, 20);
    EXPECT_FLOAT_EQ(b.y2, 0);
    EXPECT_FLOAT_EQ(b.nx, 0);
    EXPECT_FLOAT_EQ(b.ny, -1);
    EXPECT_FLOAT_EQ(b.length, 10);
    EXPECT_FLOAT_EQ(b.startGreen, 0.2f);
    EXPECT_FLOAT_EQ(b.endBlue, 0.6f);

    // Loading again appends.
    ASSERT_TRUE(LineModel::Load("m.obj", model));
    EXPECT_EQ(model.beams.size(), 2u);

    LineModel scaled = model;
    LineModel::Scale(scaled, 0.25f);
    EXPECT_FLOAT_EQ(scaled.beams[0].x1, 2.5f);
    EXPECT_FLOAT_EQ(scaled.beams[0].x2, 5);
    EXPECT_FLOAT_EQ(scaled.beams[0].length, 2.5f);
    EXPECT_FLOAT_EQ(scaled.beams[0].startRed, 0.1f);

    LineModel mirrored = model;
    LineModel::Mirror(mirrored);
    const Beam& m = mirrored.beams[0];
    EXPECT_FLOAT_EQ(m.x1, -10);
    EXPECT_FLOAT_EQ(m.x2, -20);
    EXPECT_FLOAT_EQ(m.dx, -1);
    EXPECT_FLOAT_EQ(m.nx, 0);
    EXPECT_FLOAT_EQ(m.ny, 1);
    EXPECT_EQ(log.Text(), "");
}

TEST_F(LineModelFiles, EmptyAndMissingFiles)
{
    cavtest::LogCapture log;
    LineModel model;
    WriteFile("zero.obj", ObjFile(0, 5, 5, {}));
    EXPECT_TRUE(LineModel::Load("zero.obj", model));
    WriteFile("negative.obj", ObjFile(-4, 5, 5, {}));
    EXPECT_TRUE(LineModel::Load("negative.obj", model));
    EXPECT_TRUE(model.beams.empty());

    EXPECT_FALSE(LineModel::Load("missing.obj", model));
    WriteFile("empty.obj", "");
    EXPECT_FALSE(LineModel::Load("empty.obj", model));
    WriteFile("short.obj", std::string("\x01\x00\x00\x00\x00\x00", 6));
    EXPECT_FALSE(LineModel::Load("short.obj", model));
    EXPECT_TRUE(model.beams.empty());
    EXPECT_NE(log.Text().find("Failed to load line model: missing.obj!\n"), std::string::npos);
}

TEST_F(LineModelFiles, CountBeyondTheFileFailsBeforeReading)
{
    cavtest::LogCapture log;
    std::vector<float> beam{0, 0, 1, 1, 1, 10, 0, 1, 1, 1};
    LineModel model;
    // Three beams promised, two present: nothing is appended.
    WriteFile("truncated.obj", ObjFile(3, 0, 0, {beam, beam}));
    EXPECT_FALSE(LineModel::Load("truncated.obj", model));
    EXPECT_TRUE(model.beams.empty());
    // A damaged count of two billion must not reserve 120 GB.
    WriteFile("huge.obj", ObjFile(2000000000, 0, 0, {beam}));
    EXPECT_FALSE(LineModel::Load("huge.obj", model));
    EXPECT_TRUE(model.beams.empty());
    EXPECT_NE(
        log.Text().find("huge.obj (2000000000 beams need 80000000012 bytes, the file has 52)"),
        std::string::npos);
    // Trailing bytes after the beams are harmless.
    WriteFile("long.obj", ObjFile(1, 0, 0, {beam}) + "tail");
    EXPECT_TRUE(LineModel::Load("long.obj", model));
    EXPECT_EQ(model.beams.size(), 1u);
}

TEST(DrawBeam, TwelveVerticesInBodyThenCapOrder)
{
    Beam beam;
    beam.CopyFrom(Segment(0, 0, 10, 0));
    beam.startRed = 1.0f;
    beam.endBlue = 0.5f;
    CaptureSink sink;
    {
        ScopedVertexSink use(sink);
        DrawBeam(beam, 2);
    }
    struct Expect
    {
        float x, y, u, v;
        bool end;
    };
    // Normal (0, -1), direction (1, 0), half width 2.
    const Expect expected[12] = {
        {0, 2, 0, 0.5f, false},  {0, -2, 1, 0.5f, false}, {10, -2, 1, 0.5f, true},
        {10, 2, 0, 0.5f, true},  {-2, 2, 0, 0, false},    {-2, -2, 1, 0, false},
        {0, -2, 1, 0.5f, false}, {0, 2, 0, 0.5f, false},  {12, 2, 0, 0, true},
        {12, -2, 1, 0, true},    {10, -2, 1, 0.5f, true}, {10, 2, 0, 0.5f, true}};
    ASSERT_EQ(sink.vertices.size(), 12u);
    for (int i = 0; i < 12; ++i)
    {
        const CapturedVertex& got = sink.vertices[i];
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(got.x, expected[i].x);
        EXPECT_FLOAT_EQ(got.y, expected[i].y);
        EXPECT_FLOAT_EQ(got.u, expected[i].u);
        EXPECT_FLOAT_EQ(got.v, expected[i].v);
        EXPECT_FLOAT_EQ(got.rgba[0], expected[i].end ? 0.0f : 1.0f);
        EXPECT_FLOAT_EQ(got.rgba[2], expected[i].end ? 0.5f : 0.0f);
        EXPECT_FLOAT_EQ(got.rgba[3], 1.0f);
    }
    // The caller owns the GL_QUADS block: the beam opens none of its own.
    EXPECT_TRUE(sink.blockModes.empty());
}

TEST(DrawBeam, ModelDrawsItsBeamsInOrderAtTheGivenWidth)
{
    LineModel model;
    Beam a, b;
    a.CopyFrom(Segment(0, 0, 0, 10)); // normal (1, 0)
    b.CopyFrom(Segment(50, 50, 60, 50));
    model.beams = {a, b};
    CaptureSink sink;
    {
        ScopedVertexSink use(sink);
        LineModel::Draw(model, ModelListWidth(12));
    }
    ASSERT_EQ(sink.vertices.size(), 24u);
    EXPECT_FLOAT_EQ(sink.vertices[0].x, -15); // width 15 for the space men
    EXPECT_FLOAT_EQ(sink.vertices[12].x, 50);
    EXPECT_FLOAT_EQ(sink.vertices[12].y, 65);

    EXPECT_EQ(ModelListWidth(0), 0.0f);
    EXPECT_EQ(ModelListWidth(30), 0.0f);
    EXPECT_EQ(ModelListWidth(9), 20.0f);
    EXPECT_EQ(ModelListWidth(10), 15.0f);
    EXPECT_EQ(ModelListWidth(17), 15.0f);
    EXPECT_EQ(ModelListWidth(18), 20.0f);
    EXPECT_EQ(ModelListWidth(36), 20.0f);
}

} // namespace
