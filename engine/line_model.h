// LineModel: a drawing made of glowing coloured lines, read from a ".obj" file (int32 count,
// int32 centre x, int32 centre y, then count beams of ten little-endian floats: x1, y1, start
// rgb, x2, y2, end rgb), with its coordinates made relative to the centre. DrawBeam emits one
// line as three textured quads (a body and two rounded caps) of the glow texture; callers bind
// the texture, set the blending and open the GL_QUADS block (also around glCallList of a
// model's display list). Drawing goes through the current VertexSink.
#pragma once

#include "engine/geometry.h"

#include <vector>

class LineModel
{
public:
    // Appends the file's beams to model. False when the file cannot be read or is shorter than
    // its count says (checked before anything is allocated); a count below 1 is an empty model.
    static bool Load(const char* path, LineModel& model);
    // Multiplies both ends of every beam by factor and rebuilds its normal, direction, length.
    static void Scale(LineModel& model, float factor);
    // Negates x of both ends of every beam; normals and directions follow the mirrored ends.
    static void Mirror(LineModel& model);
    // DrawBeam over every beam, in order, at half width `width`.
    static void Draw(const LineModel& model, float width);

    std::vector<Beam> beams;
};

// Twelve vertices: body, cap at the first end, cap at the second end; start colour at the
// first end and end colour at the second, alpha 1. Covers (length + 2 width) x (2 width).
void DrawBeam(const Beam& beam, float width);

// The game's model slots (0-36). Slots 0 and 30 are drawn directly at width 20 and get no list.
constexpr int kModelSlotCount = 37;
// What fills each slot: the file "Data/Objects/" + name + ".obj" scaled by scale, or, where
// mirrorOf is not -1, a mirrored copy of that (already scaled) slot.
struct ModelSlot
{
    const char* name;
    float scale;
    int mirrorOf;
};
extern const ModelSlot kModelSlots[kModelSlotCount];
// The order in which the slots are filled: the three big models (0, 30, 23) first, then the
// rest by slot. A mirrored slot comes after the slot it copies.
extern const int kModelLoadOrder[kModelSlotCount];
// Fills `models[slot]` as kModelSlots says: loads and scales the file, or mirrors a copy of
// the slot it names (which must already be filled). False when the file does not load.
bool FillModelSlot(LineModel* models, int slot);

// Half width of the beams compiled into a slot's list: 15 for the space men (10-17), 0 for the
// slots without a list (0 and 30), else 20.
float ModelListWidth(int slot);

// Compiles slots 1-29 and 31-36 of models[kModelSlotCount] into display lists and returns the
// base that glGenLists gave (0 on failure): slot n's list is base + n. Needs a GL context.
unsigned int BuildModelDisplayLists(const LineModel* models);
