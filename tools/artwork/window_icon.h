// The window icon: a 24-bit bitmap the game hands to SDL without a mask, so every
// pixel shows. Drawn like the game itself: glowing coloured lines on the game's dark
// background, each line a capsule whose brightness across it follows the glow profile.
#pragma once

#include "glow_profile.h"

#include "imagekit/image.h"

#include <string>
#include <vector>

namespace artwork
{

struct IconLine
{
    float x1, y1, x2, y2; // pixel coordinates, y down
    uint8_t colour[3];
};

struct IconRecipe
{
    int size = 32;
    uint8_t background[3] = {0, 0, 0};
    float lineRadius = 2.0f; // pixels from a line's centre to where its glow ends
    int samples = 4;         // sub-samples per pixel side
    GlowProfile profile;
    std::vector<IconLine> lines;
};

bool LoadIconRecipe(const std::string& path, IconRecipe& recipe);
// Lines add up like the game's additive blending, clamped at white.
imagekit::Image MakeIcon(const IconRecipe& recipe);

} // namespace artwork
