// artwork: builds the game's pictures from their sources in content/gfx.
//   artwork <content/gfx folder> <run folder> [--preview <folder>]
// Writes Data/GFX/BeamParticle.png (beam_particle.txt), Data/GFX/Pebbleware.psd
// (studio_logo.txt) and icon.bmp (window_icon.txt); with --preview also PNG views
// (the logo over the game's background colour). Exit status 1 on any fault.
#include "beam_particle.h"
#include "studio_logo.h"
#include "window_icon.h"

#include "imagekit/bmp_writer.h"
#include "imagekit/png_writer.h"
#include "imagekit/psd_writer.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3 && !(argc == 5 && std::strcmp(argv[3], "--preview") == 0))
    {
        std::fprintf(stderr,
                     "usage: artwork <content/gfx folder> <run folder> [--preview <folder>]\n");
        return 2;
    }
    const std::string source = argv[1];
    const std::string run = argv[2];

    artwork::BeamParticleRecipe beamRecipe;
    artwork::LogoRecipe logoRecipe;
    artwork::IconRecipe iconRecipe;
    bool ok = artwork::LoadBeamParticleRecipe(source + "/beam_particle.txt", beamRecipe);
    ok = artwork::LoadLogoRecipe(source + "/studio_logo.txt", logoRecipe) && ok;
    ok = artwork::LoadIconRecipe(source + "/window_icon.txt", iconRecipe) && ok;
    if (!ok)
        return 1;

    imagekit::Image beam = artwork::MakeBeamParticle(beamRecipe);
    imagekit::Image logo;
    if (!artwork::MakeLogo(logoRecipe, logo))
        return 1;
    imagekit::Image icon = artwork::MakeIcon(iconRecipe);

    ok = imagekit::WritePng(run + "/Data/GFX/BeamParticle.png", beam, false);
    ok = imagekit::WritePsd(run + "/Data/GFX/Pebbleware.psd", logo) && ok;
    ok = imagekit::WriteBmp24(run + "/icon.bmp", icon) && ok;
    if (ok && argc == 5)
    {
        const std::string dir = argv[4];
        imagekit::Image logoView(logo.width, logo.height);
        logoView.Fill(13, 13, 26, 255); // the game's background colour
        imagekit::CompositeOver(logoView, logo);
        ok = imagekit::WritePng(dir + "/BeamParticle.png", beam, false);
        ok = imagekit::WritePng(dir + "/Pebbleware.png", logoView, false) && ok;
        ok = imagekit::WritePng(dir + "/icon.png", icon, false) && ok;
    }
    return ok ? 0 : 1;
}
