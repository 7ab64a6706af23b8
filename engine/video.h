// The game's window: SDL 1.2 video with an OpenGL context, its icon and caption, vertical
// sync where the driver lets us set it. Logs its steps under "[Initializing Video Settings]".
#pragma once

// False when SDL video cannot start or the mode cannot be set (SDL is then shut down again).
// A missing "icon.bmp" or a driver without swap control is not a failure.
bool InitVideo(const char* title, int width, int height, int bpp, bool vsync, bool fullScreen);
