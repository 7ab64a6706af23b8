// ".obj" line models: any bytes loaded as a model, then scaled and mirrored as the engine
// does with the models it makes copies of.
#include "engine/line_model.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    cavfuzz::EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!cavfuzz::WriteInput("model.obj", data, size))
        return 0;
    LineModel model;
    if (LineModel::Load("model.obj", model))
    {
        LineModel::Scale(model, 0.25f);
        LineModel::Mirror(model);
    }
    return 0;
}
