// The game's window: SDL 1.2 video with an OpenGL context, its icon and caption, vertical
// sync where the driver lets us set it. Logs its steps under "[Initializing Video Settings]".
#pragma once

// False when SDL video cannot start or the mode cannot be set (SDL is then shut down again).
// A missing "icon.bmp" or a driver without swap control is not a failure.
bool InitVideo(const char* title, int width, int height, int bpp, bool vsync, bool fullScreen);

// One input or window event, as the game reads them once per step.
struct VideoEvent
{
    enum Kind
    {
        Key,            // keyboard key: code is the key symbol, unicode its character
        MouseButton,    // code is the button number
        JoystickAxis,   // code is the axis, value its position
        JoystickButton, // code is the button number
        Quit,           // the window was closed
        Other,
    };
    Kind kind = Other;
    bool down = false;
    int code = 0;
    int value = 0;
    unsigned int unicode = 0;
};

// Takes the next pending event; false when there is none.
bool PollEvent(VideoEvent& event);
// Closes the window and shuts SDL down (with it the GL context and the joysticks).
void ShutdownVideo();
// Shows the frame drawn since the last call.
void SwapBuffers();
// Clears the colour buffer (and the depth buffer too when asked).
void ClearScreen(bool depth = false);
