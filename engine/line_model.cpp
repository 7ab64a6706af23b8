#include "engine/line_model.h"

#include "engine/data_file.h"
#include "engine/logger.h"
#include "engine/vertex_sink.h"

#include <GL/gl.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace
{

constexpr std::int64_t kHeaderBytes = 12;
constexpr std::int64_t kBeamBytes = 40;

void LogLoadFailure(const char* path, const std::string& reason)
{
    gLogger.Log("Failed to load line model: " + std::string(path) + reason + "!\n");
}

} // namespace

bool LineModel::Load(const char* path, LineModel& model)
{
    DataFile file;
    std::int32_t count = 0, centreX = 0, centreY = 0;
    if (!file.Open(path, "rb") || !file.ReadWord(&count) || !file.ReadWord(&centreX) ||
        !file.ReadWord(&centreY))
    {
        LogLoadFailure(path, "");
        return false;
    }
    if (count < 1)
        return true;

    // The count comes from the file: a damaged one must not reserve gigabytes or read on
    // long past the end.
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(path, error);
    std::int64_t needed = kHeaderBytes + kBeamBytes * static_cast<std::int64_t>(count);
    if (error || static_cast<std::uintmax_t>(needed) > size)
    {
        char reason[96];
        std::snprintf(reason, sizeof(reason), " (%d beams need %lld bytes, the file has %llu)",
                      static_cast<int>(count), static_cast<long long>(needed),
                      static_cast<unsigned long long>(error ? 0 : size));
        LogLoadFailure(path, reason);
        return false;
    }

    float cx = static_cast<float>(centreX);
    float cy = static_cast<float>(centreY);
    model.beams.reserve(model.beams.size() + static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i)
    {
        Beam beam;
        float x1, y1, x2, y2;
        if (!file.ReadWord(&x1) || !file.ReadWord(&y1) || !file.ReadWord(&beam.startRed) ||
            !file.ReadWord(&beam.startGreen) || !file.ReadWord(&beam.startBlue) ||
            !file.ReadWord(&x2) || !file.ReadWord(&y2) || !file.ReadWord(&beam.endRed) ||
            !file.ReadWord(&beam.endGreen) || !file.ReadWord(&beam.endBlue))
        {
            LogLoadFailure(path, "");
            return false;
        }
        beam.CopyFrom(Segment(x1 - cx, y1 - cy, x2 - cx, y2 - cy));
        model.beams.push_back(beam);
    }
    return true;
}

void LineModel::Scale(LineModel& model, float factor)
{
    for (Beam& b : model.beams)
        b.CopyFrom(Segment(b.x1 * factor, b.y1 * factor, b.x2 * factor, b.y2 * factor));
}

void LineModel::Mirror(LineModel& model)
{
    for (Beam& b : model.beams)
        b.CopyFrom(Segment(-b.x1, b.y1, -b.x2, b.y2));
}

void LineModel::Draw(const LineModel& model, float width)
{
    for (const Beam& beam : model.beams)
        DrawBeam(beam, width);
}

void DrawBeam(const Beam& beam, float width)
{
    VertexSink& sink = CurrentVertexSink();
    const float nx = beam.nx * width, ny = beam.ny * width;
    const float dx = beam.dx * width, dy = beam.dy * width;
    const float x1 = beam.x1, y1 = beam.y1, x2 = beam.x2, y2 = beam.y2;

    // Body: the glow texture's middle row stretched from end to end.
    sink.Color(beam.startRed, beam.startGreen, beam.startBlue, 1.0f);
    sink.TexCoord(0.0f, 0.5f);
    sink.Vertex(x1 - nx, y1 - ny);
    sink.TexCoord(1.0f, 0.5f);
    sink.Vertex(x1 + nx, y1 + ny);
    sink.Color(beam.endRed, beam.endGreen, beam.endBlue, 1.0f);
    sink.TexCoord(1.0f, 0.5f);
    sink.Vertex(x2 + nx, y2 + ny);
    sink.TexCoord(0.0f, 0.5f);
    sink.Vertex(x2 - nx, y2 - ny);

    // Caps: the texture's upper half, from the tip (v = 0) back to the core (v = 0.5).
    sink.Color(beam.startRed, beam.startGreen, beam.startBlue, 1.0f);
    sink.TexCoord(0.0f, 0.0f);
    sink.Vertex(x1 - dx - nx, y1 - dy - ny);
    sink.TexCoord(1.0f, 0.0f);
    sink.Vertex(x1 - dx + nx, y1 - dy + ny);
    sink.TexCoord(1.0f, 0.5f);
    sink.Vertex(x1 + nx, y1 + ny);
    sink.TexCoord(0.0f, 0.5f);
    sink.Vertex(x1 - nx, y1 - ny);

    sink.Color(beam.endRed, beam.endGreen, beam.endBlue, 1.0f);
    sink.TexCoord(0.0f, 0.0f);
    sink.Vertex(x2 + dx - nx, y2 + dy - ny);
    sink.TexCoord(1.0f, 0.0f);
    sink.Vertex(x2 + dx + nx, y2 + dy + ny);
    sink.TexCoord(1.0f, 0.5f);
    sink.Vertex(x2 + nx, y2 + ny);
    sink.TexCoord(0.0f, 0.5f);
    sink.Vertex(x2 - nx, y2 - ny);
}

