// Dynamic beams: the flickering red lines of the force fields. A two-point beam follows its
// two anchors and is rebuilt when either moves; a cast beam runs 500 units from its anchor
// against its direction and is cut at the first wall that one of ten probes (every 50 units
// outward) finds within 150 units, rebuilt when the anchor moves. Both are fitted on their
// first step. A cast beam throws impact sparks at its end every 25 Engine steps. A beam of no
// length (a zero direction, coinciding anchors) is left as it is: nothing is probed.
#pragma once

#include "game/effects.h"

#include <list>

// The removal predicate: one step; true when the life is at or below 0 after it.
bool DynamicBeamStep(DynamicBeam& beam);

// Steps every beam once and drops the spent ones.
void UpdateDynamicBeams(std::list<DynamicBeam>& beams);
