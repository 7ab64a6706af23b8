// The game's sounds: which file fills each sample and stream slot, whether it loops, and the
// order they load in. Loading and the tests that build a data folder both read these tables.
#pragma once

#include "game/engine.h"

struct SoundFile
{
    int slot;
    const char* name; // "Data/SFX/" + name + ".ogg"
    bool loop;
};

// In loading order: TeleportOut and Danger come before Clock and Seeker.
inline constexpr SoundFile kSampleFiles[] = {
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

// The streams load after every sample, in slot order.
inline constexpr SoundFile kStreamFiles[] = {
    {music::Splash, "Splash", true},      {music::HiScore, "HiScore", true},
    {music::Continue, "Continue", false}, {music::Credits, "Credits", false},
    {music::Gameover, "Gameover", false},
};

static_assert(sizeof kSampleFiles / sizeof kSampleFiles[0] == sfx::Count, "one file a sample");
static_assert(sizeof kStreamFiles / sizeof kStreamFiles[0] == music::Count, "one file a stream");
