// Everything the game loads at start: fonts, the loading screen, packs and rosters, textures,
// line models, display lists and sounds. The first failure ends the load.
#include "game/engine.h"
#include "game/sound_files.h"

#include "engine/gl_state.h"
#include "engine/texture.h"
#include "engine/video.h"

#include <GL/gl.h>

#include <string>

namespace
{

std::string SoundPath(const char* name)
{
    return std::string("Data/SFX/") + name + ".ogg";
}

} // namespace

bool Engine::LoadResources()
{
    if (videoUp)
    {
        if (!res.font.Load("Data/Gfx/Fonts.psd", "Data/Gfx/FontShadow.psd"))
            return false;

        for (int i = 0; i < 2; ++i)
        {
            ClearScreen(true);
            SetupProjection(kVirtualWidth, kVirtualHeight);
            res.font.SetColor(1.0f, 1.0f, 1.0f, 1.0f);
            res.font.SetScale(0.75f, 0.75f);
            res.font.SetAlign(2);
            res.font.DrawText("Loading...", 630.0f, 450.0f);
            SwapBuffers();
        }

        if (!res.font2.Load("Data/Gfx/Fonts2.psd", "Data/Gfx/FontShadow.psd"))
            return false;
        res.font2.DisableShadow();
    }

    if (!LoadMapPacks() || !LoadStageRosters())
        return false;

    if (videoUp)
    {
        res.beamTexture =
            LoadTexture({"Data/GFX/BeamParticle.png", GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP});
        if (res.beamTexture == 0)
            return false;
        res.logoTexture =
            LoadTexture({"Data/GFX/Pebbleware.psd", GL_LINEAR, GL_LINEAR, GL_CLAMP, GL_CLAMP});
        if (res.logoTexture == 0)
            return false;
    }

    static_assert(model::Count == kModelSlotCount, "one line model per slot");
    for (int slot : kModelLoadOrder)
    {
        if (!FillModelSlot(res.lineModels, slot))
            return false;
    }

    if (videoUp)
        BuildDisplayLists();

    // Every sound counts: one that fails ends the start, whatever loads after it.
    for (const SoundFile& file : kSampleFiles)
    {
        if (!res.samples[file.slot].Load(SoundPath(file.name), file.loop))
            return false;
    }
    for (const SoundFile& file : kStreamFiles)
    {
        if (!res.streams[file.slot].Load(SoundPath(file.name), file.loop))
            return false;
    }
    return true;
}

void Engine::BuildDisplayLists()
{
    SetupProjection(kVirtualWidth, kVirtualHeight);
    res.displayListBase = BuildModelDisplayLists(res.lineModels);
}
