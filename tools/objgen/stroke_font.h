// Stroke font: letters as polylines on a small grid, for the lettering line models.
//
// Font text format ('#' starts a comment):
//   cell W H               nominal letter cell, y down (0 is the top of a capital)
//   glyph CHAR ADVANCE     starts a letter; CHAR is one character or the word "space"
//   stroke X Y X Y ...     one polyline of the current letter, in cell units
#pragma once

#include <map>
#include <string>
#include <vector>

namespace objgen
{

struct StrokePoint
{
    float x = 0.0f;
    float y = 0.0f;
};

struct Glyph
{
    float advance = 0.0f;
    std::vector<std::vector<StrokePoint>> strokes;
};

class StrokeFont
{
public:
    // Parses font text; false with a "name:line: message" error on bad input.
    bool Parse(const std::string& text, const std::string& name, std::string& error);

    const Glyph* Find(char c) const;
    float CellHeight() const { return cellHeight; }

private:
    float cellHeight = 0.0f;
    std::map<char, Glyph> glyphs;
};

} // namespace objgen
