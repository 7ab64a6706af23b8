#include "beam_particle.h"

#include <cmath>
#include <cstdio>

namespace artwork
{

bool LoadBeamParticleRecipe(const std::string& path, BeamParticleRecipe& recipe)
{
    imagekit::SourceFile file;
    if (!file.Load(path))
        return false;
    bool ok = file.GetInt("size", recipe.size);
    ok = LoadGlowProfile(file, recipe.profile) && ok;
    if (ok && (recipe.size < 8 || recipe.size > 1024 || (recipe.size & (recipe.size - 1)) != 0))
    {
        std::fprintf(stderr, "%s: size must be a power of two from 8 to 1024\n", path.c_str());
        ok = false;
    }
    return ok;
}

imagekit::Image MakeBeamParticle(const BeamParticleRecipe& recipe)
{
    imagekit::Image image(recipe.size, recipe.size);
    float half = recipe.size * 0.5f;
    for (int y = 0; y < recipe.size; ++y)
    {
        for (int x = 0; x < recipe.size; ++x)
        {
            float dx = (x + 0.5f - half) / half;
            float dy = (y + 0.5f - half) / half;
            float r = std::sqrt(dx * dx + dy * dy);
            uint8_t v = imagekit::ToByte(recipe.profile.Intensity(r));
            uint8_t* p = image.At(x, y);
            p[0] = p[1] = p[2] = v;
            p[3] = 255;
        }
    }
    return image;
}

} // namespace artwork
