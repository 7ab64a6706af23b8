// Small drawing helpers the title, information pages and the screens around play share: a
// line model drawn as glowing beams at a place, with a turn and a zoom, a flat quad, and the
// text settings of one line.
#pragma once

class Font;
class LineModel;

namespace screen
{

// The model's beams at half width `width`, turned by `angle` degrees and zoomed by `scale`
// about (x, y); beam-particle texture and additive blending, both switched off afterwards.
void DrawModelAt(const LineModel& model, unsigned int beamTexture, float x, float y,
                 float angle = 0.0f, float scale = 1.0f, float width = 20.0f);

// An untextured quad from (x1, y1) to (x2, y2) in (r, g, b, a), blended by alpha.
void DrawQuad(float x1, float y1, float x2, float y2, float r, float g, float b, float a);

// Scale, alignment (0 left, 1 centred, 2 right) and colour of the next texts.
void TextStyle(Font& font, float scale, int align, float r, float g, float b, float a);

// The selected entry's colour: 0 to 1 over the first half of the blink timer, back to 0 over
// the second.
float BlinkLevel(float blinkTimer);

} // namespace screen
