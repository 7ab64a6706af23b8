// A small software rasteriser for glowing line pictures: beams are added onto a float RGB
// image with a soft radial falloff, then the image is written as a 24-bit BMP or a PNG.
// Used for the setup window's title picture and for the review contact sheets; output is
// a pure function of the input (no threads, no time, no randomness).
#pragma once

#include "obj_source.h"

#include <string>
#include <vector>

namespace objgen
{

struct GlowImage
{
    int width = 0;
    int height = 0;
    std::vector<float> rgb; // width * height * 3, linear light, top row first

    GlowImage(int w, int h, const Colour& background);
};

// How a beam's light falls off with the distance d from its centre line. Nothing is drawn
// beyond halfWidth; r = d / halfWidth gives exp(-(r/core)^2) + haloGain * exp(-(r/halo)^2).
// With squareColour the contribution is (colour * falloff)^2, as additive blending that
// multiplies a texel by its own colour gives in the game; otherwise colour * falloff.
struct GlowStyle
{
    double halfWidth = 10.0;
    double core = 0.15;
    double halo = 0.5;
    double haloGain = 0.25;
    double gain = 1.0;
    bool squareColour = false;
};

// Adds one beam; (x1, y1) carries c1 and (x2, y2) carries c2, in pixel coordinates.
void AddGlowBeam(GlowImage& image, double x1, double y1, const Colour& c1, double x2, double y2,
                 const Colour& c2, const GlowStyle& style);

// Adds every beam of a model, each end mapped to (ox + x * k, oy + y * k) after the model's
// centre is subtracted.
void AddModel(GlowImage& image, const ModelSource& model, double ox, double oy, double k,
              const GlowStyle& style);

// Converts to 8-bit RGB rows, top row first. softKnee rolls highlights off smoothly
// (1 - exp(-v)) instead of clipping at 1.
std::vector<unsigned char> ToBytes(const GlowImage& image, bool softKnee);

// The setup window's title picture: the scene's beams (in pixels, centre ignored) as soft
// glowing lines on the dark blue background of the game's fades, highlights rolled off.
std::vector<unsigned char> RenderTitlePicture(const ModelSource& scene, int width, int height);

bool WriteBmp24(const std::string& path, int width, int height,
                const std::vector<unsigned char>& rgb, std::string& error);
bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb,
              std::string& error);

} // namespace objgen
