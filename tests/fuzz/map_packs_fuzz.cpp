// Map packs and stage rosters: one input describes "MapPacks.cfg", two stage lists and two
// maps (parts separated by "\n--\n"); the Engine reads the packs, the rosters with every
// listed map's password, and looks a password up.
#include "headless_engine.h"

#include <cstring>

namespace
{
Engine* engine = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    engine = cavfuzz::StartHeadlessEngine(); // lives for the whole run
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string parts[5];
    cavfuzz::SplitInput(data, size, parts, 5);
    const char* files[5] = {"MapPacks.cfg", "Stages1.txt", "Stages2.txt", "Data/Maps/a.map",
                            "Data/Maps/b.map"};
    for (int i = 0; i < 5; ++i)
    {
        if (!cavfuzz::WriteInput(files[i], parts[i]))
            return 0;
    }
    engine->packs = PackList();
    if (engine->LoadMapPacks() && engine->LoadStageRosters())
    {
        for (int pack = 0; pack < static_cast<int>(engine->packs.packNames.size()); ++pack)
        {
            engine->packs.currentPack = pack;
            std::strncpy(engine->level.password, "ABCDE", sizeof engine->level.password);
            engine->FindStageByPassword();
        }
    }
    return 0;
}
