// GlowProfile: the brightness across a glowing line or particle, the look of everything
// the game draws. r is the distance from the centre as a fraction of the glow's
// radius: intensity(0) = core + halo (1 for white), intensity(r >= 1) = 0, falling
// smoothly in between: a narrow hot core over a wide soft halo.
#pragma once

#include "imagekit/source_file.h"

namespace artwork
{

struct GlowProfile
{
    float core = 0.6f;
    float coreFalloff = 8.0f;
    float halo = 0.4f;
    float haloFalloff = 2.0f;

    float Intensity(float r) const;
};

// Reads core, core_falloff, halo and halo_falloff.
bool LoadGlowProfile(const imagekit::SourceFile& file, GlowProfile& profile);

} // namespace artwork
