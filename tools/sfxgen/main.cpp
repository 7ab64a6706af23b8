// sfxgen: builds the game's sounds from their text sources.
//
//   sfxgen OUT_DIR SOURCE.sfx...
//
// Each source "content/sounds/Name.sfx" becomes "OUT_DIR/Name.ogg" (44100 Hz Ogg Vorbis).
// The first bad source stops the run with its file, line and reason, and exit status 1.
#include "mixer.h"
#include "sound_source.h"
#include "synth.h"
#include "vorbis_writer.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace
{

// Serial numbers only have to differ between streams that could be chained in one file;
// deriving them from the name keeps them fixed from build to build.
uint32_t SerialFor(const std::string& name)
{
    uint32_t h = 2166136261u;
    for (unsigned char c : name)
        h = (h ^ c) * 16777619u;
    return (h & 0x7fffffffu) | 1u;
}

std::string Stem(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = base.find_last_of('.');
    return dot == std::string::npos ? base : base.substr(0, dot);
}

bool Build(const std::string& sourcePath, const std::string& outDir, std::string& error)
{
    std::ifstream in(sourcePath, std::ios::binary);
    if (!in)
    {
        error = sourcePath + ": cannot read";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();

    sfxgen::SoundSource source;
    source.name = Stem(sourcePath);
    if (!sfxgen::ParseSoundSource(text.str(), sourcePath, source, error))
        return false;
    const sfxgen::Audio audio = sfxgen::MixSound(source);
    if (audio.Frames() == 0)
    {
        error = sourcePath + ": the sound is empty";
        return false;
    }
    const uint32_t serial = source.serial ? source.serial : SerialFor(source.name);
    return sfxgen::WriteOggVorbis(outDir + "/" + source.name + ".ogg", audio, sfxgen::kSampleRate,
                                  source.quality, serial, source.name, error);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: sfxgen OUT_DIR SOURCE.sfx...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i)
    {
        std::string error;
        if (!Build(argv[i], argv[1], error))
        {
            std::fprintf(stderr, "sfxgen: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
