#include "editor/editor_canvas.h"
#include "support/editor_runner.h"
#include "support/gl_window.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

using namespace cavtest;

namespace
{

struct Pixels
{
    int width = 0;
    int height = 0;
    std::vector<Rgba> rgba; // row 0 at the top

    Rgba At(int x, int y) const { return rgba[static_cast<std::size_t>(y * width + x)]; }
};

// Draws the document into the canvas's back buffer and reads it back.
Pixels RenderAndRead(EditorCanvas& canvas)
{
    Pixels pixels;
    const wxSize size = canvas.GetClientSize();
    pixels.width = size.GetWidth();
    pixels.height = size.GetHeight();
    EXPECT_TRUE(canvas.MakeCurrent());
    glViewport(0, 0, pixels.width, pixels.height);
    canvas.RenderScene(pixels.width, pixels.height);
    glFinish();
    std::vector<Rgba> raw(static_cast<std::size_t>(pixels.width * pixels.height));
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, pixels.width, pixels.height, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
    pixels.rgba.resize(raw.size());
    for (int y = 0; y < pixels.height; ++y)
    {
        for (int x = 0; x < pixels.width; ++x)
            pixels.rgba[static_cast<std::size_t>(y * pixels.width + x)] =
                raw[static_cast<std::size_t>((pixels.height - 1 - y) * pixels.width + x)];
    }
    return pixels;
}

bool Near(const Rgba& pixel, int r, int g, int b)
{
    return std::abs(pixel.r - r) <= 2 && std::abs(pixel.g - g) <= 2 && std::abs(pixel.b - b) <= 2;
}

// A line on a whole pixel coordinate may land on either pixel beside it.
bool VerticalLineAt(const Pixels& p, int x, int y, int r, int g, int b)
{
    return Near(p.At(x, y), r, g, b) || Near(p.At(x - 1, y), r, g, b);
}

Beam MakeBeam(float x1, float y1, float x2, float y2, Colour start, Colour end)
{
    Beam beam;
    static_cast<Segment&>(beam) = Segment(x1, y1, x2, y2);
    beam.startRed = start.r;
    beam.startGreen = start.g;
    beam.startBlue = start.b;
    beam.endRed = end.r;
    beam.endGreen = end.g;
    beam.endBlue = end.b;
    return beam;
}

void FixedDocument(EditorFrame& frame)
{
    EditorDocument& doc = frame.document;
    doc.startColor = {1.0f, 0.0f, 0.0f};
    doc.endColor = {0.0f, 0.0f, 1.0f};
    const Colour cyan{0.0f, 1.0f, 1.0f};
    const Colour white{1.0f, 1.0f, 1.0f};
    doc.beams.push_back(MakeBeam(96, 320, 416, 320, {1, 0, 0}, {0, 0, 1}));
    doc.beams.push_back(MakeBeam(96, 320, 96, 160, cyan, white));
    doc.beams.push_back(MakeBeam(416, 320, 416, 160, white, cyan));
    const std::int32_t kinds[] = {0, 3, 6, 10, 11, 18, 20, 12};
    float x = 130.0f;
    for (std::int32_t kind : kinds)
    {
        doc.records.push_back(CreateEntityRecord(kind));
        doc.records.back()->x = x;
        doc.records.back()->y = 280.0f;
        x += 38.0f;
    }
}

TEST(EditorCanvas, RendersGridSwatchesAndDocument)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(CAV_RUN_DIR);
    RunEditor(
        [](EditorFrame& frame)
        {
            FixedDocument(frame);
            EditorCanvas& canvas = *frame.canvas;
            Pixels shown = RenderAndRead(canvas);
            ASSERT_GT(shown.width, 100);
            ASSERT_GT(shown.height, 100);
            SaveTestImage(std::string(CAV_ARTIFACT_DIR) + "/editor.png", shown.width, shown.height,
                          IL_RGBA, IL_UNSIGNED_BYTE, 4, shown.rgba.data());

            EXPECT_TRUE(Near(shown.At(10, 7), 255, 0, 0));            // start swatch
            EXPECT_TRUE(Near(shown.At(10, 17), 0, 0, 255));           // end swatch
            EXPECT_TRUE(Near(shown.At(44, 44), 128, 128, 115));       // background between lines
            EXPECT_TRUE(VerticalLineAt(shown, 40, 44, 102, 102, 77)); // grid line
            EXPECT_TRUE(VerticalLineAt(shown, 32, 44, 51, 51, 38));   // every fourth, darker
            // The floor beam runs from red to blue: a quarter of the way it is mostly red.
            const Rgba floor = shown.At(176, 320).r > 0 ? shown.At(176, 320) : shown.At(176, 319);
            EXPECT_GT(floor.r, 150);
            EXPECT_LT(floor.b, 100);

            // Panning moves the document but not the grid or the swatches.
            canvas.panX = -16;
            Pixels panned = RenderAndRead(canvas);
            EXPECT_TRUE(Near(panned.At(10, 7), 255, 0, 0));
            EXPECT_TRUE(VerticalLineAt(panned, 40, 44, 102, 102, 77));
            EXPECT_LT(shown.At(400, 204).g, 200);
            EXPECT_GT(panned.At(400, 204).g, 200); // the white-to-cyan right wall, moved left
            EXPECT_GT(panned.At(400, 204).b, 200);
            canvas.panX = 0;

            frame.document.gridShown = false;
            Pixels hidden = RenderAndRead(canvas);
            SaveTestImage(std::string(CAV_ARTIFACT_DIR) + "/editor_glow.png", hidden.width,
                          hidden.height, IL_RGBA, IL_UNSIGNED_BYTE, 4, hidden.rgba.data());
            EXPECT_TRUE(Near(hidden.At(44, 44), 13, 13, 13));
            EXPECT_TRUE(Near(hidden.At(40, 44), 13, 13, 13));
            EXPECT_TRUE(Near(hidden.At(10, 7), 255, 0, 0));
            frame.document.gridShown = true;
        });
    std::filesystem::current_path(previous);
}

TEST(EditorCanvas, ArrowKeysPanByGridSteps)
{
    RunEditor(
        [](EditorFrame& frame)
        {
            EditorCanvas& canvas = *frame.canvas;
            canvas.gridSize = 16;
            struct Case
            {
                int key, panX, panY;
            } cases[] = {{WXK_DOWN, 0, 0},     {WXK_UP, 0, -16},    {WXK_UP, 0, -32},
                         {WXK_LEFT, -16, -32}, {WXK_RIGHT, 0, -32}, {'A', 0, -32}};
            for (const Case& c : cases)
            {
                wxKeyEvent key(wxEVT_KEY_DOWN);
                key.m_keyCode = c.key;
                canvas.ProcessWindowEvent(key);
                EXPECT_EQ(canvas.panX, c.panX);
                EXPECT_EQ(canvas.panY, c.panY);
            }
        });
}

} // namespace
