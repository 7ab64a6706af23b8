#include "game/screen_draw.h"

#include "engine/font.h"
#include "engine/geometry.h"
#include "engine/gl_state.h"
#include "engine/line_model.h"
#include "engine/vertex_sink.h"

#include <GL/gl.h>

namespace screen
{

void DrawModelAt(const LineModel& model, unsigned int beamTexture, float x, float y, float angle,
                 float scale, float width)
{
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    if (angle != 0.0f)
        glRotatef(angle, 0.0f, 0.0f, 1.0f);
    if (scale != 1.0f)
        glScalef(scale, scale, 1.0f);
    VertexSink& sink = CurrentVertexSink();
    sink.BindTexture2D(beamTexture);
    SetBlendFunc(GL_SRC_COLOR, GL_ONE);
    sink.Begin(GL_QUADS);
    LineModel::Draw(model, width);
    sink.End();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

void DrawQuad(float x1, float y1, float x2, float y2, float r, float g, float b, float a)
{
    glDisable(GL_TEXTURE_2D);
    SetBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    VertexSink& sink = CurrentVertexSink();
    sink.Color(r, g, b, a);
    sink.Begin(GL_QUADS);
    sink.Vertex(x1, y1);
    sink.Vertex(x2, y1);
    sink.Vertex(x2, y2);
    sink.Vertex(x1, y2);
    sink.End();
    glDisable(GL_BLEND);
}

void TextStyle(Font& font, float scale, int align, float r, float g, float b, float a)
{
    font.SetBlend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    font.SetScale(scale, scale);
    font.SetAlign(align);
    font.SetColor(r, g, b, a);
}

float BlinkLevel(float blinkTimer)
{
    if (blinkTimer <= 0.5f)
        return InterpolateOverTime(0.0f, 1.0f, 0.0f, 0.5f, blinkTimer);
    return InterpolateOverTime(1.0f, 0.0f, 0.5f, 1.0f, blinkTimer);
}

} // namespace screen
