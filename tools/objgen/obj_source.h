// Line-model sources: the readable text form of a ".obj" line model.
//
// A source lists the model's centre and its beams; small deterministic helpers (paths,
// circles, arcs, lettering from a stroke font, mirrored halves, a coordinate scale, other
// sources placed at a position) expand into plain beams. Parsing never throws: it reports
// false with a "file:line: message" error and leaves the model as far as it was built.
//
// Directives, one per line ('#' starts a comment; C is a colour: a name from "colour" or
// "r,g,b" with each channel in 0..1; [C2] means an optional end colour, default C1):
//   centre X Y                      integer centre written into the file (default 0 0)
//   include PATH                    reads another source file here (path relative to this one)
//   colour NAME R G B               names a colour
//   scale K                         multiplies every coordinate and size that follows
//   mirror on|off                   also emit every beam reflected about x = 0
//   beam X1 Y1 X2 Y2 C1 [C2]        one beam (or ten numbers: x1 y1 r g b x2 y2 r g b)
//   poly C1 [C2] X Y X Y ...        open path, colour running from C1 to C2 along it
//   loop C1 [C2] X Y X Y ...        closed path
//   circle CX CY R SEGMENTS C1 [C2]
//   ellipse CX CY RX RY SEGMENTS C1 [C2]
//   arc CX CY RX RY A0 A1 SEGMENTS C1 [C2]   degrees, y down (90 points down, 270 up)
//   font PATH                       stroke font for "text"
//   textstyle HEIGHT GAP SLANT      letter height, gap between letters (in font cells),
//                                   slant (x shift of a letter's top per unit of height)
//   text CX CY "STRING" C1 [C2]     lettering centred on (CX, CY), C1 at the top, C2 below
//   place PATH X Y K                another source, centred on its own centre, scaled by K
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace objgen
{

struct Colour
{
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

// One line of a model with its two ends and their colours, as stored in the file.
struct SourceBeam
{
    float x1 = 0.0f;
    float y1 = 0.0f;
    Colour start;
    float x2 = 0.0f;
    float y2 = 0.0f;
    Colour end;
};

struct ModelSource
{
    int32_t centreX = 0;
    int32_t centreY = 0;
    std::vector<SourceBeam> beams;
};

// Parses source text; `name` labels error messages and `baseDir` resolves relative paths of
// include, font and place.
bool ParseModelText(const std::string& text, const std::string& name, const std::string& baseDir,
                    ModelSource& model, std::string& error);

// Reads and parses a source file.
bool LoadModelSource(const std::string& path, ModelSource& model, std::string& error);

} // namespace objgen
