// Font sheets: the 512 x 512 glyph images the game's Font cuts into 16 x 16 cells of
// 32 pixels (code k in column k mod 16, row k div 16, row 0 at the top). The game takes
// each glyph's advance from its alpha: the count of pixel columns in the cell holding
// any non-zero alpha, and skips glyphs narrower than 3 columns; in fixed-width mode
// every glyph advances 20. So the sheets are built to those rules: every visible glyph
// at least min_width columns wide, digits at most max_digit_width, no stray alpha.
#pragma once

#include "imagekit/image.h"

#include <array>
#include <string>

namespace fontsheet
{

const int kCell = 32;
const int kGrid = 16;
const int kSheet = kCell * kGrid;
// Alpha bytes below this are written as 0: faint filter tails must not widen a glyph,
// and a rounding step in a reader cannot turn a counted column into an empty one.
const uint8_t kAlphaFloor = 8;

enum class Placement
{
    Left, // ink starts at the left margin: proportional text
    Slot  // the glyph's advance box is centred in a slot: fixed-width digits
};

struct GlyphRecipe
{
    std::string font;
    int pixelSize = 0;
    int firstCode = 33;
    int lastCode = 126;
    Placement placement = Placement::Left;
    int leftMargin = 0;
    int slotWidth = 20;
    int baseline = 0;
    int glowRadius = 0;
    float glowStrength = 0.0f;
    int minWidth = 3;
    int maxDigitWidth = 20;
};

struct ShadowRecipe
{
    std::string glyphs; // the glyph source whose cells are shadowed
    int spread = 0;     // pixels the ink grows before the blur
    float blurSigma = 0.0f;
    float opacity = 1.0f;
    uint8_t colour[3] = {0, 0, 0};
};

// Ink coverage of every cell, placed as on the sheet (codes outside the range stay empty).
using Cells = std::array<imagekit::Plane, 256>;

bool LoadGlyphRecipe(const std::string& path, GlyphRecipe& recipe);
bool LoadShadowRecipe(const std::string& path, ShadowRecipe& recipe);

// Renders and places the glyphs, widening any that would measure under minWidth.
// False with messages when the font fails, a glyph leaves its cell or a digit is too wide.
bool BuildCells(const GlyphRecipe& recipe, Cells& cells);

// White glyphs: alpha = ink plus its outer glow; RGB white everywhere so filtering
// never darkens an edge.
imagekit::Image MakeGlyphSheet(const GlyphRecipe& recipe, const Cells& cells);
imagekit::Image MakeShadowSheet(const ShadowRecipe& recipe, const Cells& cells);

// The game's measure: pixel columns of the cell of `code` holding non-zero alpha.
int MeasureGlyph(const imagekit::Image& sheet, int code);

} // namespace fontsheet