const ModelSlot kModelSlots[kModelSlotCount] = {
    {"Apocalypse", 1.25f, -1},  {"BlueTurret", 0.25f, -1},   {"Fuel", 0.125f, -1},
    {"Player", 0.25f, -1},      {"Shield", 0.5f, -1},        {"ForceField", 0.25f, -1},
    {"Button", 0.25f, -1},      {"ButtonIn", 0.25f, -1},     {"plrbullet", 0.25f, -1},
    {"bullet", 0.25f, -1},      {"SpaceMan01", 0.125f, -1},  {"SpaceMan02", 0.125f, -1},
    {"SpaceMan01", 0.125f, 10}, {"SpaceMan02", 0.125f, 11},  {"SpaceMan03", 0.125f, -1},
    {"SpaceMan04", 0.125f, -1}, {"SpaceMan03", 0.125f, 14},  {"SpaceMan04", 0.125f, 15},
    {"Generator", 0.25f, -1},   {"BlueTank", 0.175f, -1},    {"RedTurret", 0.25f, -1},
    {"Seeker", 0.175f, -1},     {"DepthCharge", 0.175f, -1}, {"Pebbleware", 0.85f, -1},
    {"Tree", 0.175f, -1},       {"Boulder", 0.25f, -1},      {"BoulderLarge", 0.175f, -1},
    {"VolDebris1", 0.175f, -1}, {"VolDebris2", 0.175f, -1},  {"VolDebris3", 0.175f, -1},
    {"GameOver", 1.25f, -1},    {"Ufo", 0.1f, -1},           {"GreenTurret", 0.25f, -1},
    {"Wasp", 0.125f, -1},       {"Beacon1", 0.375f, -1},     {"Beacon2", 0.375f, -1},
    {"Beacon3", 0.375f, -1}};

const int kModelLoadOrder[kModelSlotCount] = {0,  30, 23, 1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                              11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 24,
                                              25, 26, 27, 28, 29, 31, 32, 33, 34, 35, 36};

bool FillModelSlot(LineModel* models, int slot)
{
    const ModelSlot& what = kModelSlots[slot];
    LineModel& model = models[slot];
    if (what.mirrorOf >= 0)
    {
        model.beams = models[what.mirrorOf].beams;
        LineModel::Mirror(model);
        return true;
    }
    const std::string path = std::string("Data/Objects/") + what.name + ".obj";
    if (!LineModel::Load(path.c_str(), model))
        return false;
    LineModel::Scale(model, what.scale);
    return true;
}

float ModelListWidth(int slot)
{
    if (slot == 0 || slot == 30 || slot < 0 || slot >= kModelSlotCount)
        return 0.0f;
    if (slot >= 10 && slot <= 17)
        return 15.0f;
    return 20.0f;
}

unsigned int BuildModelDisplayLists(const LineModel* models)
{
    // One name more than the slots (38): list names are slot numbers, counted from 1.
    GLuint base = glGenLists(kModelSlotCount + 1);
    if (base == 0)
    {
        gLogger.Log("Failed to reserve display lists!\n");
        return 0;
    }
    for (int slot = 1; slot < kModelSlotCount; ++slot)
    {
        if (slot == 30)
            continue;
        glNewList(base + slot, GL_COMPILE);
        LineModel::Draw(models[slot], ModelListWidth(slot));
        glEndList();
    }
    return base;
}
