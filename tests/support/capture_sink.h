// A VertexSink that records what would have been drawn, for headless drawing tests.
#pragma once

#include "engine/vertex_sink.h"

#include <vector>

namespace cavtest
{

struct CapturedVertex
{
    float x, y;       // position
    float u, v;       // texture coordinate in effect
    float rgba[4];    // colour in effect
    unsigned texture; // 2-D texture bound
    int block;        // index of the Begin/End block it was emitted in (-1: outside any)
};

class CaptureSink : public VertexSink
{
public:
    void Begin(unsigned int mode) override;
    void End() override;
    void Color(float r, float g, float b, float a) override;
    void TexCoord(float u, float v) override;
    void Vertex(float x, float y) override;
    void BindTexture2D(unsigned int name) override;

    std::vector<CapturedVertex> vertices;
    std::vector<unsigned int> blockModes;
    std::vector<unsigned int> boundTextures; // every bind, in order

private:
    CapturedVertex state{};
    int openBlock = -1;
};

} // namespace cavtest
