#include "stroke_font.h"

#include "text_tokens.h"

namespace objgen
{

bool StrokeFont::Parse(const std::string& text, const std::string& name, std::string& error)
{
    glyphs.clear();
    cellHeight = 0.0f;
    Glyph* current = nullptr;
    std::vector<std::string> lines = SplitLines(text);
    std::vector<Token> tokens;
    for (size_t n = 0; n < lines.size(); ++n)
    {
        std::string where = name + ":" + std::to_string(n + 1) + ": ";
        if (!TokeniseLine(lines[n], tokens))
        {
            error = where + "unclosed quote";
            return false;
        }
        if (tokens.empty())
        {
            continue;
        }
        const std::string& word = tokens[0].text;
        if (word == "cell")
        {
            double w = 0.0;
            double h = 0.0;
            if (tokens.size() != 3 || !ParseNumber(tokens[1].text, w) ||
                !ParseNumber(tokens[2].text, h) || w <= 0.0 || h <= 0.0)
            {
                error = where + "cell needs a positive width and height";
                return false;
            }
            cellHeight = static_cast<float>(h);
        }
        else if (word == "glyph")
        {
            double advance = 0.0;
            if (tokens.size() != 3 || !ParseNumber(tokens[2].text, advance) || advance < 0.0)
            {
                error = where + "glyph needs a character and an advance";
                return false;
            }
            char c = 0;
            if (tokens[1].text == "space")
            {
                c = ' ';
            }
            else if (tokens[1].text.size() == 1)
            {
                c = tokens[1].text[0];
            }
            else
            {
                error = where + "glyph names one character or \"space\"";
                return false;
            }
            if (glyphs.count(c) != 0)
            {
                error = where + "glyph '" + tokens[1].text + "' defined twice";
                return false;
            }
            current = &glyphs[c];
            current->advance = static_cast<float>(advance);
        }
        else if (word == "stroke")
        {
            if (current == nullptr)
            {
                error = where + "stroke outside a glyph";
                return false;
            }
            if (tokens.size() < 5 || (tokens.size() - 1) % 2 != 0)
            {
                error = where + "stroke needs at least two points";
                return false;
            }
            std::vector<StrokePoint> points;
            for (size_t i = 1; i < tokens.size(); i += 2)
            {
                double x = 0.0;
                double y = 0.0;
                if (!ParseNumber(tokens[i].text, x) || !ParseNumber(tokens[i + 1].text, y))
                {
                    error = where + "bad stroke coordinate";
                    return false;
                }
                points.push_back({static_cast<float>(x), static_cast<float>(y)});
            }
            current->strokes.push_back(points);
        }
        else
        {
            error = where + "unknown font directive '" + word + "'";
            return false;
        }
    }
    if (cellHeight <= 0.0f)
    {
        error = name + ": font has no cell line";
        return false;
    }
    return true;
}

const Glyph* StrokeFont::Find(char c) const
{
    auto it = glyphs.find(c);
    return it == glyphs.end() ? nullptr : &it->second;
}

} // namespace objgen
