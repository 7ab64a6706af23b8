// The studio logo image ("Data/GFX/Pebbleware.psd"): the name set in glowing letters
// beside a pile of shaded pebbles, on a transparent background. The splash screen lays
// it over the dark screen with alpha blending on a 512 x 128 quad, so alpha carries
// the shapes and their soft glow.
#pragma once

#include "imagekit/image.h"

#include <string>
#include <vector>

namespace artwork
{

struct Pebble
{
    float cx, cy;   // centre, pixels
    float rx, ry;   // half axes, pixels
    float angleDeg; // turn of the long axis, clockwise on screen
};

struct LogoRecipe
{
    int width = 0;
    int height = 0;
    std::string font;
    int pixelSize = 0;
    std::string text;
    int textLeft = 0, textRight = 0; // the name is centred between these columns
    int baseline = 0;
    int letterSpacing = 0;
    uint8_t textTop[3] = {255, 255, 255};
    uint8_t textBottom[3] = {255, 255, 255};
    uint8_t glowColour[3] = {0, 0, 0};
    float glowSigma = 0.0f;
    float glowStrength = 0.0f;
    float pebbleRoundness = 2.0f; // superellipse exponent: 2 is an ellipse, more is squarer
    uint8_t pebbleLight[3] = {0, 0, 0};
    uint8_t pebbleDark[3] = {0, 0, 0};
    std::vector<Pebble> pebbles; // drawn in order, later ones in front
};

bool LoadLogoRecipe(const std::string& path, LogoRecipe& recipe);
// False with a message when the font fails or the name does not fit its columns.
bool MakeLogo(const LogoRecipe& recipe, imagekit::Image& out);

} // namespace artwork
