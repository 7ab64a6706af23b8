#include "obj_writer.h"

#include "platform/platform.h"

#include <cstdio>
#include <cstring>

namespace objgen
{
namespace
{

void PutU32(std::string& out, uint32_t v)
{
    out.push_back(static_cast<char>(v & 0xffu));
    out.push_back(static_cast<char>((v >> 8) & 0xffu));
    out.push_back(static_cast<char>((v >> 16) & 0xffu));
    out.push_back(static_cast<char>((v >> 24) & 0xffu));
}

void PutI32(std::string& out, int32_t v)
{
    uint32_t u = 0;
    std::memcpy(&u, &v, sizeof u);
    PutU32(out, u);
}

void PutF32(std::string& out, float v)
{
    static_assert(sizeof(float) == sizeof(uint32_t), "float must be 32 bits");
    uint32_t u = 0;
    std::memcpy(&u, &v, sizeof u);
    PutU32(out, u);
}

} // namespace

std::string EncodeObj(const ModelSource& model)
{
    std::string out;
    out.reserve(12 + model.beams.size() * 40);
    PutI32(out, static_cast<int32_t>(model.beams.size()));
    PutI32(out, model.centreX);
    PutI32(out, model.centreY);
    for (const SourceBeam& b : model.beams)
    {
        for (float v :
             {b.x1, b.y1, b.start.r, b.start.g, b.start.b, b.x2, b.y2, b.end.r, b.end.g, b.end.b})
        {
            PutF32(out, v);
        }
    }
    return out;
}

bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string& error)
{
    if (platform::WriteFileAtomically(path, bytes))
        return true;
    error = "cannot write " + path;
    return false;
}

} // namespace objgen
