#include "tools/mapgen/map_source.h"

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace
{

struct Colour
{
    float startRed = 1.0f, startGreen = 1.0f, startBlue = 1.0f;
    float endRed = 1.0f, endGreen = 1.0f, endBlue = 1.0f;
};

class Parser
{
public:
    explicit Parser(MapDocument& target) : map(target) {}

    bool Line(const std::string& text);
    bool Finish();
    const std::string& Error() const { return error; }
    int LineNumber() const { return lineNumber; }

private:
    bool Fail(const std::string& what)
    {
        error = what;
        return false;
    }
    bool Tokenize(const std::string& text, std::vector<std::string>& out);
    bool Number(const std::string& token, float& value);
    bool Command(const std::vector<std::string>& tokens);
    bool Point(const std::vector<std::string>& tokens);
    bool AddWall(float x1, float y1, float x2, float y2);
    bool CloseShape();
    bool AddEntity(const std::vector<std::string>& tokens);
    bool Once(bool& seen, const char* what);

    MapDocument& map;
    Colour colour;
    std::string error;
    int lineNumber = 0;
    bool titleSeen = false, passwordSeen = false, endTimerSeen = false;
    // An open chain or loop and its points so far.
    std::string shape;
    std::vector<Vec2> points;
    std::vector<std::string> tokens; // of the current line
};

bool Parser::Tokenize(const std::string& text, std::vector<std::string>& out)
{
    std::string token;
    bool inToken = false;
    bool quoted = false;
    for (char c : text)
    {
        if (quoted)
        {
            if (c == '"')
                quoted = false;
            else
                token += c;
            continue;
        }
        if (c == '#')
            break;
        if (c == '"')
        {
            quoted = true;
            inToken = true;
        }
        else if (c == ' ' || c == '\t' || c == '\r')
        {
            if (inToken)
                out.push_back(token);
            token.clear();
            inToken = false;
        }
        else
        {
            token += c;
            inToken = true;
        }
    }
    if (quoted)
        return Fail("unterminated quote");
    if (inToken)
        out.push_back(token);
    return true;
}

bool Parser::Number(const std::string& token, float& value)
{
    FieldValue parsed;
    if (!ParseFieldValue(FieldType::Float32, token, parsed))
        return Fail("not a number: \"" + token + "\"");
    value = parsed.real;
    return true;
}

bool Parser::Once(bool& seen, const char* what)
{
    if (seen)
        return Fail(std::string(what) + " given twice");
    seen = true;
    return true;
}

bool Parser::AddWall(float x1, float y1, float x2, float y2)
{
    if (x1 == x2 && y1 == y2)
        return Fail("a wall needs two different ends");
    Beam wall;
    wall.CopyFrom(Segment(x1, y1, x2, y2));
    wall.startRed = colour.startRed;
    wall.startGreen = colour.startGreen;
    wall.startBlue = colour.startBlue;
    wall.endRed = colour.endRed;
    wall.endGreen = colour.endGreen;
    wall.endBlue = colour.endBlue;
    map.walls.push_back(wall);
    return true;
}

bool Parser::Point(const std::vector<std::string>& tokens)
{
    if (tokens.size() % 2 != 0)
        return Fail("points come as x y pairs");
    for (std::size_t i = 0; i < tokens.size(); i += 2)
    {
        Vec2 p;
        if (!Number(tokens[i], p.x) || !Number(tokens[i + 1], p.y))
            return false;
        if (!points.empty() && !AddWall(points.back().x, points.back().y, p.x, p.y))
            return false;
        points.push_back(p);
    }
    return true;
}

bool Parser::CloseShape()
{
    const std::size_t needed = shape == "loop" ? 3 : 2;
    if (points.size() < needed)
        return Fail("a " + shape + " needs at least " + std::to_string(needed) + " points");
    if (shape == "loop" &&
        !AddWall(points.back().x, points.back().y, points.front().x, points.front().y))
        return false;
    shape.clear();
    points.clear();
    return true;
}

bool Parser::AddEntity(const std::vector<std::string>& tokens)
{
    if (tokens.size() < 4)
        return Fail("entity needs a kind, x and y");
    std::int32_t code = 0;
    if (!FindKindByName(tokens[1], code) || code >= kPlaceableKindCount)
        return Fail("no placeable entity kind \"" + tokens[1] + "\"");
    MapEntityRecord record;
    DefaultEntityRecord(code, record);
    if (!Number(tokens[2], record.x) || !Number(tokens[3], record.y))
        return false;
    const KindLayout* kind = FindKindLayout(code);
    std::vector<bool> given(static_cast<std::size_t>(kind->fieldCount) + 1, false);
    for (std::size_t t = 4; t < tokens.size(); ++t)
    {
        const std::size_t eq = tokens[t].find('=');
        if (eq == std::string::npos)
            return Fail("expected field=value, got \"" + tokens[t] + "\"");
        const std::string key = tokens[t].substr(0, eq);
        const std::string value = tokens[t].substr(eq + 1);
        int index = -1;
        for (int f = 0; f < kind->fieldCount; ++f)
        {
            if (key == kind->fields[f].key)
                index = f;
        }
        if (key == "angle")
            index = kind->fieldCount;
        if (index < 0)
            return Fail(std::string(kind->name) + " has no field \"" + key + "\"");
        if (given[static_cast<std::size_t>(index)])
            return Fail("field \"" + key + "\" given twice");
        given[static_cast<std::size_t>(index)] = true;
        if (index == kind->fieldCount)
        {
            if (!Number(value, record.angle))
                return false;
            continue;
        }
        const FieldType type = kind->fields[index].type;
        if (!ParseFieldValue(type, value, record.fields[static_cast<std::size_t>(index)]))
            return Fail("bad value for " + key + ": \"" + value + "\"");
    }
    map.entities.push_back(record);
    return true;
}

bool Parser::Command(const std::vector<std::string>& tokens)
{
    const std::string& name = tokens[0];
    const std::size_t args = tokens.size() - 1;
    if (name == "title")
    {
        if (args != 1 || tokens[1].size() >= kTitleSize)
            return Fail("title takes one text of at most 31 characters");
        map.title = tokens[1];
        return Once(titleSeen, "title");
    }
    if (name == "password")
    {
        if (args != 1 || tokens[1].size() >= kPasswordSize)
            return Fail("password takes one text of at most 5 characters");
        map.password = tokens[1];
        return Once(passwordSeen, "password");
    }
    if (name == "endtimer")
    {
        FieldValue value;
        if (args != 1 || !ParseFieldValue(FieldType::Int32, tokens[1], value))
            return Fail("endtimer takes a whole number of seconds");
        map.endTimer = value.integer;
        return Once(endTimerSeen, "endtimer");
    }
    if (name == "colour")
    {
        if (args != 3 && args != 6)
            return Fail("colour takes r g b, or r g b for each end");
        float v[6];
        for (std::size_t i = 0; i < args; ++i)
        {
            if (!Number(tokens[i + 1], v[i]))
                return false;
            if (v[i] < 0.0f || v[i] > 1.0f)
                return Fail("colour channels lie in 0..1");
        }
        const float* end = args == 6 ? v + 3 : v;
        colour = Colour{v[0], v[1], v[2], end[0], end[1], end[2]};
        return true;
    }
    if (name == "wall")
    {
        float v[4];
        if (args != 4)
            return Fail("wall takes x1 y1 x2 y2");
        for (int i = 0; i < 4; ++i)
        {
            if (!Number(tokens[i + 1], v[i]))
                return false;
        }
        return AddWall(v[0], v[1], v[2], v[3]);
    }
    if (name == "chain" || name == "loop")
    {
        if (args != 0)
            return Fail(name + " lists its points on the lines that follow, up to \"end\"");
        shape = name;
        return true;
    }
    if (name == "entity")
        return AddEntity(tokens);
    return Fail("unknown command \"" + name + "\"");
}

bool Parser::Line(const std::string& text)
{
    ++lineNumber;
    tokens.clear();
    if (!Tokenize(text, tokens))
        return false;
    if (tokens.empty())
        return true;
    if (!shape.empty())
    {
        if (tokens.size() == 1 && tokens[0] == "end")
            return CloseShape();
        return Point(tokens);
    }
    return Command(tokens);
}

bool Parser::Finish()
{
    if (!shape.empty())
        return Fail("a " + shape + " is missing its \"end\"");
    return true;
}

} // namespace

bool ParseMapSource(std::istream& in, MapDocument& map, std::string& error)
{
    MapDocument parsed;
    Parser parser(parsed);
    std::string text;
    while (std::getline(in, text))
    {
        if (!parser.Line(text))
        {
            error = "line " + std::to_string(parser.LineNumber()) + ": " + parser.Error();
            return false;
        }
    }
    if (!parser.Finish())
    {
        error = "line " + std::to_string(parser.LineNumber()) + ": " + parser.Error();
        return false;
    }
    map = parsed;
    return true;
}
