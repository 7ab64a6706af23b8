#include "beam_particle.h"

#include <cmath>
#include <cstdio>

namespace artwork
{

bool LoadBeamParticleSpec(const std::string& path, BeamParticleSpec& spec)
{
    imagekit::SourceFile file;
    if (!file.Load(path))
        return false;
    bool ok = file.GetInt("size", spec.size);
    ok = LoadGlowProfile(file, spec.profile) && ok;
    if (ok && (spec.size < 8 || spec.size > 1024 || (spec.size & (spec.size - 1)) != 0))
    {
        std::fprintf(stderr, "%s: size must be a power of two from 8 to 1024\n", path.c_str());
        ok = false;
    }
    return ok;
}

imagekit::Image MakeBeamParticle(const BeamParticleSpec& spec)
{
    imagekit::Image image(spec.size, spec.size);
    float half = spec.size * 0.5f;
    for (int y = 0; y < spec.size; ++y)
    {
        for (int x = 0; x < spec.size; ++x)
        {
            float dx = (x + 0.5f - half) / half;
            float dy = (y + 0.5f - half) / half;
            float r = std::sqrt(dx * dx + dy * dy);
            uint8_t v = imagekit::ToByte(spec.profile.Intensity(r));
            uint8_t* p = image.At(x, y);
            p[0] = p[1] = p[2] = v;
            p[3] = 255;
        }
    }
    return image;
}

} // namespace artwork
