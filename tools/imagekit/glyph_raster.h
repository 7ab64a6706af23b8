// GlyphRaster: anti-aliased glyphs from a font file through FreeType, as coverage
// planes with their placement relative to the pen position on the baseline.
// FreeType's own hinting is used, so one font file and size always give the same pixels.
#pragma once

#include "imagekit/image.h"

#include <string>

namespace imagekit
{

struct RenderedGlyph
{
    Plane coverage; // 0..1, tight box around the ink (empty for blanks)
    int left = 0;   // pixels from the pen to the box's left edge
    int top = 0;    // pixels from the baseline up to the box's top edge
    int advance = 0;
};

class GlyphRaster
{
public:
    GlyphRaster();
    ~GlyphRaster();
    GlyphRaster(const GlyphRaster&) = delete;
    GlyphRaster& operator=(const GlyphRaster&) = delete;

    // False with a message when the file cannot be opened or sized.
    bool Open(const std::string& fontPath, int pixelSize);
    // False with a message when the font has no glyph for the code.
    bool Render(unsigned long code, RenderedGlyph& out) const;

private:
    struct Impl;
    Impl* impl;
};

} // namespace imagekit
