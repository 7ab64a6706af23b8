// The Engine's life: construction, start-up and shutdown.
#include "game/engine.h"

#include "engine/logger.h"
#include "engine/texture.h"
#include "engine/video.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilu.h>
#define ILUT_USE_OPENGL
#include <IL/ilut.h>

#include <cstdio>

Engine* gEngine = nullptr;

namespace
{

constexpr int kMaxSize = 1024;
constexpr int kMinWidth = 256;
constexpr int kMinHeight = 224;

EngineSettings MakeSettings(int width, int height, bool fullscreen, bool vsync, bool showFps,
                            const char* title, bool onlineScore)
{
    EngineSettings settings;
    settings.width = width;
    settings.height = height;
    settings.fullscreen = fullscreen;
    settings.vsync = vsync;
    settings.showFps = showFps;
    settings.title = title != nullptr ? title : "";
    settings.onlineScore = onlineScore;
    return settings;
}

} // namespace

Engine::Engine(int width, int height, bool fullscreen, bool vsync, bool showFps, const char* title,
               bool onlineScore)
    : Engine(MakeSettings(width, height, fullscreen, vsync, showFps, title, onlineScore))
{
    if (Start())
        Run();
}

Engine::Engine(const EngineSettings& engineSettings) : settings(engineSettings)
{
    gLogger.Log("Intializing Engine!\n");
    gEngine = this;
    quit = false;
    paused = false;

    int& width = settings.width;
    int& height = settings.height;
    if (width > kMaxSize)
        width = kMaxSize;
    if (height > kMaxSize)
        height = kMaxSize;
    if (width < 1)
        width = kMinWidth;
    if (height < 1)
        height = kMinHeight;
    frameTimer.ticks = settings.ticks;
}

bool Engine::Start()
{
    if (!settings.headless)
    {
        if (!InitVideo(settings.title.c_str(), settings.width, settings.height, 32, settings.vsync,
                       settings.fullscreen))
            return false;
        videoUp = true;
        for (int i = 0; i < 2; ++i)
        {
            ClearScreen();
            SwapBuffers();
        }
    }

    InitImageLibrary();
    InitSound();
    soundUp = true;
    level.wallGrid.Clear();

    if (!LoadResources())
        return false;

    char line[64];
    std::snprintf(line, sizeof line, "Total Texture Memory Usage: %i MB\n", gTextureMemory >> 20);
    gLogger.Log(line);

    input.joystickPresent = InitJoysticks();
    if (input.joystickPresent)
        input.ResetAxisZones();

    input.SetSensitivity(80);
    InitControls();
    input.captureActive = false;

    ResetGame();
    started = true;
    return true;
}

void Engine::InitImageLibrary()
{
    gLogger.Log("\n[Initializing Devil]\n");
    ilInit();
    iluInit();
    ilutInit();
    // The OpenGL binding asks the driver for limits: only with a context.
    if (videoUp)
        ilutRenderer(ILUT_OPENGL);
    imageLibraryUp = true;
    gLogger.Log("Complete...\n\n");
}

void Engine::ResetGame()
{
    totalSteps = 0;
    paused = false;
    level.wallGrid.Clear();
    menu.infiniteFuel = false;
    menu.invincible = false;
    menu.infiniteTime = false;
    packs.currentPack = 0;
    InitScores();
    stateTimer = 0.0f;
    menu.menuItem = 0;
    menu.menuPage = 0;
    menu.blinkTimer = 0.0f;
    gameState = Splash;
    res.streams[music::Splash].Play();
}

Engine::~Engine()
{
    gLogger.Log("\n[Engine Shutdown]\n");
    ClearLevel();
    ReleaseGlObjects();
    ShutdownVideo();
    if (imageLibraryUp)
        ilShutDown();
    if (soundUp)
        ShutdownSound();
    gLogger.Log("Complete...\n\n");
    if (gEngine == this)
        gEngine = nullptr;
}

// Textures and display lists belong to the GL context, which goes with SDL: release them
// while it still exists.
void Engine::ReleaseGlObjects()
{
    if (!videoUp)
        return;
    res.font2.FreeTexture();
    res.font.FreeTexture();
    res.font.texture = res.font2.texture = 0;
    if (res.font.shadowTexture != 0)
        glDeleteTextures(1, &res.font.shadowTexture);
    if (res.font2.shadowTexture != 0 && res.font2.shadowTexture != res.font.shadowTexture)
        glDeleteTextures(1, &res.font2.shadowTexture);
    res.font.shadowTexture = res.font2.shadowTexture = 0;
    if (res.beamTexture != 0)
        glDeleteTextures(1, &res.beamTexture);
    if (res.logoTexture != 0)
        glDeleteTextures(1, &res.logoTexture);
    res.beamTexture = res.logoTexture = 0;
    if (res.displayListBase != 0)
        glDeleteLists(res.displayListBase, kModelSlotCount + 1); // as many as were made
    res.displayListBase = 0;
    videoUp = false;
}
