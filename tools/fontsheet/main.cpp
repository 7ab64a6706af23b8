// fontsheet: builds the game's three font sheets from their sources in content/fonts.
//   fontsheet <content/fonts folder> <run folder> [--preview <folder>]
// Writes Data/Gfx/Fonts.psd (main font), Data/Gfx/Fonts2.psd (numbers) and
// Data/Gfx/FontShadow.psd (the shadow of the main font, shared by both); with
// --preview also PNG views of each sheet and a sample of set text, and prints the
// glyph widths. Exit status 1 on any fault in the sources.
#include "font_sheet.h"
#include "preview.h"

#include "imagekit/png_writer.h"
#include "imagekit/psd_writer.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace
{

void PrintWidths(const char* name, const imagekit::Image& sheet)
{
    std::printf("%s widths:", name);
    for (int code = 33; code <= 126; ++code)
        std::printf("%s%c=%d", (code - 33) % 16 == 0 ? "\n  " : " ", code,
                    fontsheet::MeasureGlyph(sheet, code));
    std::printf("\n");
}

bool WritePreviews(const std::string& dir, const imagekit::Image& main,
                   const imagekit::Image& numbers, const imagekit::Image& shadow)
{
    const uint8_t dark[3] = {13, 13, 26};
    const uint8_t light[3] = {200, 200, 210};
    bool ok = imagekit::WritePng(dir + "/Fonts.png", fontsheet::SheetPreview(main, dark), false);
    ok = imagekit::WritePng(dir + "/Fonts2.png", fontsheet::SheetPreview(numbers, dark), false) &&
         ok;
    ok = imagekit::WritePng(dir + "/FontShadow.png", fontsheet::SheetPreview(shadow, light),
                            false) &&
         ok;
    const fontsheet::SampleLine lines[] = {
        {"SCORE  PAUSED - ESC TO QUIT", &main, &shadow, false},
        {"STAGE 12  PASSWORD: QWERTY!", &main, &shadow, false},
        {"ASTRONAUGHTS RESCUED 3 * 500 =", &main, &shadow, false},
        {"Loading... fill; it'll |i| {j} @#$%&", &main, &shadow, false},
        {"0123456789 \"1ST\" 2ND (3RD) <4TH>", &main, &shadow, false},
        {"00123450 99 1500 -7", &numbers, nullptr, true},
        {"11111111 88888888", &numbers, nullptr, true},
    };
    imagekit::Image sample =
        fontsheet::SamplePreview(lines, static_cast<int>(sizeof(lines) / sizeof(lines[0])), 640);
    return imagekit::WritePng(dir + "/FontSample.png", sample, false) && ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && !(argc == 5 && std::strcmp(argv[3], "--preview") == 0))
    {
        std::fprintf(stderr, "usage: fontsheet <content/fonts folder> <run folder> "
                             "[--preview <folder>]\n");
        return 2;
    }
    const std::string source = argv[1];
    const std::string run = argv[2];

    fontsheet::GlyphRecipe mainRecipe, numberRecipe;
    fontsheet::ShadowRecipe shadowRecipe;
    bool ok = fontsheet::LoadGlyphRecipe(source + "/main_font.txt", mainRecipe);
    ok = fontsheet::LoadGlyphRecipe(source + "/number_font.txt", numberRecipe) && ok;
    ok = fontsheet::LoadShadowRecipe(source + "/font_shadow.txt", shadowRecipe) && ok;
    if (ok && shadowRecipe.glyphs != "main_font.txt")
    {
        std::fprintf(stderr, "font_shadow.txt: the shadow sheet serves both fonts and is cut "
                             "from the main font (glyphs = main_font.txt)\n");
        ok = false;
    }
    if (!ok)
        return 1;

    fontsheet::Cells mainCells, numberCells;
    ok = fontsheet::BuildCells(mainRecipe, mainCells);
    ok = fontsheet::BuildCells(numberRecipe, numberCells) && ok;
    if (!ok)
        return 1;

    imagekit::Image main = fontsheet::MakeGlyphSheet(mainRecipe, mainCells);
    imagekit::Image numbers = fontsheet::MakeGlyphSheet(numberRecipe, numberCells);
    imagekit::Image shadow = fontsheet::MakeShadowSheet(shadowRecipe, mainCells);

    ok = imagekit::WritePsd(run + "/Data/Gfx/Fonts.psd", main);
    ok = imagekit::WritePsd(run + "/Data/Gfx/Fonts2.psd", numbers) && ok;
    ok = imagekit::WritePsd(run + "/Data/Gfx/FontShadow.psd", shadow) && ok;
    if (ok && argc == 5)
    {
        PrintWidths("Fonts.psd", main);
        PrintWidths("Fonts2.psd", numbers);
        ok = WritePreviews(argv[4], main, numbers, shadow);
    }
    return ok ? 0 : 1;
}
