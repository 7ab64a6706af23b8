// Font: proportional bitmap text cut from one image of 16 x 16 glyph cells, with an optional
// drop shadow drawn from a second image, alignment, scale, colour, a fixed-width mode for
// digits and a vertical wave. A glyph's width is the number of pixel columns of its cell that
// hold any alpha; glyphs under 3 pixels wide and codes up to 32 advance 10 x scale and are
// not drawn, as are codes 128-255 (text is taken as signed characters). Coordinates are those
// of SetupProjection's virtual screen; y is the top of the glyph cells. Drawing goes through
// the current VertexSink.
#pragma once

#include <string>

class Font
{
public:
    struct Glyph
    {
        float u = 0.0f, v = 0.0f; // upper-left corner of the cell in the texture
        int width = 0;            // pixels
    };

    Font();

    // Glyph texture, coordinates, then the shadow texture. False when either image fails.
    bool Load(const std::string& glyphPath, const std::string& shadowPath);
    bool LoadGlyphTexture(const std::string& path);
    // Widths from 8-bit RGBA pixels, row 0 at the top; cells are width/16 x height/16 pixels.
    void MeasureGlyphs(const unsigned char* pixels, int width, int height);
    void BuildGlyphCoords();
    // Deletes the glyph texture. The shadow texture stays: both fonts share one shadow image.
    void FreeTexture();

    void SetBlend(int src, int dst);
    void SetScale(float x, float y);
    void DisableShadow();
    void SetColor(float r, float g, float b, float a);
    void SetAlign(int a); // 0 left, 1 centred, 2 right
    void SetWave(float freq, float amp);
    void ClearWave();
    void SetFixedWidth();
    void ClearFixedWidth();

    // Unlike drawing, counts glyphs under 3 pixels at their own width.
    float TextWidth(const char* text) const;
    void DrawText(const char* text, float x, float y) const;

    Glyph glyphs[256];
    unsigned int texture = 0;
    // Stored on its own: GL names of two textures loaded one after the other need not follow.
    unsigned int shadowTexture = 0;
    int blendSrc;
    int blendDst;
    float scaleX = 1.0f, scaleY = 1.0f;
    bool shadow = true;
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    int align = 1;
    float waveFreq = 0.0f, waveAmp = 0.0f;
    bool wave = false;
    bool fixedWidth = false;

private:
    // The pen advance of one character when drawn; 0 when it is not drawn as a glyph.
    float Advance(unsigned char ch, bool& visible) const;
};
