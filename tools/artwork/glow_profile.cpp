#include "glow_profile.h"

#include <cmath>

namespace artwork
{

float GlowProfile::Intensity(float r) const
{
    float s = 1.0f - r * r;
    if (s <= 0.0f)
        return 0.0f;
    return core * std::pow(s, coreFalloff) + halo * std::pow(s, haloFalloff);
}

bool LoadGlowProfile(const imagekit::SourceFile& file, GlowProfile& profile)
{
    bool ok = file.GetFloat("core", profile.core);
    ok = file.GetFloat("core_falloff", profile.coreFalloff) && ok;
    ok = file.GetFloat("halo", profile.halo) && ok;
    ok = file.GetFloat("halo_falloff", profile.haloFalloff) && ok;
    return ok;
}

} // namespace artwork
