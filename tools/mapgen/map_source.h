// Map sources: the readable text from which the build writes ".map" files. One command per
// line; "#" starts a comment; a value with spaces goes in double quotes.
//
//   title "FIRST DESCENT"            stage title, at most 31 characters
//   password LUMEN                   at most 5 characters
//   endtimer 30                      seconds of the count-down after the last reactor
//   colour 0.2 0.6 1.0 [r g b]       colour of the walls that follow (start [and end])
//   wall x1 y1 x2 y2                 one wall
//   chain / loop  ...  end           walls through the points listed on the lines between,
//                                    "x y" pairs; a loop also closes back to its first point
//   entity Generator 400 700 angle=0 one entity: kind name, x, y, then field=value pairs
//                                    (angle and the kind's own fields; the rest default)
#pragma once

#include "engine/map_format.h"

#include <istream>
#include <string>

// Fills `map` from the source; false with "line N: what" in `error` at the first mistake.
bool ParseMapSource(std::istream& in, MapDocument& map, std::string& error);
