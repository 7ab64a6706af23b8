// Everything the game loads at start: fonts, the loading screen, packs and rosters, textures,
// line models, display lists and sounds. The first failure ends the load.
#include "game/engine.h"

#include "engine/gl_state.h"
#include "engine/texture.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <string>

namespace
{

struct ModelFile
{
    int slot;
    const char* name;
    float scale;
};

// In loading order: the big models first, then the rest by slot.
const ModelFile kModelFiles[] = {
    {model::Apocalypse, "Apocalypse", 1.25f},
    {model::GameOver, "GameOver", 1.25f},
    {model::Pebbleware, "Pebbleware", 0.85f},
    {model::BlueTurret, "BlueTurret", 0.25f},
    {model::Fuel, "Fuel", 0.125f},
    {model::Player, "Player", 0.25f},
    {model::Shield, "Shield", 0.5f},
    {model::ForceField, "ForceField", 0.25f},
    {model::Button, "Button", 0.25f},
    {model::ButtonIn, "ButtonIn", 0.25f},
    {model::PlrBullet, "plrbullet", 0.25f},
    {model::Bullet, "bullet", 0.25f},
    {model::SpaceMan01, "SpaceMan01", 0.125f},
    {model::SpaceMan02, "SpaceMan02", 0.125f},
    {model::SpaceMan03, "SpaceMan03", 0.125f},
    {model::SpaceMan04, "SpaceMan04", 0.125f},
    {model::Generator, "Generator", 0.25f},
    {model::BlueTank, "BlueTank", 0.175f},
    {model::RedTurret, "RedTurret", 0.25f},
    {model::Seeker, "Seeker", 0.175f},
    {model::DepthCharge, "DepthCharge", 0.175f},
    {model::Tree, "Tree", 0.175f},
    {model::Boulder, "Boulder", 0.25f},
    {model::BoulderLarge, "BoulderLarge", 0.175f},
    {model::VolDebris1, "VolDebris1", 0.175f},
    {model::VolDebris2, "VolDebris2", 0.175f},
    {model::VolDebris3, "VolDebris3", 0.175f},
    {model::Ufo, "Ufo", 0.1f},
    {model::GreenTurret, "GreenTurret", 0.25f},
    {model::Wasp, "Wasp", 0.125f},
    {model::Beacon1, "Beacon1", 0.375f},
    {model::Beacon2, "Beacon2", 0.375f},
    {model::Beacon3, "Beacon3", 0.375f},
};

// Walking frames mirrored for the other direction: (copy, of the already scaled slot).
const int kMirroredModels[][2] = {
    {model::SpaceMan01Mirrored, model::SpaceMan01},
    {model::SpaceMan02Mirrored, model::SpaceMan02},
    {model::SpaceMan03Mirrored, model::SpaceMan03},
    {model::SpaceMan04Mirrored, model::SpaceMan04},
};

struct SoundFile
{
    int slot;
    const char* name;
    bool loop;
};

// In loading order: TeleportOut and Danger come before Clock and Seeker.
const SoundFile kSampleFiles[] = {
    {sfx::Phazer, "Phazer", false},
    {sfx::Explode, "Explode", false},
    {sfx::Shield, "Shield", true},
    {sfx::Engine, "Engine", true},
    {sfx::Teleport, "Teleport", false},
    {sfx::ShieldReflect, "ShieldReflect", false},
    {sfx::Explode2, "Explode2", false},
    {sfx::StageReflect, "StageReflect", false},
    {sfx::EnemyShot, "EnemyShot", false},
    {sfx::Pickup, "Pickup", false},
    {sfx::TeleportOut, "TeleportOut", false},
    {sfx::Danger, "Danger", false},
    {sfx::Clock, "Clock", false},
    {sfx::Seeker, "Seeker", false},
    {sfx::UI, "UI", false},
    {sfx::Beacon, "Beacon", false},
    {sfx::ExtraLife, "ExtraLife", false},
    {sfx::Reactorhit, "Reactorhit", false},
    {sfx::Wasp, "Wasp", false},
    {sfx::ButtonAccess, "ButtonAccess", false},
    {sfx::ButtonDenied, "ButtonDenied", false},
    {sfx::KillSpaceman, "killspaceman", false},
};

const SoundFile kStreamFiles[] = {
    {music::Splash, "Splash", true},      {music::HiScore, "HiScore", true},
    {music::Continue, "Continue", false}, {music::Credits, "Credits", false},
    {music::Gameover, "Gameover", false},
};

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
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            SetupProjection(640.0f, 480.0f);
            res.font.SetColor(1.0f, 1.0f, 1.0f, 1.0f);
            res.font.SetScale(0.75f, 0.75f);
            res.font.SetAlign(2);
            res.font.DrawText("Loading...", 630.0f, 450.0f);
            SDL_GL_SwapBuffers();
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

    for (const ModelFile& file : kModelFiles)
    {
        std::string path = std::string("Data/Objects/") + file.name + ".obj";
        LineModel& slot = res.lineModels[file.slot];
        if (!LineModel::Load(path.c_str(), slot))
            return false;
        LineModel::Scale(slot, file.scale);
    }
    for (const auto& pair : kMirroredModels)
    {
        res.lineModels[pair[0]].beams = res.lineModels[pair[1]].beams;
        LineModel::Mirror(res.lineModels[pair[0]]);
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
    SetupProjection(640.0f, 480.0f);
    res.displayListBase = BuildModelDisplayLists(res.lineModels);
}
