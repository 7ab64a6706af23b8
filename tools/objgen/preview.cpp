#include "preview.h"

#include "glow_raster.h"
#include "obj_source.h"
#include "text_tokens.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

namespace objgen
{
namespace
{

struct Circle
{
    float r, x, y; // radius and centre in the drawn frame at angle 0, world units
};

struct SheetEntry
{
    const char* name;
    float scale;   // the game's slot scale
    bool grounded; // stands on the ground at its origin
    std::vector<Circle> circles;
};

// Collision circles as they land in the model frame (offset (ox, oy) gives (-ox, oy)).
const std::vector<SheetEntry>& Entries()
{
    static const std::vector<SheetEntry> entries = {
        {"Player", 0.25f, false, {{10, -3, 0}, {5, -8, 7}, {5, 8, 7}}},
        {"Shield", 0.5f, false, {{30, 0, 0}}},
        {"plrbullet", 0.25f, false, {{5, 0, 0}}},
        {"bullet", 0.25f, false, {{5, 0, 0}}},
        {"BlueTurret", 0.25f, true, {{10, 7, -5}, {10, -7, -5}}},
        {"RedTurret", 0.25f, true, {{10, 7, -5}, {10, -7, -5}}},
        {"GreenTurret", 0.25f, true, {{10, 7, -5}, {10, -7, -5}}},
        {"BlueTank",
         0.175f,
         true,
         {{10, 7, -5}, {10, -7, -5}, {10, 0, -10}, {1, 17, 0}, {1, -17, 0}}},
        {"Generator", 0.25f, true, {{15, 0, -15}}},
        {"Fuel", 0.125f, true, {{15, 0, -13}}},
        {"ForceField", 0.25f, true, {{5, 0, -5}}},
        {"Button", 0.25f, true, {{10, 0, -5}}},
        {"ButtonIn", 0.25f, true, {{10, 0, -5}}},
        {"SpaceMan01", 0.125f, true, {{6, 0, 0}}},
        {"SpaceMan02", 0.125f, true, {{6, 0, 0}}},
        {"SpaceMan03", 0.125f, true, {{6, 0, 0}}},
        {"SpaceMan04", 0.125f, true, {{6, 0, 0}}},
        {"Beacon1", 0.375f, true, {{25, 0, -25}}},
        {"Beacon2", 0.375f, true, {{25, 0, -25}}},
        {"Beacon3", 0.375f, true, {{25, 0, -25}}},
        {"Tree", 0.175f, true, {{5, 0, -5}}},
        {"Boulder", 0.25f, false, {{12, 0, 0}}},
        {"BoulderLarge", 0.175f, false, {{20, 0, 0}}},
        {"VolDebris1", 0.175f, false, {{5, 0, 0}}},
        {"VolDebris2", 0.175f, false, {{5, 0, 0}}},
        {"VolDebris3", 0.175f, false, {{5, 0, 0}}},
        {"DepthCharge", 0.175f, false, {{7, 0, 0}}},
        {"Seeker", 0.175f, false, {{7, 0, 0}}},
        {"Wasp", 0.125f, false, {{7, 0, 0}}},
        {"Ufo", 0.1f, true, {{7, 0, -5}, {7, 0, -8}}},
        {"Volcano", 0.25f, false, {}},
        {"Arrow", 0.25f, false, {}},
        {"TargetInfo", 0.25f, false, {}},
    };
    return entries;
}

constexpr int kColumns = 6;
const Colour kBackground{0.03f, 0.03f, 0.06f};
const Colour kGuide{0.22f, 0.22f, 0.26f};

GlowStyle GameStyle(double pixelsPerUnit)
{
    // The game draws every beam as a quad of half width 20 textured with a soft glow; the
    // models are drawn for a glow whose bright core is a small part of that width.
    GlowStyle style;
    style.halfWidth = 20.0 * pixelsPerUnit;
    style.core = 0.07;
    style.halo = 0.35;
    style.haloGain = 0.3;
    style.squareColour = true;
    return style;
}

GlowStyle GuideStyle()
{
    GlowStyle style;
    style.halfWidth = 1.5;
    style.core = 0.6;
    style.haloGain = 0.0;
    return style;
}

void AddGuideCircle(GlowImage& image, double cx, double cy, double r)
{
    const int segments = 48;
    for (int i = 0; i < segments; ++i)
    {
        double a0 = 6.283185307179586 * i / segments;
        double a1 = 6.283185307179586 * (i + 1) / segments;
        AddGlowBeam(image, cx + r * std::cos(a0), cy + r * std::sin(a0), kGuide,
                    cx + r * std::cos(a1), cy + r * std::sin(a1), kGuide, GuideStyle());
    }
}

bool AddLabel(GlowImage& image, const std::string& sourceDir, const std::string& label, double x,
              double y, std::string& error)
{
    std::string upper;
    for (char c : label)
    {
        upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
    std::string text =
        "font common/strokes.txt\ntextstyle 9 1 0\ntext 0 0 \"" + upper + "\" 0.7,0.7,0.75\n";
    ModelSource model;
    if (!ParseModelText(text, "label", sourceDir, model, error))
    {
        return false;
    }
    GlowStyle style;
    style.halfWidth = 2.0;
    style.core = 0.5;
    style.haloGain = 0.0;
    AddModel(image, model, x, y, 1.0, style);
    return true;
}

bool LoadScaled(const std::string& sourceDir, const std::string& name, ModelSource& model,
                std::string& error)
{
    return LoadModelSource(JoinPath(sourceDir, name + ".txt"), model, error);
}

// One cell per model at kZoom pixels per world unit. With `asInGame` the beams glow as in
// the game; otherwise they are thin lines, to check the drawing itself.
bool EntitySheet(const std::string& sourceDir, const std::string& out, size_t first, size_t last,
                 double kZoom, bool asInGame, std::string& error)
{
    const std::vector<SheetEntry>& all = Entries();
    std::vector<SheetEntry> entries(all.begin() + first, all.begin() + std::min(last, all.size()));
    const int kCell = static_cast<int>(60 * kZoom);
    int rows = static_cast<int>((entries.size() + kColumns - 1) / kColumns);
    GlowImage image(kColumns * kCell, rows * kCell, kBackground);
    GlowStyle lines;
    lines.halfWidth = 2.5;
    lines.core = 0.5;
    lines.haloGain = 0.0;
    lines.gain = 1.5;
    for (size_t i = 0; i < entries.size(); ++i)
    {
        const SheetEntry& e = entries[i];
        double left = static_cast<double>(i % kColumns) * kCell;
        double top = static_cast<double>(i / kColumns) * kCell;
        double ox = left + kCell / 2.0;
        double oy = top + (e.grounded ? kCell - 10.0 * kZoom : kCell / 2.0 - 8.0);
        if (e.grounded)
        {
            AddGlowBeam(image, left + 10, oy, kGuide, left + kCell - 10, oy, kGuide, GuideStyle());
        }
        for (const Circle& c : e.circles)
        {
            AddGuideCircle(image, ox + c.x * kZoom, oy + c.y * kZoom, c.r * kZoom);
        }
        ModelSource model;
        if (!LoadScaled(sourceDir, e.name, model, error))
        {
            return false;
        }
        AddModel(image, model, ox, oy, e.scale * kZoom, asInGame ? GameStyle(kZoom) : lines);
        if (kZoom >= 2.0 &&
            !AddLabel(image, sourceDir, e.name, left + kCell / 2.0, top + kCell - 10.0, error))
        {
            return false;
        }
    }
    return WritePng(out, image.width, image.height, ToBytes(image, false), error);
}

// Three 640 x 480 screens: front end (title and corner logos), splash (label logo),
// game over (fully grown), each as the game places them.
bool ScreenSheet(const std::string& sourceDir, const std::string& out, std::string& error)
{
    GlowImage image(640 * 3 + 40, 480, kBackground);
    ModelSource title;
    ModelSource logo;
    ModelSource gameOver;
    ModelSource player;
    if (!LoadScaled(sourceDir, "Apocalypse", title, error) ||
        !LoadScaled(sourceDir, "Pebbleware", logo, error) ||
        !LoadScaled(sourceDir, "GameOver", gameOver, error) ||
        !LoadScaled(sourceDir, "Player", player, error))
    {
        return false;
    }
    GlowStyle style = GameStyle(1.0);
    AddModel(image, title, 320, 110, 1.25, style);
    AddModel(image, logo, 50, 450, 0.85 * 0.25, style);
    AddModel(image, logo, 590, 450, 0.85 * 0.25, style);
    AddModel(image, player, 320, 300, 0.25, style);
    AddModel(image, logo, 660 + 320, 320, 0.85, style);
    AddModel(image, gameOver, 1320 + 310, 240, 1.25, style);
    for (double x : {640.0, 1300.0}) // gaps between the screens
    {
        AddGlowBeam(image, x + 10, 0, kGuide, x + 10, 480, kGuide, GuideStyle());
    }
    return WritePng(out, image.width, image.height, ToBytes(image, false), error);
}

} // namespace

bool WritePreviewSheets(const std::string& sourceDir, const std::string& outDir, std::string& error)
{
    return EntitySheet(sourceDir, JoinPath(outDir, "models_entities.png"), 0, 99, 3.0, true,
                       error) &&
           EntitySheet(sourceDir, JoinPath(outDir, "models_actual.png"), 0, 99, 1.5, true, error) &&
           EntitySheet(sourceDir, JoinPath(outDir, "models_lines1.png"), 0, 18, 5.0, false,
                       error) &&
           EntitySheet(sourceDir, JoinPath(outDir, "models_lines2.png"), 18, 99, 5.0, false,
                       error) &&
           ScreenSheet(sourceDir, JoinPath(outDir, "models_screens.png"), error);
}

} // namespace objgen
