#include "obj_source.h"

#include "stroke_font.h"
#include "text_tokens.h"

#include <cmath>
#include <map>
#include <memory>

namespace objgen
{
namespace
{

constexpr int kMaxIncludeDepth = 8;
constexpr double kPi = 3.14159265358979323846;
// Far beyond any model or picture, and well inside the range of a float.
constexpr double kMaxCoordinate = 1.0e7;

struct Point
{
    double x = 0.0;
    double y = 0.0;
};

Colour Mix(const Colour& a, const Colour& b, double t)
{
    Colour c;
    c.r = static_cast<float>(a.r + (b.r - a.r) * t);
    c.g = static_cast<float>(a.g + (b.g - a.g) * t);
    c.b = static_cast<float>(a.b + (b.b - a.b) * t);
    return c;
}

// Settings that carry on from line to line, and into included files.
struct State
{
    double scale = 1.0;
    bool mirror = false;
    std::map<std::string, Colour> colours;
    std::shared_ptr<StrokeFont> font;
    double textHeight = 10.0;
    double textGap = 1.0;
    double textSlant = 0.0;
    bool centreSet = false;
    int depth = 0;
};

class Parser
{
public:
    Parser(ModelSource& model, State& state, std::string& error)
        : model(model), state(state), error(error)
    {
    }

    bool ParseText(const std::string& text, const std::string& name, const std::string& baseDir)
    {
        std::vector<std::string> lines = SplitLines(text);
        for (size_t n = 0; n < lines.size(); ++n)
        {
            where = name + ":" + std::to_string(n + 1) + ": ";
            if (!TokeniseLine(lines[n], tokens))
            {
                return Fail("unclosed quote");
            }
            if (tokens.empty())
            {
                continue;
            }
            if (!Directive(baseDir))
            {
                return false;
            }
        }
        return true;
    }

private:
    ModelSource& model;
    State& state;
    std::string& error;
    std::string where;
    std::vector<Token> tokens;

    bool Fail(const std::string& message)
    {
        error = where + message;
        return false;
    }

    bool Number(size_t index, double& value)
    {
        if (index >= tokens.size() || tokens[index].quoted ||
            !ParseNumber(tokens[index].text, value))
        {
            return Fail("expected a number as argument " + std::to_string(index));
        }
        return true;
    }

    bool IsNumberToken(size_t index) const
    {
        double unused = 0.0;
        return index < tokens.size() && !tokens[index].quoted &&
               ParseNumber(tokens[index].text, unused);
    }

    // A colour token: a defined name or "r,g,b".
    bool ColourAt(size_t index, Colour& colour)
    {
        if (index >= tokens.size() || tokens[index].quoted)
        {
            return Fail("expected a colour as argument " + std::to_string(index));
        }
        const std::string& text = tokens[index].text;
        if (text.find(',') == std::string::npos)
        {
            auto it = state.colours.find(text);
            if (it == state.colours.end())
            {
                return Fail("unknown colour '" + text + "'");
            }
            colour = it->second;
            return true;
        }
        double channel[3] = {0.0, 0.0, 0.0};
        size_t start = 0;
        for (int i = 0; i < 3; ++i)
        {
            size_t comma = text.find(',', start);
            std::string part =
                text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            if (!ParseNumber(part, channel[i]) || (i < 2) == (comma == std::string::npos))
            {
                return Fail("colour '" + text + "' is not r,g,b");
            }
            start = comma + 1;
        }
        return MakeColour(channel[0], channel[1], channel[2], colour);
    }

