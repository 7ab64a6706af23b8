// The editor's entity outlines: the line drawings of the kinds, read from the game's ".obj"
// files under "Data/Objects/" and shrunk by a fixed factor each. Loaded once at start; a
// missing or damaged file leaves its outline empty and stops nothing.
#pragma once

#include "engine/line_model.h"

#include <cstdint>

constexpr int kOutlineCount = 18;

struct OutlineSource
{
    const char* path;
    float scale;
    std::int32_t kind; // the EntityKind drawn with it
};
extern const OutlineSource kOutlineSources[kOutlineCount];

// Loads and scales every outline, in table order, into outlines[kOutlineCount].
void LoadEntityOutlines(LineModel* outlines);

// The outline index of a kind, or -1 for the kinds shown by their radius alone (Rotator,
// AreaTrigger, MovingPlatform) and for codes outside 0..20.
int OutlineIndexForKind(std::int32_t kind);
