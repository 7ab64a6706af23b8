#include "support/capture_sink.h"

#include <cmath>

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
    vertex.x = m[0] * x + m[1] * y + m[2];
    vertex.y = m[3] * x + m[4] * y + m[5];
    vertex.block = openBlock;
    vertices.push_back(vertex);
}

void CaptureSink::BindTexture2D(unsigned int name)
{
    state.texture = name;
    boundTextures.push_back(name);
}

void CaptureSink::Projection(float, float)
{
    ++projections;
    const float identity[6] = {1, 0, 0, 0, 1, 0};
    for (int i = 0; i < 6; ++i)
        m[i] = identity[i];
    angle = 0.0f;
}

void CaptureSink::Translate(float x, float y)
{
    m[2] += m[0] * x + m[1] * y;
    m[5] += m[3] * x + m[4] * y;
}

void CaptureSink::Rotate(float degrees)
{
    const float r = degrees * 3.14159265f / 180.0f;
    const float c = std::cos(r), s = std::sin(r);
    const float a = m[0], b = m[1], d = m[3], e = m[4];
    m[0] = a * c + b * s;
    m[1] = -a * s + b * c;
    m[3] = d * c + e * s;
    m[4] = -d * s + e * c;
    angle += degrees;
}

void CaptureSink::Scale(float sx, float sy)
{
    m[0] *= sx;
    m[3] *= sx;
    m[1] *= sy;
    m[4] *= sy;
}

void CaptureSink::CallList(unsigned int list)
{
    lists.push_back({list, m[2], m[5], angle, openBlock});
}

std::vector<std::string> CaptureSink::Texts() const
{
    std::vector<std::string> texts(blockModes.size());
    std::vector<float> lastX(blockModes.size(), 0.0f);
    // Glyph quads come as four vertices, the first at the cell's upper-left corner.
    for (size_t i = 0; i + 3 < vertices.size(); i += 4)
    {
        const CapturedVertex& first = vertices[i];
        if (first.block < 0)
            continue;
        const size_t block = static_cast<size_t>(first.block);
        const int code = static_cast<int>(std::lround(first.u * 16.0f)) +
                         16 * static_cast<int>(std::lround(first.v * 16.0f));
        const float cell = vertices[i + 1].x - first.x;
        std::string& text = texts[block];
        if (!text.empty() && first.x - lastX[block] > cell * 1.1f)
            text += ' ';
        text += static_cast<char>(code);
        lastX[block] = first.x;
    }
    return texts;
}

const CapturedVertex* CaptureSink::FirstVertexOfText(const std::string& text) const
{
    std::vector<std::string> texts = Texts();
    for (size_t block = 0; block < texts.size(); ++block)
    {
        if (texts[block] != text)
            continue;
        for (const CapturedVertex& vertex : vertices)
        {
            if (vertex.block == static_cast<int>(block))
                return &vertex;
        }
    }
    return nullptr;
}

} // namespace cavtest
