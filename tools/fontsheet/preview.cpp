#include "preview.h"

#include "font_sheet.h"

namespace fontsheet
{

using imagekit::Image;

namespace
{

int Advance(const Image& glyphs, unsigned char ch, bool fixedWidth)
{
    int width = MeasureGlyph(glyphs, ch);
    if (ch <= 32 || ch > 127 || width < 3)
        return 10;
    return fixedWidth ? 20 : width;
}

void DrawCell(Image& target, const Image& sheet, unsigned char ch, int px, int py)
{
    int ox = (ch % kGrid) * kCell;
    int oy = (ch / kGrid) * kCell;
    for (int y = 0; y < kCell; ++y)
    {
        for (int x = 0; x < kCell; ++x)
            target.BlendOver(px + x, py + y, sheet.At(ox + x, oy + y), 1.0f);
    }
}

} // namespace

Image SheetPreview(const Image& sheet, const uint8_t background[3])
{
    Image out(sheet.width, sheet.height);
    out.Fill(background[0], background[1], background[2], 255);
    const uint8_t border[4] = {128, 128, 160, 60};
    for (int y = 0; y < sheet.height; ++y)
    {
        for (int x = 0; x < sheet.width; ++x)
        {
            if (x % kCell == 0 || y % kCell == 0)
                out.BlendOver(x, y, border, 1.0f);
            out.BlendOver(x, y, sheet.At(x, y), 1.0f);
        }
    }
    return out;
}

Image SamplePreview(const SampleLine* lines, int count, int width)
{
    const int lineHeight = 40;
    Image out(width, count * lineHeight + 8);
    out.Fill(13, 13, 26, 255); // the game's background colour
    for (int i = 0; i < count; ++i)
    {
        const SampleLine& line = lines[i];
        int y = 4 + i * lineHeight;
        for (int pass = line.shadow != nullptr ? 0 : 1; pass < 2; ++pass)
        {
            const Image& sheet = pass == 0 ? *line.shadow : *line.glyphs;
            int px = 8 + (pass == 0 ? 4 : 0);
            int py = y + (pass == 0 ? 4 : 0);
            for (unsigned char ch : line.text)
            {
                if (ch > 32 && ch < 128 && MeasureGlyph(*line.glyphs, ch) >= 3)
                    DrawCell(out, sheet, ch, px, py);
                px += Advance(*line.glyphs, ch, line.fixedWidth);
            }
        }
    }
    return out;
}

} // namespace fontsheet
