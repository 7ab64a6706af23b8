#include "engine/video.h"

#include "engine/logger.h"
#include "platform/swap_control.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

namespace
{

void SetWindowIcon()
{
    // The icon is decoration: without the file the window keeps the system's.
    SDL_RWops* file = SDL_RWFromFile("icon.bmp", "rb");
    if (!file)
        return;
    SDL_Surface* icon = SDL_LoadBMP_RW(file, 1);
    if (!icon)
        return;
    SDL_WM_SetIcon(icon, nullptr);
    SDL_FreeSurface(icon);
}

} // namespace

bool InitVideo(const char* title, int width, int height, int bpp, bool vsync, bool fullScreen)
{
    gLogger.Log("\n[Initializing Video Settings]\n");
    static char centred[] = "SDL_VIDEO_CENTERED=center";
    putenv(centred);

    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) < 0 || !SDL_GetVideoInfo())
    {
        gLogger.Log("\n[Failed to initialize Video Settings]\n");
        return false;
    }

    SetWindowIcon();

    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_BUFFER_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    platform::RequestSwapControl(vsync);

    Uint32 flags = SDL_OPENGL | (fullScreen ? SDL_FULLSCREEN : 0);
    if (!SDL_SetVideoMode(width, height, bpp, flags))
    {
        SDL_Quit();
        return false;
    }

    char text[96];
    std::snprintf(text, sizeof(text), "Resolution Set: %ix%ix%i\n", width, height, bpp);
    gLogger.Log(text);

    if (platform::ApplySwapControl(vsync))
        gLogger.Log(vsync ? "Vsync Enabled.\n" : "Vsync Disabled.\n");

    SDL_ShowCursor(0);
    SDL_WM_SetCaption(title, nullptr);
    gLogger.Log("Complete...\n\n");
    return true;
}

bool PollEvent(VideoEvent& out)
{
    SDL_Event event;
    if (SDL_PollEvent(&event) == 0)
        return false;
    out = VideoEvent();
    switch (event.type)
    {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        out.kind = VideoEvent::Key;
        out.down = event.type == SDL_KEYDOWN;
        out.code = event.key.keysym.sym;
        out.unicode = event.key.keysym.unicode;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out.kind = VideoEvent::MouseButton;
        out.down = event.type == SDL_MOUSEBUTTONDOWN;
        out.code = event.button.button;
        break;
    case SDL_JOYAXISMOTION:
        out.kind = VideoEvent::JoystickAxis;
        out.code = event.jaxis.axis;
        out.value = event.jaxis.value;
        break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        out.kind = VideoEvent::JoystickButton;
        out.down = event.type == SDL_JOYBUTTONDOWN;
        out.code = event.jbutton.button;
        break;
    case SDL_QUIT:
        out.kind = VideoEvent::Quit;
        break;
    default:
        break;
    }
    return true;
}

void ShutdownVideo()
{
    SDL_Quit();
}

void SwapBuffers()
{
    SDL_GL_SwapBuffers();
}

void ClearScreen(bool depth)
{
    glClear(depth ? GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT : GL_COLOR_BUFFER_BIT);
}
