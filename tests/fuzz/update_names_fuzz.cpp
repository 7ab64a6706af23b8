// The updater's reading of what the server sends: any bytes as "Updates.txt" and as a stage
// list, cut into lines and names as the updater does, each name checked and encoded for a
// request; a name that passes must be a plain, printable file name.
#include "fuzz_support.h"
#include "launcher/update_names.h"

#include <cstdlib>

namespace
{

void Check(const std::vector<std::string>& names)
{
    for (const std::string& name : names)
    {
        for (unsigned char c : name)
        {
            if (c < 0x20 || c > 0x7e || c == '/' || c == '\\')
                std::abort();
        }
        for (unsigned char c : PercentEncode(name))
        {
            if (c == '?' || c == '#' || c == ' ' || c < 0x20 || c > 0x7e)
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lists, maps, lines;
    ReadListNames(text, IsUpdateListName, lists);
    Check(lists);
    ReadListNames(text, IsMapFileName, maps);
    Check(maps);
    for (const std::string& map : maps)
    {
        if (map.size() > kMaxMapNameLength)
            std::abort();
    }
    if (SplitListLines(text, lines))
    {
        const std::vector<std::string> local{"Stages1.txt", "Stages2.txt"};
        for (const std::string& line : lines)
        {
            if (line.size() > 255)
                std::abort();
            IsArchived(line, local);
        }
    }
    return 0;
}
