// objgen: builds the game's line models and pictures from the readable sources in content/.
//
//   objgen models SOURCE_DIR OUT_DIR NAME...   compiles SOURCE_DIR/NAME.txt to OUT_DIR/NAME.obj
//   objgen picture SCENE OUT WIDTH HEIGHT      rasterises a scene (pixel coordinates) with a
//                                              soft glow; OUT ends in .bmp (24-bit) or .png
//   objgen preview SOURCE_DIR OUT_DIR          review contact sheets of every model (PNG)
#include "glow_raster.h"
#include "obj_source.h"
#include "obj_writer.h"
#include "preview.h"
#include "text_tokens.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace
{

int Usage()
{
    std::fprintf(stderr, "usage: objgen models SOURCE_DIR OUT_DIR NAME...\n"
                         "       objgen picture SCENE OUT WIDTH HEIGHT\n"
                         "       objgen preview SOURCE_DIR OUT_DIR\n");
    return 2;
}

int BuildModels(const std::string& sourceDir, const std::string& outDir, int count, char** names)
{
    for (int i = 0; i < count; ++i)
    {
        std::string name = names[i];
        objgen::ModelSource model;
        std::string error;
        if (!objgen::LoadModelSource(objgen::JoinPath(sourceDir, name + ".txt"), model, error))
        {
            std::fprintf(stderr, "objgen: %s\n", error.c_str());
            return 1;
        }
        if (model.beams.empty())
        {
            std::fprintf(stderr, "objgen: %s has no beams\n", name.c_str());
            return 1;
        }
        std::string path = objgen::JoinPath(outDir, name + ".obj");
        if (!objgen::WriteFileAtomic(path, objgen::EncodeObj(model), error))
        {
            std::fprintf(stderr, "objgen: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}

bool EndsWith(const std::string& s, const char* suffix)
{
    size_t n = std::strlen(suffix);
    return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

int BuildPicture(const std::string& scenePath, const std::string& out, const char* widthText,
                 const char* heightText)
{
    long width = 0;
    long height = 0;
    if (!objgen::ParseInt(widthText, width) || !objgen::ParseInt(heightText, height) || width < 1 ||
        height < 1 || width > 8192 || height > 8192)
    {
        std::fprintf(stderr, "objgen: picture size must be 1..8192 pixels\n");
        return 2;
    }
    objgen::ModelSource scene;
    std::string error;
    if (!objgen::LoadModelSource(scenePath, scene, error))
    {
        std::fprintf(stderr, "objgen: %s\n", error.c_str());
        return 1;
    }
    std::vector<unsigned char> rgb = objgen::RenderTitlePicture(scene, width, height);
    bool ok = false;
    if (EndsWith(out, ".bmp"))
    {
        ok = objgen::WriteBmp24(out, width, height, rgb, error);
    }
    else if (EndsWith(out, ".png"))
    {
        ok = objgen::WritePng(out, width, height, rgb, error);
    }
    else
    {
        error = "picture output must end in .bmp or .png";
    }
    if (!ok)
    {
        std::fprintf(stderr, "objgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "models") == 0)
    {
        return BuildModels(argv[2], argv[3], argc - 4, argv + 4);
    }
    if (argc == 6 && std::strcmp(argv[1], "picture") == 0)
    {
        return BuildPicture(argv[2], argv[3], argv[4], argv[5]);
    }
    if (argc == 4 && std::strcmp(argv[1], "preview") == 0)
    {
        std::string error;
        if (!objgen::WritePreviewSheets(argv[2], argv[3], error))
        {
            std::fprintf(stderr, "objgen: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    return Usage();
}
