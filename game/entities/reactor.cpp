#include "game/entities/reactor.h"

Generator::Generator()
{
    AddCircle(15.0f, 0.0f, -15.0f);
    health = 10.0f;
    points = 150;
}
