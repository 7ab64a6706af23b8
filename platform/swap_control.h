// Vertical sync on X11/GLX, where the game once used a WGL extension. Two steps around the
// creation of the SDL OpenGL window: ask SDL for the swap interval before the video mode is
// set (SDL 1.2 applies it through GLX_MESA/SGI_swap_control where the driver has them), then
// set it through the GLX swap-control extensions once the context exists. A driver without
// any of them (Xvfb) simply keeps its own setting: never an error.
#pragma once

namespace platform
{

// Before SDL_SetVideoMode with SDL_OPENGL.
void RequestSwapControl(bool vsync);

// After SDL_SetVideoMode, with the context current. True when the driver offers a way to set
// the interval and it was set (vsync off cannot be set through GLX_SGI_swap_control alone).
bool ApplySwapControl(bool vsync);

} // namespace platform
