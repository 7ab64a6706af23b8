#include "engine/font.h"

#include "engine/gl_state.h"
#include "engine/logger.h"
#include "engine/texture.h"
#include "engine/vertex_sink.h"

#include <GL/gl.h>
#include <IL/il.h>

#include <cmath>

namespace
{

constexpr float kCellUV = 0.0625f; // one of 16 cells across the texture
constexpr int kMinGlyphPixels = 3; // narrower glyphs are drawn as blanks

bool IsBlankCode(unsigned char ch)
{
    // Text is signed: codes 128-255 are negative and count as blanks, like the space.
    return ch <= 32 || ch >= 128;
}

} // namespace

Font::Font() : blendSrc(GL_SRC_ALPHA), blendDst(GL_ONE_MINUS_SRC_ALPHA)
{
    BuildGlyphCoords();
}

bool Font::Load(const std::string& glyphPath, const std::string& shadowPath)
{
    // All three steps run whatever the first one gave: the shadow image is loaded (and
    // logged) even when the glyph image failed.
    bool glyphsLoaded = LoadGlyphTexture(glyphPath);
    BuildGlyphCoords();
    shadowTexture = LoadTextureILUT(shadowPath);
    SetTextureFilter(GL_LINEAR, GL_LINEAR);
    SetTextureWrap(GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE);
    return glyphsLoaded && shadowTexture != 0;
}

bool Font::LoadGlyphTexture(const std::string& path)
{
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    ilEnable(IL_ORIGIN_SET);
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (ilLoadImage(path.c_str()) != IL_TRUE)
    {
        gLogger.Log("Failed to load fontset: ");
        gLogger.Log(path);
        gLogger.Log("!\n");
        ilDeleteImages(1, &image);
        return false;
    }
    gLogger.Log("Image Loaded:");
    gLogger.Log(path);
    gLogger.Log(".\n");

    // Measuring reads four bytes a pixel: a sheet saved without alpha (or with a palette or
    // 16-bit channels) is converted first rather than read past its end.
    if (!ConvertBoundImageForUpload(true))
    {
        gLogger.Log("Failed to convert fontset: " + path + "!\n");
        ilDeleteImages(1, &image);
        return false;
    }
    int width = ilGetInteger(IL_IMAGE_WIDTH);
    int height = ilGetInteger(IL_IMAGE_HEIGHT);
    const unsigned char* pixels = ilGetData();
    MeasureGlyphs(pixels, width, height);

    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    SetTextureFilter(GL_LINEAR, GL_LINEAR);
    SetTextureWrap(GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    ilDeleteImages(1, &image);
    return true;
}

void Font::MeasureGlyphs(const unsigned char* pixels, int width, int height)
{
    int cellWidth = width / 16;
    int cellHeight = height / 16;
    for (int row = 0; row < 16; ++row)
    {
        for (int column = 0; column < 16; ++column)
        {
            int filled = 0;
            for (int px = 0; px < cellWidth; ++px)
            {
                int x = column * cellWidth + px;
                for (int py = 0; py < cellHeight; ++py)
                {
                    int y = row * cellHeight + py;
                    if (pixels[(static_cast<std::size_t>(y) * width + x) * 4 + 3] != 0)
                    {
                        ++filled;
                        break;
                    }
                }
            }
            glyphs[column + 16 * row].width = filled;
        }
    }
}

void Font::BuildGlyphCoords()
{
    for (int k = 0; k < 256; ++k)
    {
        glyphs[k].u = static_cast<float>(k % 16) * kCellUV;
        glyphs[k].v = static_cast<float>(k / 16) * kCellUV;
    }
}

void Font::FreeTexture()
{
    if (texture != 0)
        glDeleteTextures(1, &texture);
}

void Font::SetBlend(int src, int dst)
{
    blendSrc = src;
    blendDst = dst;
}

void Font::SetScale(float x, float y)
{
    scaleX = x;
    scaleY = y;
}

void Font::DisableShadow()
{
    shadow = false;
}

void Font::SetColor(float r, float g, float b, float a)
{
    colour[0] = r;
    colour[1] = g;
    colour[2] = b;
    colour[3] = a;
}

void Font::SetAlign(int a)
{
    align = a;
}

void Font::SetWave(float freq, float amp)
{
    waveFreq = freq;
    waveAmp = amp;
    wave = true;
}

void Font::ClearWave()
{
    wave = false;
}

void Font::SetFixedWidth()
{
    fixedWidth = true;
}

void Font::ClearFixedWidth()
{
    fixedWidth = false;
}

float Font::TextWidth(const char* text) const
{
    float width = 0.0f;
    for (const char* p = text; *p; ++p)
    {
        unsigned char ch = static_cast<unsigned char>(*p);
        if (IsBlankCode(ch))
            width += 10.0f * scaleX;
        else if (fixedWidth)
            width += 20.0f * scaleX;
        else
            width += static_cast<float>(glyphs[ch].width) * scaleX;
    }
    return width;
}

float Font::Advance(unsigned char ch, bool& visible) const
{
    visible = !IsBlankCode(ch) && glyphs[ch].width >= kMinGlyphPixels;
    if (!visible)
        return 10.0f * scaleX;
    if (fixedWidth)
        return 20.0f * scaleX;
    return static_cast<float>(glyphs[ch].width) * scaleX;
}

void Font::DrawText(const char* text, float x, float y) const
{
    VertexSink& sink = CurrentVertexSink();
    sink.BindTexture2D(texture);
    SetBlendFunc(blendSrc, blendDst);
    sink.Color(colour[0], colour[1], colour[2], colour[3]);

    if (align == 1)
        x -= TextWidth(text) * 0.5f;
    else if (align == 2)
        x -= TextWidth(text);

    const float cellW = 32.0f * scaleX;
    const float cellH = 32.0f * scaleY;
    for (int pass = shadow ? 0 : 1; pass < 2; ++pass)
    {
        bool shadowPass = pass == 0;
        float px = shadowPass ? x + 4.0f * scaleX : x;
        float baseY = shadowPass ? y + 4.0f * scaleY : y;
        sink.BindTexture2D(shadowPass ? shadowTexture : texture);
        sink.Begin(GL_QUADS);
        for (const char* p = text; *p; ++p)
        {
            unsigned char ch = static_cast<unsigned char>(*p);
            bool visible = false;
            float advance = Advance(ch, visible);
            if (visible)
            {
                float qy = baseY;
                if (wave)
                    qy = baseY + std::sin(std::sin(px * waveFreq)) * waveAmp;
                const Glyph& g = glyphs[ch];
                sink.TexCoord(g.u, g.v);
                sink.Vertex(px, qy);
                sink.TexCoord(g.u + kCellUV, g.v);
                sink.Vertex(px + cellW, qy);
                sink.TexCoord(g.u + kCellUV, g.v + kCellUV);
                sink.Vertex(px + cellW, qy + cellH);
                sink.TexCoord(g.u, g.v + kCellUV);
                sink.Vertex(px, qy + cellH);
            }
            px += advance;
        }
        sink.End();
    }

    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}
