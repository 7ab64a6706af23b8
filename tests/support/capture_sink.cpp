#include "support/capture_sink.h"

namespace cavtest
{

void CaptureSink::Begin(unsigned int mode)
{
    openBlock = static_cast<int>(blockModes.size());
    blockModes.push_back(mode);
}

void CaptureSink::End()
{
    openBlock = -1;
}

void CaptureSink::Color(float r, float g, float b, float a)
{
    state.rgba[0] = r;
    state.rgba[1] = g;
    state.rgba[2] = b;
    state.rgba[3] = a;
}

void CaptureSink::TexCoord(float u, float v)
{
    state.u = u;
    state.v = v;
}

void CaptureSink::Vertex(float x, float y)
{
    CapturedVertex vertex = state;
    vertex.x = x;
    vertex.y = y;
    vertex.block = openBlock;
    vertices.push_back(vertex);
}

void CaptureSink::BindTexture2D(unsigned int name)
{
    state.texture = name;
    boundTextures.push_back(name);
}

} // namespace cavtest
