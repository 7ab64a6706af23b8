#include "imagekit/glyph_raster.h"

#include <cstdio>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace imagekit
{

struct GlyphRaster::Impl
{
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string path;
};

GlyphRaster::GlyphRaster() : impl(new Impl) {}

GlyphRaster::~GlyphRaster()
{
    if (impl->face != nullptr)
        FT_Done_Face(impl->face);
    if (impl->library != nullptr)
        FT_Done_FreeType(impl->library);
    delete impl;
}

bool GlyphRaster::Open(const std::string& fontPath, int pixelSize)
{
    impl->path = fontPath;
    if (impl->library == nullptr && FT_Init_FreeType(&impl->library) != 0)
    {
        std::fprintf(stderr, "FreeType failed to start\n");
        return false;
    }
    if (impl->face != nullptr)
    {
        FT_Done_Face(impl->face);
        impl->face = nullptr;
    }
    if (FT_New_Face(impl->library, fontPath.c_str(), 0, &impl->face) != 0)
    {
        std::fprintf(stderr, "%s: cannot open font\n", fontPath.c_str());
        impl->face = nullptr;
        return false;
    }
    if (FT_Set_Pixel_Sizes(impl->face, 0, static_cast<FT_UInt>(pixelSize)) != 0)
    {
        std::fprintf(stderr, "%s: cannot set size %d\n", fontPath.c_str(), pixelSize);
        return false;
    }
    return true;
}

bool GlyphRaster::Render(unsigned long code, RenderedGlyph& out) const
{
    FT_Face face = impl->face;
    if (face == nullptr)
        return false;
    FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0)
    {
        std::fprintf(stderr, "%s: no glyph for code %lu\n", impl->path.c_str(), code);
        return false;
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0 ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
    {
        std::fprintf(stderr, "%s: cannot render code %lu\n", impl->path.c_str(), code);
        return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    out.coverage = Plane(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows));
    for (int y = 0; y < out.coverage.height; ++y)
    {
        const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
        for (int x = 0; x < out.coverage.width; ++x)
            out.coverage.At(x, y) = row[x] / 255.0f;
    }
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    return true;
}

} // namespace imagekit
