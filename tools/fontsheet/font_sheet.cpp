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
Plane CellAlpha(const GlyphSpec& spec, const Plane& ink)
{
    Plane alpha = ink;
    if (spec.glowRadius <= 0)
        return alpha;
    Plane glow = imagekit::Glow(ink, spec.glowRadius);
    for (size_t i = 0; i < alpha.values.size(); ++i)
        alpha.values[i] += (1.0f - alpha.values[i]) * glow.values[i] * spec.glowStrength;
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
bool FitsCell(const GlyphSpec& spec, const Plane& ink)
{
    for (int y = 0; y < kCell; ++y)
    {
        for (int x = 0; x < kCell; ++x)
        {
            bool edge = x < spec.glowRadius || y < spec.glowRadius ||
                        x >= kCell - spec.glowRadius || y >= kCell - spec.glowRadius;
            if (edge && ink.At(x, y) > 0.0f)
                return false;
        }
    }
    return true;
}

bool PlaceGlyph(const GlyphSpec& spec, int code, const imagekit::RenderedGlyph& glyph, Plane& ink)
{
    int x0 = 0;
    if (spec.placement == Placement::Left)
        x0 = spec.leftMargin + spec.glowRadius - FirstInkColumn(glyph.coverage);
    else
        x0 = spec.leftMargin + (spec.slotWidth - glyph.advance) / 2 + glyph.left;
    int y0 = spec.baseline - glyph.top;

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
    if (!inside || !FitsCell(spec, ink))
    {
        std::fprintf(stderr, "%s: glyph %d ('%c') does not fit its %dx%d cell\n", spec.font.c_str(),
                     code, code, kCell, kCell);
        return false;
    }
    return true;
}

} // namespace

bool LoadGlyphSpec(const std::string& path, GlyphSpec& spec)
{
    imagekit::SourceFile file;
    if (!file.Load(path))
        return false;
    std::string placement;
    bool ok = file.GetString("font", spec.font);
    ok = file.GetInt("pixel_size", spec.pixelSize) && ok;
    ok = file.GetInt("first_code", spec.firstCode) && ok;
    ok = file.GetInt("last_code", spec.lastCode) && ok;
    ok = file.GetString("placement", placement) && ok;
    ok = file.GetInt("left_margin", spec.leftMargin) && ok;
    ok = file.GetInt("baseline", spec.baseline) && ok;
    ok = file.GetInt("glow_radius", spec.glowRadius) && ok;
    ok = file.GetFloat("glow_strength", spec.glowStrength) && ok;
    ok = file.GetInt("min_width", spec.minWidth) && ok;
    ok = file.GetInt("max_digit_width", spec.maxDigitWidth) && ok;
    if (placement == "slot")
    {
        spec.placement = Placement::Slot;
        ok = file.GetInt("slot_width", spec.slotWidth) && ok;
    }
    else if (placement == "left")
    {
        spec.placement = Placement::Left;
    }
    else if (!placement.empty())
    {
        std::fprintf(stderr, "%s: placement must be \"left\" or \"slot\"\n", path.c_str());
        ok = false;
    }
    if (ok && (spec.firstCode < 33 || spec.lastCode > 126 || spec.firstCode > spec.lastCode))
    {
        std::fprintf(stderr, "%s: codes must lie within 33-126\n", path.c_str());
        ok = false;
    }
    if (ok && (spec.glowRadius < 0 || spec.glowRadius > 4 || spec.minWidth < 1))
    {
        std::fprintf(stderr, "%s: glow_radius 0-4 and min_width >= 1 expected\n", path.c_str());
        ok = false;
    }
    return ok;
}

bool LoadShadowSpec(const std::string& path, ShadowSpec& spec)
{
    imagekit::SourceFile file;
    if (!file.Load(path))
        return false;
    bool ok = file.GetString("glyphs", spec.glyphs);
    ok = file.GetInt("spread", spec.spread) && ok;
    ok = file.GetFloat("blur_sigma", spec.blurSigma) && ok;
    ok = file.GetFloat("opacity", spec.opacity) && ok;
    ok = file.GetColour("colour", spec.colour) && ok;
    if (ok && (spec.spread < 0 || spec.spread > 4))
    {
        std::fprintf(stderr, "%s: spread 0-4 expected\n", path.c_str());
        ok = false;
    }
    return ok;
}

bool BuildCells(const GlyphSpec& spec, Cells& cells)
{
    imagekit::GlyphRaster raster;
    if (!raster.Open(spec.font, spec.pixelSize))
        return false;
    for (Plane& cell : cells)
        cell = Plane(kCell, kCell);

    bool ok = true;
    for (int code = spec.firstCode; code <= spec.lastCode; ++code)
    {
        imagekit::RenderedGlyph glyph;
        Plane ink;
        if (!raster.Render(static_cast<unsigned long>(code), glyph) ||
            !PlaceGlyph(spec, code, glyph, ink))
        {
            ok = false;
            continue;
        }
        // A glyph the game would measure under 3 columns is drawn as a blank; the font
        // must never lose a character that way.
        for (int tries = 0; MeasurePlane(CellAlpha(spec, ink)) < spec.minWidth && tries < kCell;
             ++tries)
            ink = WidenRight(ink);
        int width = MeasurePlane(CellAlpha(spec, ink));
        if (width < spec.minWidth || !FitsCell(spec, ink))
        {
            std::fprintf(stderr, "%s: glyph %d cannot be made %d columns wide\n", spec.font.c_str(),
                         code, spec.minWidth);
            ok = false;
        }
        if (code >= '0' && code <= '9' && width > spec.maxDigitWidth)
        {
            std::fprintf(stderr, "%s: digit '%c' is %d columns wide, more than %d\n",
                         spec.font.c_str(), code, width, spec.maxDigitWidth);
            ok = false;
        }
        cells[code] = ink;
    }
    return ok;
}

Image MakeGlyphSheet(const GlyphSpec& spec, const Cells& cells)
{
    Image sheet(kSheet, kSheet);
    sheet.Fill(255, 255, 255, 0);
    for (int code = 0; code < 256; ++code)
    {
        Plane alpha = CellAlpha(spec, cells[code]);
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

Image MakeShadowSheet(const ShadowSpec& spec, const Cells& cells)
{
    Image sheet(kSheet, kSheet);
    sheet.Fill(spec.colour[0], spec.colour[1], spec.colour[2], 0);
    for (int code = 0; code < 256; ++code)
    {
        // Growing the ink by a plain maximum keeps the shadow as dense as the glyph
        // before the blur softens it.
        Plane grown = cells[code];
        if (spec.spread > 0)
        {
            Plane glow = imagekit::Glow(cells[code], spec.spread);
            for (size_t i = 0; i < grown.values.size(); ++i)
                grown.values[i] = std::max(grown.values[i], std::min(1.0f, glow.values[i] * 2.0f));
        }
        Plane blurred = imagekit::GaussianBlur(grown, spec.blurSigma);
        int ox = (code % kGrid) * kCell;
        int oy = (code / kGrid) * kCell;
        for (int y = 0; y < kCell; ++y)
        {
            for (int x = 0; x < kCell; ++x)
            {
                sheet.At(ox + x, oy + y)[3] =
                    imagekit::ToByte(blurred.At(x, y) * spec.opacity, kAlphaFloor);
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
