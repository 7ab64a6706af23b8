// VertexSink: where the immediate-mode drawing of line models, glow beams and text goes.
// By default every call goes straight to OpenGL (glBegin, glColor4f, glTexCoord2f,
// glVertex2f, and BindTexture for 2-D textures); a test installs its own sink with
// ScopedVertexSink to capture what would be drawn without a display. The placement of what
// is drawn (projection reset, translation, rotation about z, scaling) and calls of compiled display
// lists go through the sink too, so a capture knows where each vertex and list ends up.
// One virtual call per vertex: cheap next to the driver's own work.
#pragma once

class VertexSink
{
public:
    virtual ~VertexSink() = default;
    virtual void Begin(unsigned int mode) = 0;
    virtual void End() = 0;
    virtual void Color(float r, float g, float b, float a) = 0;
    virtual void TexCoord(float u, float v) = 0;
    virtual void Vertex(float x, float y) = 0;
    // Enables 2-D texturing and binds the texture.
    virtual void BindTexture2D(unsigned int name) = 0;
    // SetupProjection(width, height): the model-view transform starts afresh.
    virtual void Projection(float width, float height) = 0;
    virtual void Translate(float x, float y) = 0;
    virtual void Rotate(float degrees) = 0; // about z
    virtual void Scale(float sx, float sy) = 0;
    virtual void CallList(unsigned int list) = 0;
};

// The sink in use; never null.
VertexSink& CurrentVertexSink();

// Installs a sink for the lifetime of this object, then restores the previous one.
class ScopedVertexSink
{
public:
    explicit ScopedVertexSink(VertexSink& sink);
    ~ScopedVertexSink();
    ScopedVertexSink(const ScopedVertexSink&) = delete;
    ScopedVertexSink& operator=(const ScopedVertexSink&) = delete;

private:
    VertexSink* previous;
};
