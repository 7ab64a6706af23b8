#include "engine/vertex_sink.h"

#include "engine/gl_state.h"

#include <GL/gl.h>

namespace
{

class GLVertexSink : public VertexSink
{
public:
    void Begin(unsigned int mode) override { glBegin(mode); }
    void End() override { glEnd(); }
    void Color(float r, float g, float b, float a) override { glColor4f(r, g, b, a); }
    void TexCoord(float u, float v) override { glTexCoord2f(u, v); }
    void Vertex(float x, float y) override { glVertex2f(x, y); }
    void BindTexture2D(unsigned int name) override { BindTexture(GL_TEXTURE_2D, name); }
    void Projection(float width, float height) override { SetupProjection(width, height); }
    void Translate(float x, float y) override { glTranslatef(x, y, 0.0f); }
    void Rotate(float degrees) override { glRotatef(degrees, 0.0f, 0.0f, 1.0f); }
    void Scale(float sx, float sy) override { glScalef(sx, sy, 1.0f); }
    void CallList(unsigned int list) override { glCallList(list); }
};

GLVertexSink gGLSink;
VertexSink* gSink = &gGLSink;

} // namespace

VertexSink& CurrentVertexSink()
{
    return *gSink;
}

ScopedVertexSink::ScopedVertexSink(VertexSink& sink) : previous(gSink)
{
    gSink = &sink;
}

ScopedVertexSink::~ScopedVertexSink()
{
    gSink = previous;
}
