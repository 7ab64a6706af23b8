// Previews for looking at the sheets: each sheet over a background, and sample lines
// set the way the game sets them (advance = measured width, 10 for blanks and glyphs
// under 3 columns, 20 in fixed-width mode; the shadow pass 4 pixels down and right).
#pragma once

#include "imagekit/image.h"

#include <string>

namespace fontsheet
{

// Opaque copy of the sheet over a flat background, with faint cell borders.
imagekit::Image SheetPreview(const imagekit::Image& sheet, const uint8_t background[3]);

struct SampleLine
{
    std::string text;
    const imagekit::Image* glyphs;
    const imagekit::Image* shadow; // null: no shadow pass
    bool fixedWidth;
};

imagekit::Image SamplePreview(const SampleLine* lines, int count, int width);

} // namespace fontsheet
