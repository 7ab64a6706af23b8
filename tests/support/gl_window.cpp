#include "support/gl_window.h"

#include "engine/gl_state.h"
#include "engine/logger.h"
#include "engine/video.h"
#include "support/temp_dir.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilu.h>
#define ILUT_USE_OPENGL
#include <IL/ilut.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <memory>

namespace cavtest
{

namespace
{
std::unique_ptr<TempDir> gFolder;
std::string gVideoLog;
} // namespace

void GLWindowEnvironment::SetUp()
{
    gFolder = std::make_unique<TempDir>();
    // A busy machine running many X servers at once now and then refuses a connection;
    // that is the test machine's hiccup, not ours, so the window gets a few tries.
    bool opened = false;
    for (int attempt = 0; attempt < 5 && !opened; ++attempt)
    {
        if (attempt > 0)
        {
            std::fprintf(stderr, "gl test: no window (%s), trying again\n", SDL_GetError());
            SDL_Quit();
            SDL_Delay(500);
        }
        gLogger.enabled = true;
        gLogger.writeCount = 0;
        opened = InitVideo("Cavernaut gl test", 640, 480, 32, true, false);
        std::string log = ReadFile("Logfile.txt");
        gVideoLog = log.substr(log.find('\n') + 1);
        gLogger.enabled = false;
        gLogger.writeCount = 0;
    }
    ASSERT_TRUE(opened) << SDL_GetError();

    ilInit();
    iluInit();
    ilutInit();
    ilutRenderer(ILUT_OPENGL);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    ilEnable(IL_ORIGIN_SET);
}

void GLWindowEnvironment::TearDown()
{
    SDL_Quit();
    ilShutDown();
    gFolder.reset();
}

const std::string& GLWindowEnvironment::VideoLog()
{
    return gVideoLog;
}

Framebuffer::Framebuffer() : pixels(640 * 480)
{
    std::vector<Rgba> raw(640 * 480);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
    for (int y = 0; y < 480; ++y)
    {
        for (int x = 0; x < 640; ++x)
            pixels[static_cast<std::size_t>(y) * 640 + x] = raw[(479 - y) * 640 + x];
    }
}

bool Framebuffer::SavePng(const std::string& path) const
{
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    // A picture of the screen: what the blending left in the alpha channel is no part of it.
    std::vector<Rgba> opaque(pixels);
    for (Rgba& p : opaque)
        p.a = 255;
    bool ok = ilTexImage(640, 480, 1, 4, IL_RGBA, IL_UNSIGNED_BYTE, opaque.data()) == IL_TRUE;
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    ilEnable(IL_FILE_OVERWRITE);
    ok = ok && ilSaveImage(path.c_str()) == IL_TRUE;
    ilDeleteImages(1, &image);
    return ok;
}

void ClearScreen()
{
    glViewport(0, 0, 640, 480);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    SetupProjection(640, 480);
}

void SaveTestImage(const std::string& path, int width, int height, unsigned int format,
                   unsigned int type, int channels, const void* pixels)
{
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ASSERT_TRUE(ilTexImage(width, height, 1, channels, format, type, const_cast<void*>(pixels)));
    ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
    ilEnable(IL_FILE_OVERWRITE);
    ASSERT_TRUE(ilSaveImage(path.c_str())) << path;
    ilDeleteImages(1, &image);
}

} // namespace cavtest
