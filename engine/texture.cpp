#include "engine/texture.h"

#include "engine/logger.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <IL/ilu.h>
#define ILUT_USE_OPENGL
#include <IL/ilut.h>

#include <cstring>
#include <vector>

int gTextureMemory = 0;

namespace
{

bool BoundImageHasAlpha()
{
    switch (ilGetInteger(IL_IMAGE_FORMAT))
    {
    case IL_RGBA:
    case IL_BGRA:
    case IL_LUMINANCE_ALPHA:
        return true;
    case IL_COLOUR_INDEX:
    {
        ILint palette = ilGetInteger(IL_PALETTE_TYPE);
        return palette == IL_PAL_RGBA32 || palette == IL_PAL_BGRA32;
    }
    default:
        return false;
    }
}

} // namespace

bool ConvertBoundImageForUpload(bool forceAlpha)
{
    ILenum format = (forceAlpha || BoundImageHasAlpha()) ? IL_RGBA : IL_RGB;
    if (ilGetInteger(IL_IMAGE_FORMAT) == static_cast<ILint>(format) &&
        ilGetInteger(IL_IMAGE_TYPE) == IL_UNSIGNED_BYTE)
        return true;
    return ilConvertImage(format, IL_UNSIGNED_BYTE) == IL_TRUE;
}

unsigned int LoadImageFile(const std::string& path)
{
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (ilLoadImage(path.c_str()) != IL_TRUE)
    {
        gLogger.Log("Failed to load image: " + path + "!\n");
        ilDeleteImages(1, &image);
        return 0;
    }
    gTextureMemory += ilGetInteger(IL_IMAGE_WIDTH) * ilGetInteger(IL_IMAGE_HEIGHT) * 4;
    gLogger.Log("Image Loaded: " + path + "\n");
    return image;
}

unsigned int LoadTextureILUT(const std::string& path)
{
    ILuint image = LoadImageFile(path);
    if (image == 0)
        return 0;
    GLuint texture = 0;
    if (ConvertBoundImageForUpload(false))
    {
        // ILUT turns images whose origin is the upper left upside down for OpenGL; the game
        // draws with y downwards and row 0 at t = 0, like LoadTexture. Marking the rows as
        // already in OpenGL's order uploads them as they are, so the fonts' shadow sheet lines
        // up with the glyph sheet.
        ilRegisterOrigin(IL_ORIGIN_LOWER_LEFT);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        texture = ilutGLBindTexImage();
    }
    if (texture == 0)
        gLogger.Log("Failed to make a texture of: " + path + "!\n");
    ilDeleteImages(1, &image);
    return texture;
}

unsigned int LoadTexture(TextureDesc desc)
{
    ILuint image = LoadImageFile(desc.path);
    if (image == 0)
        return 0;
    if (!ConvertBoundImageForUpload(false))
    {
        gLogger.Log("Failed to convert image: " + desc.path + "!\n");
        ilDeleteImages(1, &image);
        return 0;
    }
    int width = ilGetInteger(IL_IMAGE_WIDTH);
    int height = ilGetInteger(IL_IMAGE_HEIGHT);
    int bytes = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * bytes);
    std::memcpy(pixels.data(), ilGetData(), pixels.size());
    ilDeleteImages(1, &image);

    glEnable(GL_TEXTURE_2D);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, desc.minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, desc.magFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, desc.wrapS);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, desc.wrapT);
    // Rows of RGB images are not 4-byte aligned unless the width happens to make them so.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    GLenum format = bytes == 4 ? GL_RGBA : GL_RGB;
    glTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, format, GL_UNSIGNED_BYTE,
                 pixels.data());
    glDisable(GL_TEXTURE_2D);
    return texture;
}
