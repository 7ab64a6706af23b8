// The Generator (reactor): the sector's goal. No fields of its own in a map. The factory
// counts every one it builds in the Engine's Generator count; the last one to die starts the
// sector's count-down from the map's end timer. Its health is a shield that regrows by 0.01 a
// tick up to 10, and a reactor shot to 0 or below dies before any regrowth can save it.
#pragma once

#include "game/entity.h"

class Generator : public Entity
{
public:
    Generator();
    void Spawn(float px, float py) override;
    void Update() override;
    void Kill() override;
};
