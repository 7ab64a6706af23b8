// The thin OpenGL state helpers both programs draw with, and the 2-D projection: a virtual
// screen of w x h units, x to the right and y downwards, whatever the window's real size.
#pragma once

// The virtual screen both programs draw their 2-D pictures in.
constexpr float kVirtualWidth = 640.0f;
constexpr float kVirtualHeight = 480.0f;

// Projection and model-view so that (x, y, 0) shows at x / w of the window's width from its
// left edge and y / h of its height from its top edge.
void SetupProjection(float width, float height);

void SetTextureWrap(int wrapS, int wrapT);                        // on GL_TEXTURE_2D
void SetTextureFilter(int minFilter, int magFilter);              // on GL_TEXTURE_2D
void BindTexture(unsigned int target, unsigned int name);         // enables target, then binds
void SetBlendFunc(unsigned int source, unsigned int destination); // enables blending

// Blends one flat rectangle over the whole virtual screen (texturing off, blend
// (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA)): a fade, or the translucent wash under which the last
// picture fades away.
void FillVirtualScreen(float r, float g, float b, float a);
