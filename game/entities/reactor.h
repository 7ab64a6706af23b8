// The Generator (reactor): the sector's goal. No fields of its own in a map. The factory
// counts every one it builds in the Engine's Generator count.
#pragma once

#include "game/entity.h"

class Generator : public Entity
{
public:
    Generator();
};
