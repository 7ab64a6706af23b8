// Image files (through DevIL) into OpenGL textures. The image library must have been started
// (ilInit, iluInit, ilutInit and ilutRenderer(ILUT_OPENGL)) before any load. Every loader logs
// and returns 0 on failure. Pixels are converted to 8-bit RGB or RGBA before upload, so
// palette, grey, BGR and 16-bit images upload correctly.
#pragma once

#include <string>

// The request for one texture: file and the GL filter and wrap modes.
struct TextureDesc
{
    std::string path;
    int minFilter;
    int magFilter;
    int wrapS;
    int wrapT;
};

// Bytes of every image loaded through LoadImageFile in this run (width x height x 4).
extern int gTextureMemory;

// A DevIL image name (left bound for the caller, who deletes it), or 0.
unsigned int LoadImageFile(const std::string& path);

// A GL texture made by ILUT from the file, left bound; the caller sets filters and wraps.
unsigned int LoadTextureILUT(const std::string& path);

// A GL texture with the requested filters and wraps: GL_RGBA when the image has alpha, else
// GL_RGB.
unsigned int LoadTexture(TextureDesc desc);

// Converts the bound DevIL image to 8-bit RGBA (when it has alpha, or when forceAlpha) or
// RGB, upper-left origin untouched. False when DevIL refuses.
bool ConvertBoundImageForUpload(bool forceAlpha);
