// A VertexSink that records what would have been drawn, for headless drawing tests. Vertices
// and list calls are recorded where the translations and rotations since the last projection
// reset put them.
#pragma once

#include "engine/vertex_sink.h"

#include <string>
#include <vector>

namespace cavtest
{

struct CapturedVertex
{
    float x, y;       // position, transformed
    float u, v;       // texture coordinate in effect
    float rgba[4];    // colour in effect
    unsigned texture; // 2-D texture bound
    int block;        // index of the Begin/End block it was emitted in (-1: outside any)
};

struct CapturedList
{
    unsigned int list;
    float x, y;  // where the list's origin lands
    float angle; // degrees of rotation in effect
    int block;   // the Begin/End block it was called in
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
    void Projection(float width, float height) override;
    void Translate(float x, float y) override;
    void Rotate(float degrees) override;
    void Scale(float sx, float sy) override;
    void CallList(unsigned int list) override;

    // The text of every block drawn with a font whose 256 cells are all 32 pixels wide (a
    // glyph quad's first texture corner names its character), in drawing order; other
    // blocks give the empty string.
    std::vector<std::string> Texts() const;
    // The colour of the first vertex of the first block whose text is `text` (null: none).
    const CapturedVertex* FirstVertexOfText(const std::string& text) const;

    std::vector<CapturedVertex> vertices;
    std::vector<unsigned int> blockModes;
    std::vector<unsigned int> boundTextures; // every bind, in order
    std::vector<CapturedList> lists;
    int projections = 0;

private:
    CapturedVertex state{};
    int openBlock = -1;
    // x' = m[0] x + m[1] y + m[2]; y' = m[3] x + m[4] y + m[5]
    float m[6] = {1, 0, 0, 0, 1, 0};
    float angle = 0.0f;
};

} // namespace cavtest
