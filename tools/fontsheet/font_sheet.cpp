#include "font_sheet.h"

#include "imagekit/glyph_raster.h"
#include "imagekit/source_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace fontsheet
{

using imagekit::Image;
using imagekit::Plane;

namespace
{

// Alpha of one cell: the ink with its glow behind it.
Plane CellAlpha(const GlyphRecipe& recipe, const Plane& ink)
{
    Plane alpha = ink;
    if (recipe.glowRadius <= 0)
        return alpha;
    Plane glow = imagekit::Glow(ink, recipe.glowRadius);
    for (size_t i = 0; i < alpha.values.size(); ++i)
        alpha.values[i] += (1.0f - alpha.values[i]) * glow.values[i] * recipe.glowStrength;
    return alpha;
}

int MeasurePlane(const Plane& alpha)
{
    int columns = 0;
    for (int x = 0; x < alpha.width; ++x)
    {
        for (int y = 0; y < alpha.height; ++y)
        {
            if (imagekit::ToByte(alpha.At(x, y), kAlphaFloor) != 0)
            {
                ++columns;
                break;
            }
        }
    }
    return columns;
}

// Thickens the ink by one column to the right: the strokes stay where they are and
// the glyph gains a column of measured width.
Plane WidenRight(const Plane& ink)
{
    Plane out = ink;
    for (int y = 0; y < ink.height; ++y)
    {
        for (int x = 1; x < ink.width; ++x)
            out.At(x, y) = std::max(ink.At(x, y), ink.At(x - 1, y));
    }
    return out;
}

int FirstInkColumn(const Plane& coverage)
{
    for (int x = 0; x < coverage.width; ++x)
    {
        for (int y = 0; y < coverage.height; ++y)
        {
            if (coverage.At(x, y) > 0.0f)
                return x;
        }
    }
    return 0;
}

// The glow is clipped at the cell's border, so ink keeps glowRadius pixels clear of it.
bool FitsCell(const GlyphRecipe& recipe, const Plane& ink)
{
    for (int y = 0; y < kCell; ++y)
    {
        for (int x = 0; x < kCell; ++x)
        {
            bool edge = x < recipe.glowRadius || y < recipe.glowRadius ||
                        x >= kCell - recipe.glowRadius || y >= kCell - recipe.glowRadius;
            if (edge && ink.At(x, y) > 0.0f)
                return false;
        }
    }
    return true;
}

bool PlaceGlyph(const GlyphRecipe& recipe, int code, const imagekit::RenderedGlyph& glyph, Plane& ink)
{
    int x0 = 0;
    if (recipe.placement == Placement::Left)
        x0 = recipe.leftMargin + recipe.glowRadius - FirstInkColumn(glyph.coverage);
    else
        x0 = recipe.leftMargin + (recipe.slotWidth - glyph.advance) / 2 + glyph.left;
    int y0 = recipe.baseline - glyph.top;

    ink = Plane(kCell, kCell);
    bool inside = true;
    for (int y = 0; y < glyph.coverage.height; ++y)
    {
        for (int x = 0; x < glyph.coverage.width; ++x)
        {
            float v = glyph.coverage.At(x, y);
            if (v <= 0.0f)
                continue;
            int cx = x0 + x;
            int cy = y0 + y;
            if (cx < 0 || cy < 0 || cx >= kCell || cy >= kCell)
            {
                inside = false;
                continue;
            }
            ink.At(cx, cy) = v;
        }
    }
    if (!inside || !FitsCell(recipe, ink))
    {
        std::fprintf(stderr, "%s: glyph %d ('%c') does not fit its %dx%d cell\n", recipe.font.c_str(),
                     code, code, kCell, kCell);
        return false;
    }
    return true;
}

} // namespace

bool LoadGlyphRecipe(const std::string& path, GlyphRecipe& recipe)
{
    imagekit::SourceFile file;
    if (!file.Load(path))
        return false;
    std::string placement;
    bool ok = file.GetString("font", recipe.font);
    ok = file.GetInt("pixel_size", recipe.pixelSize) && ok;
    ok = file.GetInt("first_code", recipe.firstCode) && ok;
    ok = file.GetInt("last_code", recipe.lastCode) && ok;
    ok = file.GetString("placement", placement) && ok;
    ok = file.GetInt("left_margin", recipe.leftMargin) && ok;
    ok = file.GetInt("baseline", recipe.baseline) && ok;
    ok = file.GetInt("glow_radius", recipe.glowRadius) && ok;
    ok = file.GetFloat("glow_strength", recipe.glowStrength) && ok;
    ok = file.GetInt("min_width", recipe.minWidth) && ok;
    ok = file.GetInt("max_digit_width", recipe.maxDigitWidth) && ok;
    if (placement == "slot")
    {
        recipe.placement = Placement::Slot;
        ok = file.GetInt("slot_width", recipe.slotWidth) && ok;
    }
    else if (placement == "left")
    {
        recipe.placement = Placement::Left;
    }
    else if (!placement.empty())
    {
        std::fprintf(stderr, "%s: placement must be \"left\" or \"slot\"\n", path.c_str());
        ok = false;
    }
    if (ok && (recipe.firstCode < 33 || recipe.lastCode > 126 || recipe.firstCode > recipe.lastCode))
    {
        std::fprintf(stderr, "%s: codes must lie within 33-126\n", path.c_str());
        ok = false;
    }
    if (ok && (recipe.glowRadius < 0 || recipe.glowRadius > 4 || recipe.minWidth < 1))
    {
        std::fprintf(stderr, "%s: glow_radius 0-4 and min_width >= 1 expected\n", path.c_str());
        ok = false;
    }
    return ok;
}

bool LoadShadowRecipe(const std::string& path, ShadowRecipe& recipe)
{
    imagekit::SourceFile file;
    if (!file.Load(path))
        return false;
    bool ok = file.GetString("glyphs", recipe.glyphs);
    ok = file.GetInt("spread", recipe.spread) && ok;
    ok = file.GetFloat("blur_sigma", recipe.blurSigma) && ok;
    ok = file.GetFloat("opacity", recipe.opacity) && ok;
    ok = file.GetColour("colour", recipe.colour) && ok;
    if (ok && (recipe.spread < 0 || recipe.spread > 4))
    {
        std::fprintf(stderr, "%s: spread 0-4 expected\n", path.c_str());
        ok = false;
    }
    return ok;
}

bool BuildCells(const GlyphRecipe& recipe, Cells& cells)
{
    imagekit::GlyphRaster raster;
    if (!raster.Open(recipe.font, recipe.pixelSize))
        return false;
    for (Plane& cell : cells)
        cell = Plane(kCell, kCell);

    bool ok = true;
    for (int code = recipe.firstCode; code <= recipe.lastCode; ++code)
    {
        imagekit::RenderedGlyph glyph;
        Plane ink;
        if (!raster.Render(static_cast<unsigned long>(code), glyph) ||
            !PlaceGlyph(recipe, code, glyph, ink))
        {
            ok = false;
            continue;
        }
        // A glyph the game would measure under 3 columns is drawn as a blank; the font
        // must never lose a character that way.
        for (int tries = 0; MeasurePlane(CellAlpha(recipe, ink)) < recipe.minWidth && tries < kCell;
             ++tries)
            ink = WidenRight(ink);
        int width = MeasurePlane(CellAlpha(recipe, ink));
        if (width < recipe.minWidth || !FitsCell(recipe, ink))
        {
            std::fprintf(stderr, "%s: glyph %d cannot be made %d columns wide\n", recipe.font.c_str(),
                         code, recipe.minWidth);
            ok = false;
        }
        if (code >= '0' && code <= '9' && width > recipe.maxDigitWidth)
        {
            std::fprintf(stderr, "%s: digit '%c' is %d columns wide, more than %d\n",
                         recipe.font.c_str(), code, width, recipe.maxDigitWidth);
            ok = false;
        }
        cells[code] = ink;
    }
    return ok;
}

Image MakeGlyphSheet(const GlyphRecipe& recipe, const Cells& cells)
{
    Image sheet(kSheet, kSheet);
    sheet.Fill(255, 255, 255, 0);
    for (int code = 0; code < 256; ++code)
    {
        Plane alpha = CellAlpha(recipe, cells[code]);
        int ox = (code % kGrid) * kCell;
        int oy = (code / kGrid) * kCell;
        for (int y = 0; y < kCell; ++y)
        {
            for (int x = 0; x < kCell; ++x)
                sheet.At(ox + x, oy + y)[3] = imagekit::ToByte(alpha.At(x, y), kAlphaFloor);
        }
    }
    return sheet;
}

Image MakeShadowSheet(const ShadowRecipe& recipe, const Cells& cells)
{
    Image sheet(kSheet, kSheet);
    sheet.Fill(recipe.colour[0], recipe.colour[1], recipe.colour[2], 0);
    for (int code = 0; code < 256; ++code)
    {
        // Growing the ink by a plain maximum keeps the shadow as dense as the glyph
        // before the blur softens it.
        Plane grown = cells[code];
        if (recipe.spread > 0)
        {
            Plane glow = imagekit::Glow(cells[code], recipe.spread);
            for (size_t i = 0; i < grown.values.size(); ++i)
                grown.values[i] = std::max(grown.values[i], std::min(1.0f, glow.values[i] * 2.0f));
        }
        Plane blurred = imagekit::GaussianBlur(grown, recipe.blurSigma);
        int ox = (code % kGrid) * kCell;
        int oy = (code / kGrid) * kCell;
        for (int y = 0; y < kCell; ++y)
        {
            for (int x = 0; x < kCell; ++x)
            {
                sheet.At(ox + x, oy + y)[3] =
                    imagekit::ToByte(blurred.At(x, y) * recipe.opacity, kAlphaFloor);
            }
        }
    }
    return sheet;
}

int MeasureGlyph(const Image& sheet, int code)
{
    int ox = (code % kGrid) * kCell;
    int oy = (code / kGrid) * kCell;
    int columns = 0;
    for (int x = 0; x < kCell; ++x)
    {
        for (int y = 0; y < kCell; ++y)
        {
            if (sheet.At(ox + x, oy + y)[3] != 0)
            {
                ++columns;
                break;
            }
        }
    }
    return columns;
}

} // namespace fontsheet