    bool MakeColour(double r, double g, double b, Colour& colour)
    {
        for (double v : {r, g, b})
        {
            if (v < 0.0 || v > 1.0)
            {
                return Fail("colour channel outside 0..1");
            }
        }
        colour = {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
        return true;
    }

    // Reads C1 [C2] starting at index; index moves past them.
    bool ColourPair(size_t& index, Colour& c1, Colour& c2)
    {
        if (!ColourAt(index, c1))
        {
            return false;
        }
        ++index;
        c2 = c1;
        if (index < tokens.size() && !IsNumberToken(index))
        {
            if (!ColourAt(index, c2))
            {
                return false;
            }
            ++index;
        }
        return true;
    }

    // Reads C1 [C2] at index as the last arguments of the line.
    bool FinalColours(size_t index, Colour& c1, Colour& c2)
    {
        if (!ColourPair(index, c1, c2))
        {
            return false;
        }
        if (index != tokens.size())
        {
            return Fail("too many arguments");
        }
        return true;
    }

    // Reads a file named relative to baseDir.
    bool ReadRelative(const std::string& baseDir, const std::string& rel, std::string& path,
                      std::string& text)
    {
        path = JoinPath(baseDir, rel);
        if (!ReadTextFile(path, text))
        {
            return Fail("cannot read '" + path + "'");
        }
        return true;
    }

    bool ExpectCount(size_t count, const char* usage)
    {
        if (tokens.size() != count)
        {
            return Fail(std::string("usage: ") + usage);
        }
        return true;
    }

    // Every beam goes through here: scale is already applied; checks and mirrors.
    bool Emit(Point a, Point b, const Colour& c1, const Colour& c2)
    {
        for (double v : {a.x, a.y, b.x, b.y})
        {
            if (!(std::fabs(v) <= kMaxCoordinate))
            {
                return Fail("coordinate out of range");
            }
        }
        SourceBeam beam;
        beam.x1 = static_cast<float>(a.x);
        beam.y1 = static_cast<float>(a.y);
        beam.x2 = static_cast<float>(b.x);
        beam.y2 = static_cast<float>(b.y);
        beam.start = c1;
        beam.end = c2;
        if (beam.x1 == beam.x2 && beam.y1 == beam.y2)
        {
            return Fail("zero-length beam");
        }
        model.beams.push_back(beam);
        if (state.mirror)
        {
            SourceBeam m = beam;
            m.x1 = -beam.x1;
            m.x2 = -beam.x2;
            // A beam lying on the mirror axis would only be drawn twice as bright.
            bool same = (m.x1 == beam.x1 && m.x2 == beam.x2) ||
                        (m.x1 == beam.x2 && m.y1 == beam.y2 && m.x2 == beam.x1 && m.y2 == beam.y1);
            if (!same)
            {
                model.beams.push_back(m);
            }
        }
        return true;
    }

    Point Scaled(double x, double y) const { return {x * state.scale, y * state.scale}; }

    bool EmitPath(const std::vector<Point>& points, bool closed, const Colour& c1, const Colour& c2)
    {
        size_t segments = closed ? points.size() : points.size() - 1;
        for (size_t i = 0; i < segments; ++i)
        {
            double t0 = static_cast<double>(i) / segments;
            double t1 = static_cast<double>(i + 1) / segments;
            const Point& a = points[i];
            const Point& b = points[(i + 1) % points.size()];
            if (!Emit(a, b, Mix(c1, c2, t0), Mix(c1, c2, t1)))
            {
                return false;
            }
        }
        return true;
    }

    bool Directive(const std::string& baseDir)
    {
        const std::string& word = tokens[0].text;
        if (word == "centre")
            return Centre();
        if (word == "include")
            return Include(baseDir);
        if (word == "colour")
            return DefineColour();
        if (word == "scale")
            return SetScale();
        if (word == "mirror")
            return SetMirror();
        if (word == "beam")
            return Beam();
        if (word == "poly" || word == "loop")
            return Path(word == "loop");
        if (word == "circle" || word == "ellipse" || word == "arc")
            return Arc(word);
        if (word == "font")
            return Font(baseDir);
        if (word == "textstyle")
            return TextStyle();
        if (word == "text")
            return Text();
        if (word == "place")
            return Place(baseDir);
        return Fail("unknown directive '" + word + "'");
    }

    bool Centre()
    {
        long x = 0;
        long y = 0;
        if (tokens.size() != 3 || !ParseInt(tokens[1].text, x) || !ParseInt(tokens[2].text, y) ||
            x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX)
        {
            return Fail("usage: centre X Y (integers)");
        }
        if (state.centreSet)
        {
            return Fail("centre given twice");
        }
        state.centreSet = true;
        model.centreX = static_cast<int32_t>(x);
        model.centreY = static_cast<int32_t>(y);
        return true;
    }

    bool Include(const std::string& baseDir)
    {
        if (!ExpectCount(2, "include PATH"))
        {
            return false;
        }
        if (state.depth >= kMaxIncludeDepth)
        {
            return Fail("includes nested too deeply");
        }
        std::string path;
        std::string text;
        if (!ReadRelative(baseDir, tokens[1].text, path, text))
        {
            return false;
        }
        State& s = state;
        ++s.depth;
        Parser inner(model, s, error);
        bool ok = inner.ParseText(text, path, DirectoryOf(path));
        --s.depth;
        return ok;
    }

    bool DefineColour()
    {
        double r = 0.0;
        double g = 0.0;
        double b = 0.0;
        if (!ExpectCount(5, "colour NAME R G B") || !Number(2, r) || !Number(3, g) || !Number(4, b))
        {
            return false;
        }
        const std::string& name = tokens[1].text;
        if (IsNumberToken(1) || name.find(',') != std::string::npos)
        {
            return Fail("a colour name is a word without commas");
        }
        Colour colour;
        if (!MakeColour(r, g, b, colour))
        {
            return false;
        }
        state.colours[name] = colour;
        return true;
    }

    bool SetScale()
    {
        double k = 0.0;
        if (!ExpectCount(2, "scale K") || !Number(1, k))
        {
            return false;
        }
        if (k <= 0.0)
        {
            return Fail("scale must be positive");
        }
        state.scale = k;
        return true;
    }

    bool SetMirror()
    {
        if (tokens.size() == 2 && (tokens[1].text == "on" || tokens[1].text == "off"))
        {
            state.mirror = tokens[1].text == "on";
            return true;
        }
        return Fail("usage: mirror on|off");
    }

    bool Beam()
    {
        double v[10];
        if (tokens.size() == 11 && IsNumberToken(5))
        {
            for (int i = 0; i < 10; ++i)
            {
                if (!Number(i + 1, v[i]))
                {
                    return false;
                }
            }
            Colour c1;
            Colour c2;
            if (!MakeColour(v[2], v[3], v[4], c1) || !MakeColour(v[7], v[8], v[9], c2))
            {
                return false;
            }
            return Emit(Scaled(v[0], v[1]), Scaled(v[5], v[6]), c1, c2);
        }
        for (int i = 0; i < 4; ++i)
        {
            if (!Number(i + 1, v[i]))
            {
                return false;
            }
        }
        Colour c1;
        Colour c2;
        if (!FinalColours(5, c1, c2))
        {
            return false;
        }
        return Emit(Scaled(v[0], v[1]), Scaled(v[2], v[3]), c1, c2);
    }

    bool Path(bool closed)
    {
        size_t index = 1;
        Colour c1;
        Colour c2;
        if (!ColourPair(index, c1, c2))
        {
            return false;
        }
        size_t numbers = tokens.size() - index;
        size_t minimum = closed ? 6 : 4;
        if (numbers % 2 != 0 || numbers < minimum)
        {
            return Fail(closed ? "loop needs at least three points"
                               : "poly needs at least two points");
        }
        std::vector<Point> points;
        for (; index < tokens.size(); index += 2)
        {
            double x = 0.0;
            double y = 0.0;
            if (!Number(index, x) || !Number(index + 1, y))
            {
                return false;
            }
            points.push_back(Scaled(x, y));
        }
        return EmitPath(points, closed, c1, c2);
    }

    // circle CX CY R SEG, ellipse CX CY RX RY SEG, arc CX CY RX RY A0 A1 SEG.
    bool Arc(const std::string& word)
    {
        size_t numbers = word == "circle" ? 4 : word == "ellipse" ? 5 : 7;
        double v[7] = {0, 0, 0, 0, 0, 0, 0};
        for (size_t i = 0; i < numbers; ++i)
        {
            if (!Number(i + 1, v[i]))
            {
                return false;
            }
        }
        double cx = v[0];
        double cy = v[1];
        double rx = v[2];
        double ry = word == "circle" ? v[2] : v[3];
        double a0 = word == "arc" ? v[4] : 0.0;
        double a1 = word == "arc" ? v[5] : 360.0;
        double segmentsValue = v[numbers - 1];
        Colour c1;
        Colour c2;
        if (!FinalColours(numbers + 1, c1, c2))
        {
            return false;
        }
        int segments = static_cast<int>(segmentsValue);
        if (segments < 2 || segments > 256 || segments != segmentsValue || rx <= 0.0 || ry <= 0.0 ||
            a0 == a1)
        {
            return Fail("needs positive radii, 2..256 whole segments and a non-empty arc");
        }
        bool closed = word != "arc";
        std::vector<Point> points;
        int count = closed ? segments : segments + 1;
        for (int i = 0; i < count; ++i)
        {
            double a = (a0 + (a1 - a0) * i / segments) * kPi / 180.0;
            points.push_back(Scaled(cx + rx * std::cos(a), cy + ry * std::sin(a)));
        }
        if (closed && segments < 3)
        {
            return Fail("a closed shape needs at least three segments");
        }
        return EmitPath(points, closed, c1, c2);
    }

    bool Font(const std::string& baseDir)
    {
        if (!ExpectCount(2, "font PATH"))
        {
            return false;
        }
        std::string path;
        std::string text;
        if (!ReadRelative(baseDir, tokens[1].text, path, text))
        {
            return false;
        }
        auto font = std::make_shared<StrokeFont>();
        std::string fontError;
        if (!font->Parse(text, path, fontError))
        {
            return Fail(fontError);
        }
        state.font = font;
        return true;
    }

    bool TextStyle()
    {
        double h = 0.0;
        double gap = 0.0;
        double slant = 0.0;
        if (!ExpectCount(4, "textstyle HEIGHT GAP SLANT") || !Number(1, h) || !Number(2, gap) ||
            !Number(3, slant))
        {
            return false;
        }
        if (h <= 0.0)
        {
            return Fail("text height must be positive");
        }
        state.textHeight = h;
        state.textGap = gap;
        state.textSlant = slant;
        return true;
    }

    bool Text()
    {
        double cx = 0.0;
        double cy = 0.0;
        if (!Number(1, cx) || !Number(2, cy))
        {
            return false;
        }
        if (tokens.size() < 5 || !tokens[3].quoted)
        {
            return Fail("usage: text CX CY \"STRING\" C1 [C2]");
        }
        Colour top;
        Colour bottom;
        if (!FinalColours(4, top, bottom))
        {
            return false;
        }
        if (!state.font)
        {
            return Fail("text before any font");
        }
        const StrokeFont& font = *state.font;
        const std::string& s = tokens[3].text;
        std::vector<const Glyph*> glyphs;
        double width = 0.0;
        for (char c : s)
        {
            const Glyph* glyph = font.Find(c);
            if (glyph == nullptr)
            {
                return Fail(std::string("the font has no glyph for '") + c + "'");
            }
            width += glyph->advance;
            glyphs.push_back(glyph);
        }
        if (glyphs.empty())
        {
            return Fail("empty text");
        }
        width += state.textGap * (glyphs.size() - 1);
        double cell = font.CellHeight();
        double unit = state.textHeight / cell;
        double slant = state.textSlant;
        // Centre the slanted block: its middle height is shifted by half the slant.
        double left = cx - width * unit / 2.0 - slant * state.textHeight / 2.0;
        double top0 = cy - state.textHeight / 2.0;
        double penX = left;
        for (const Glyph* glyph : glyphs)
        {
            for (const std::vector<StrokePoint>& stroke : glyph->strokes)
            {
                for (size_t i = 0; i + 1 < stroke.size(); ++i)
                {
                    const StrokePoint& a = stroke[i];
                    const StrokePoint& b = stroke[i + 1];
                    Point pa{penX + a.x * unit + slant * (cell - a.y) * unit, top0 + a.y * unit};
                    Point pb{penX + b.x * unit + slant * (cell - b.y) * unit, top0 + b.y * unit};
                    Colour ca = Mix(top, bottom, a.y / cell);
                    Colour cb = Mix(top, bottom, b.y / cell);
                    if (!Emit(Scaled(pa.x, pa.y), Scaled(pb.x, pb.y), ca, cb))
                    {
                        return false;
                    }
                }
            }
            penX += (glyph->advance + state.textGap) * unit;
        }
        return true;
    }

    bool Place(const std::string& baseDir)
    {
        double x = 0.0;
        double y = 0.0;
        double k = 0.0;
        if (!ExpectCount(5, "place PATH X Y K") || !Number(2, x) || !Number(3, y) || !Number(4, k))
        {
            return false;
        }
        if (k <= 0.0)
        {
            return Fail("place needs a positive scale");
        }
        if (state.depth >= kMaxIncludeDepth)
        {
            return Fail("sources placed too deeply");
        }
        std::string path;
        std::string text;
        if (!ReadRelative(baseDir, tokens[1].text, path, text))
        {
            return false;
        }
        ModelSource placed;
        State fresh;
        fresh.depth = state.depth + 1;
        Parser inner(placed, fresh, error);
        if (!inner.ParseText(text, path, DirectoryOf(path)))
        {
            return false;
        }
        Point at = Scaled(x, y);
        double factor = k * state.scale;
        for (const SourceBeam& b : placed.beams)
        {
            Point p1{at.x + (b.x1 - placed.centreX) * factor,
                     at.y + (b.y1 - placed.centreY) * factor};
            Point p2{at.x + (b.x2 - placed.centreX) * factor,
                     at.y + (b.y2 - placed.centreY) * factor};
            if (!Emit(p1, p2, b.start, b.end))
            {
                return false;
            }
        }
        return true;
    }
};

} // namespace

bool ParseModelText(const std::string& text, const std::string& name, const std::string& baseDir,
                    ModelSource& model, std::string& error)
{
    State state;
    Parser parser(model, state, error);
    return parser.ParseText(text, name, baseDir);
}

bool LoadModelSource(const std::string& path, ModelSource& model, std::string& error)
{
    std::string text;
    if (!ReadTextFile(path, text))
    {
        error = path + ": cannot read the file";
        return false;
    }
    return ParseModelText(text, path, DirectoryOf(path), model, error);
}

} // namespace objgen
