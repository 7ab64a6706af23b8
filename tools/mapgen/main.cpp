// mapgen: writes a ".map" level from its readable source (see map_source.h).
//   mapgen <source> <output.map>
// Exits 1 with "source: line N: what" on stderr when the source has a mistake; the output is
// then left as it was.
#include "tools/mapgen/map_source.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: mapgen <source> <output.map>\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in)
    {
        std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
        return 1;
    }
    MapDocument map;
    std::string error;
    if (!ParseMapSource(in, map, error))
    {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    if (!WriteMap(argv[2], map))
    {
        std::fprintf(stderr, "%s: cannot be written\n", argv[2]);
        return 1;
    }
    return 0;
}
