// The editor's map reader: any bytes loaded into an editor document. A map the editor
// accepts is saved, loaded again and saved again: the two saves must be the same bytes, or
// the editor would change a map merely by opening and saving it.
#include "editor/editor_document.h"
#include "editor/map_io.h"
#include "fuzz_support.h"
#include "platform/platform.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    cavfuzz::EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!cavfuzz::WriteInput("in.map", data, size))
        return 0;
    EditorDocument document;
    bool replaced = false;
    if (!LoadMap(document, "in.map", replaced))
        return 0;
    EditorDocument again;
    std::string first, second;
    if (!SaveMap(document, "first.map") || !LoadMap(again, "first.map", replaced) ||
        !SaveMap(again, "second.map") || !platform::ReadFileBytes("first.map", first) ||
        !platform::ReadFileBytes("second.map", second) || first != second)
        std::abort();
    return 0;
}
