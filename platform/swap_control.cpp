#include "platform/swap_control.h"

#include <GL/glx.h>
#include <SDL/SDL.h>

#include <cstring>

namespace
{

// Whole-word match in a space-separated extension list.
bool HasExtension(const char* list, const char* name)
{
    if (!list)
        return false;
    std::size_t length = std::strlen(name);
    for (const char* p = list; (p = std::strstr(p, name)) != nullptr; p += length)
    {
        bool startsWord = p == list || p[-1] == ' ';
        bool endsWord = p[length] == ' ' || p[length] == '\0';
        if (startsWord && endsWord)
            return true;
    }
    return false;
}

using SwapIntervalEXT = void (*)(Display*, GLXDrawable, int);
using SwapIntervalMESA = int (*)(unsigned int);
using SwapIntervalSGI = int (*)(int);

template <class Function>
Function Lookup(const char* name)
{
    return reinterpret_cast<Function>(glXGetProcAddress(reinterpret_cast<const GLubyte*>(name)));
}

} // namespace

namespace platform
{

void RequestSwapControl(bool vsync)
{
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, vsync ? 1 : 0);
}

bool ApplySwapControl(bool vsync)
{
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    if (!display || !drawable)
        return false;
    // glXGetProcAddress hands out an entry for any name; only the extension list says whether
    // the driver will honour it.
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    int interval = vsync ? 1 : 0;
    if (HasExtension(extensions, "GLX_EXT_swap_control"))
    {
        if (auto swapInterval = Lookup<SwapIntervalEXT>("glXSwapIntervalEXT"))
        {
            swapInterval(display, drawable, interval);
            return true;
        }
    }
    if (HasExtension(extensions, "GLX_MESA_swap_control"))
    {
        if (auto swapInterval = Lookup<SwapIntervalMESA>("glXSwapIntervalMESA"))
            return swapInterval(static_cast<unsigned int>(interval)) == 0;
    }
    if (vsync && HasExtension(extensions, "GLX_SGI_swap_control"))
    {
        if (auto swapInterval = Lookup<SwapIntervalSGI>("glXSwapIntervalSGI"))
            return swapInterval(interval) == 0;
    }
    return false;
}

} // namespace platform
