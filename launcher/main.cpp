// Cavernaut: until the setup window exists, the game starts straight away at 640x480 in a
// window with the setup's default choices.
#include "engine/logger.h"
#include "game/engine.h"

int main()
{
    gLogger.Enable(true);
    Engine engine(640, 480, false, true, true, "Cavernaut", true);
    return 0;
}
