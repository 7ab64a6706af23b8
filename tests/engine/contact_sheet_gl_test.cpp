// Draws every line-model slot (at its game scale, mirrored copies included) and both fonts
// with the shipped art, as the game draws them, into one picture for a person to look at:
// CAV_ARTIFACT_DIR/models.png, four 640 x 480 screens side by side:
//   titles (slots 0 and 30) | slots 1-17 at 1.75x
//   slots 18-36 at 1.75x    | the logo model (slot 23) and text in both fonts
#include "engine/font.h"
#include "engine/gl_state.h"
#include "engine/line_model.h"
#include "engine/texture.h"
#include "support/gl_window.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using cavtest::Framebuffer;
using cavtest::Rgba;

namespace
{

::testing::Environment* const gWindow =
    ::testing::AddGlobalTestEnvironment(new cavtest::GLWindowEnvironment);

const std::string kRun = std::string(CAV_RUN_DIR) + "/";

constexpr float kZoom = 1.75f;
constexpr int kColumns = 6;
constexpr float kCellW = 640.0f / kColumns;
constexpr float kCellH = 160.0f;

class ContactSheet : public ::testing::Test
{
protected:
    void SetUp() override
    {
        glow = LoadTexture(
            {kRun + "Data/GFX/BeamParticle.png", GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP});
        ASSERT_NE(glow, 0u);
        ASSERT_TRUE(font.Load(kRun + "Data/Gfx/Fonts.psd", kRun + "Data/Gfx/FontShadow.psd"));
        ASSERT_TRUE(numbers.Load(kRun + "Data/Gfx/Fonts2.psd", kRun + "Data/Gfx/FontShadow.psd"));
        numbers.DisableShadow();

        models.resize(kModelSlotCount);
        for (int slot = 0; slot < kModelSlotCount; ++slot)
        {
            const ModelSlot& s = kModelSlots[slot];
            if (s.mirrorOf >= 0)
                continue;
            std::string path = kRun + "Data/Objects/" + s.name + ".obj";
            ASSERT_TRUE(LineModel::Load(path.c_str(), models[slot])) << path;
            LineModel::Scale(models[slot], s.scale);
        }
        for (int slot = 0; slot < kModelSlotCount; ++slot)
        {
            if (kModelSlots[slot].mirrorOf >= 0)
            {
                models[slot] = models[kModelSlots[slot].mirrorOf];
                LineModel::Mirror(models[slot]);
            }
        }
        SetupProjection(640, 480);
        lists = BuildModelDisplayLists(models.data());
        ASSERT_NE(lists, 0u);
    }

    void TearDown() override
    {
        if (lists != 0)
            glDeleteLists(lists, kModelSlotCount + 1);
        font.FreeTexture();
        numbers.FreeTexture();
    }

