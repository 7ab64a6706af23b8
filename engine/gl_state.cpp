#include "engine/gl_state.h"

#include <GL/gl.h>

void SetupProjection(float width, float height)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(0.0, width, height, 0.0, 1.0, 3.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -2.0f);
    glScalef(2.0f, 2.0f, 2.0f);
}

void SetTextureWrap(int wrapS, int wrapT)
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapS);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapT);
}

void SetTextureFilter(int minFilter, int magFilter)
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
}

void BindTexture(unsigned int target, unsigned int name)
{
    glEnable(target);
    glBindTexture(target, name);
}

void SetBlendFunc(unsigned int source, unsigned int destination)
{
    glEnable(GL_BLEND);
    glBlendFunc(source, destination);
}

void FillVirtualScreen(float r, float g, float b, float a)
{
    glDisable(GL_TEXTURE_2D);
    SetBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(r, g, b, a);
    glBegin(GL_QUADS);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(kVirtualWidth, 0.0f);
    glVertex2f(kVirtualWidth, kVirtualHeight);
    glVertex2f(0.0f, kVirtualHeight);
    glEnd();
}
