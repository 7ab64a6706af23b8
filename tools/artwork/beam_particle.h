// The beam-particle texture: one soft round glow, white at the centre and black at the
// rim. The game adds it onto the screen (blend GL_SRC_COLOR, GL_ONE), so the RGB is the
// glow; beams stretch its middle row along their body and use its upper half as the
// rounded caps, particles and stars draw it whole.
#pragma once

#include "glow_profile.h"

#include "imagekit/image.h"

#include <string>

namespace artwork
{

struct BeamParticleRecipe
{
    int size = 0; // square, a power of two
    GlowProfile profile;
};

bool LoadBeamParticleRecipe(const std::string& path, BeamParticleRecipe& recipe);
// Grey RGB (alpha 255): each pixel is the profile at its centre's distance from the
// middle of the image, measured in half the image's side.
imagekit::Image MakeBeamParticle(const BeamParticleRecipe& recipe);

} // namespace artwork