    // The game's background, and its projection.
    static void Background()
    {
        cavtest::ClearScreen();
        glClearColor(0.05f, 0.05f, 0.1f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    // A model at (x, y) in its own size times zoom, through its list where it has one.
    void DrawModel(int slot, float x, float y, float zoom)
    {
        glPushMatrix();
        glTranslatef(x, y, 0);
        glScalef(zoom, zoom, 1);
        BindTexture(GL_TEXTURE_2D, glow);
        SetBlendFunc(GL_SRC_COLOR, GL_ONE);
        glBegin(GL_QUADS);
        if (ModelListWidth(slot) > 0.0f)
            glCallList(lists + slot);
        else
            LineModel::Draw(models[slot], 20);
        glEnd();
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glPopMatrix();
    }

    void Label(const std::string& text, float x, float y, float scale = 0.4f)
    {
        font.SetScale(scale, scale);
        font.SetAlign(1);
        font.SetColor(0.7f, 0.8f, 1.0f, 1.0f);
        font.DrawText(text.c_str(), x, y);
    }

    // Slots on a 6 x 3 grid; returns where each model's origin went.
    std::vector<std::pair<int, int>> DrawGrid(const std::vector<int>& slots)
    {
        std::vector<std::pair<int, int>> origins;
        for (std::size_t i = 0; i < slots.size(); ++i)
        {
            int slot = slots[i];
            float cx = kCellW * (i % kColumns) + kCellW / 2;
            float top = kCellH * (i / kColumns);
            DrawModel(slot, cx, top + 115, kZoom);
            const ModelSlot& s = kModelSlots[slot];
            std::string name =
                s.mirrorOf >= 0 ? "mirror of " + std::to_string(s.mirrorOf) : std::string(s.name);
            Label(std::to_string(slot) + " " + name, cx, top + 2);
            origins.emplace_back(static_cast<int>(cx), static_cast<int>(top + 115));
        }
        return origins;
    }

    unsigned int glow = 0;
    unsigned int lists = 0;
    Font font, numbers;
    std::vector<LineModel> models;
};

bool Lit(Rgba p)
{
    return p.r > 60 || p.g > 60 || p.b > 60;
}

// Whether anything bright lies within `reach` pixels of (x, y).
bool LitNear(const Framebuffer& fb, int x, int y, int reach)
{
    for (int dy = -reach; dy <= reach; ++dy)
    {
        for (int dx = -reach; dx <= reach; ++dx)
        {
            int px = x + dx, py = y + dy;
            if (px >= 0 && px < 640 && py >= 0 && py < 480 && Lit(fb.At(px, py)))
                return true;
        }
    }
    return false;
}

TEST_F(ContactSheet, EveryModelAndBothFonts)
{
    std::vector<Framebuffer> pages;

    Background();
    DrawModel(0, 320, 110, 1);
    Label("0 Apocalypse (front end)", 320, 180, 0.5f);
    DrawModel(30, 310, 300, 1);
    Label("30 GameOver", 320, 360, 0.5f);
    pages.emplace_back();
    EXPECT_TRUE(LitNear(pages.back(), 320, 110, 60));
    EXPECT_TRUE(LitNear(pages.back(), 310, 300, 60));

    std::vector<int> first, second;
    for (int slot = 1; slot <= 17; ++slot)
        first.push_back(slot);
    for (int slot = 18; slot < kModelSlotCount; ++slot)
    {
        if (slot != 23 && slot != 30)
            second.push_back(slot);
    }
    for (const auto* group : {&first, &second})
    {
        Background();
        auto origins = DrawGrid(*group);
        pages.emplace_back();
        for (std::size_t i = 0; i < origins.size(); ++i)
        {
            // Something lit within the model's own reach of its origin.
            float reach = 0;
            for (const Beam& b : models[(*group)[i]].beams)
                reach = std::max(
                    {reach, std::abs(b.x1), std::abs(b.y1), std::abs(b.x2), std::abs(b.y2)});
            int pixels = static_cast<int>(reach * kZoom) + 4;
            EXPECT_TRUE(LitNear(pages.back(), origins[i].first, origins[i].second, pixels))
                << "slot " << (*group)[i] << " drew nothing near its origin";
        }
    }

    Background();
    DrawModel(23, 320, 175, 1);
    Label("23 Pebbleware", 320, 180, 0.5f);
    font.SetScale(0.75f, 0.75f);
    font.SetColor(1, 1, 1, 1);
    font.SetAlign(0);
    font.DrawText("CAVERNAUT 0123456789", 20, 215);
    font.SetScale(0.5f, 0.5f);
    font.DrawText("DESTROY ALL REACTORS TO CLEAR SECTOR", 20, 250);
    font.DrawText("the quick brown fox jumps over 13 lazy dogs!?", 20, 275);
    font.SetColor(1.0f, 0.8f, 0.2f, 1);
    font.SetWave(0.05f, 4);
    font.DrawText("WAVE: {[(<#$%&*+-=/\\|>)]}~", 20, 300);
    font.ClearWave();
    numbers.SetColor(0.4f, 1.0f, 0.4f, 1);
    numbers.SetAlign(2);
    numbers.SetScale(0.75f, 0.75f);
    numbers.SetFixedWidth();
    numbers.DrawText("0123456789", 620, 340);
    numbers.DrawText("1250", 620, 370);
    numbers.ClearFixedWidth();
    numbers.SetScale(0.5f, 0.5f);
    numbers.DrawText("SCORE 001250  LIVES 3  FUEL 87%", 620, 405);
    font.SetScale(0.75f, 0.75f);
    font.SetAlign(2);
    font.SetColor(1, 1, 1, 1);
    font.DrawText("Loading...", 630, 440);
    pages.emplace_back();
    EXPECT_TRUE(LitNear(pages.back(), 320, 100, 60));
    EXPECT_TRUE(LitNear(pages.back(), 30, 230, 8));  // main font
    EXPECT_TRUE(LitNear(pages.back(), 610, 350, 8)); // digits, right-aligned at 620
    EXPECT_TRUE(LitNear(pages.back(), 620, 455, 8)); // "Loading..." ends at 630

    // Four screens, two by two, into one picture.
    std::vector<Rgba> sheet(1280 * 960);
    for (int page = 0; page < 4; ++page)
    {
        int ox = (page % 2) * 640, oy = (page / 2) * 480;
        for (int y = 0; y < 480; ++y)
        {
            for (int x = 0; x < 640; ++x)
                sheet[(oy + y) * 1280 + ox + x] = pages[page].At(x, y);
        }
    }
    for (int i = 0; i < 1280; ++i) // a thin rule between the screens
    {
        sheet[480 * 1280 + i] = Rgba{80, 80, 80, 255};
        sheet[(i * 960 / 1280) * 1280 + 640] = Rgba{80, 80, 80, 255};
    }
    std::string path = std::string(CAV_ARTIFACT_DIR) + "/models.png";
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ASSERT_TRUE(ilTexImage(1280, 960, 1, 4, IL_RGBA, IL_UNSIGNED_BYTE, sheet.data()));
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    ilEnable(IL_FILE_OVERWRITE);
    EXPECT_TRUE(ilSaveImage(path.c_str())) << path;
    ilDeleteImages(1, &image);
    std::printf("contact sheet: %s\n", path.c_str());
}

} // namespace
