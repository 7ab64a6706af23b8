// Review contact sheets of the line models, drawn the way the game draws them (slot scale,
// glow half width 20, additive colour-squared blending) but magnified, with the collision
// circles of the entity that uses each model. For looking at the art, not shipped.
#pragma once

#include <string>

namespace objgen
{

// Writes into OUT_DIR: models_entities.png (as in the game, 3x), models_actual.png (1.5x),
// models_lines1.png and models_lines2.png (thin lines, 5x) and models_screens.png (the
// lettering placed on 640 x 480 screens).
bool WritePreviewSheets(const std::string& sourceDir, const std::string& outDir,
                        std::string& error);

} // namespace objgen
