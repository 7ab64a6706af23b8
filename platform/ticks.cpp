// The millisecond clock comes from SDL, so it lives apart from the file and time calls:
// programs that only read maps link those without SDL.
#include "platform/platform.h"

#include <SDL/SDL.h>

namespace platform
{

unsigned int Ticks()
{
    return SDL_GetTicks();
}

} // namespace platform
