#include "engine/texture.h"

#include "support/log_capture.h"

#include <IL/il.h>
#include <gtest/gtest.h>

#include <vector>

namespace
{

class ImageFiles : public cavtest::TempDirTest
{
protected:
    static void SetUpTestSuite() { ilInit(); }

    static void SaveImage(const char* path, int width, int height, ILenum format, int channels)
    {
        std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * channels, 90);
        ILuint image = 0;
        ilGenImages(1, &image);
        ilBindImage(image);
        ASSERT_TRUE(
            ilTexImage(width, height, 1, channels, format, IL_UNSIGNED_BYTE, pixels.data()));
        ilEnable(IL_FILE_OVERWRITE);
        ASSERT_TRUE(ilSaveImage(path));
        ilDeleteImages(1, &image);
    }
};

TEST_F(ImageFiles, MissingFileLogsAndCountsNothing)
{
    cavtest::LogCapture log;
    int before = gTextureMemory;
    EXPECT_EQ(LoadImageFile("Data/GFX/none.png"), 0u);
    EXPECT_EQ(LoadTexture({"Data/GFX/none.png", 0x2601, 0x2601, 0x2900, 0x2900}), 0u);
    EXPECT_EQ(gTextureMemory, before);
    EXPECT_EQ(log.Text(), "Failed to load image: Data/GFX/none.png!\n"
                          "Failed to load image: Data/GFX/none.png!\n");
}

TEST_F(ImageFiles, FailedLoadsLeaveNoImagesBehind)
{
    for (int i = 0; i < 500; ++i)
        ASSERT_EQ(LoadImageFile("none.png"), 0u);
    // DevIL hands out freed names again: a leaked image per failure would push this to 500.
    ILuint probe = 0;
    ilGenImages(1, &probe);
    EXPECT_LT(probe, 10u);
    ilDeleteImages(1, &probe);
}

TEST_F(ImageFiles, MemoryCountsFourBytesPerPixelWhateverTheDepth)
{
    cavtest::LogCapture log;
    SaveImage("rgb.png", 256, 256, IL_RGB, 3);
    SaveImage("grey.png", 16, 8, IL_LUMINANCE, 1);
    int before = gTextureMemory;
    ILuint image = LoadImageFile("rgb.png");
    ASSERT_NE(image, 0u);
    EXPECT_EQ(gTextureMemory - before, 262144);
    // The image stays bound for the caller.
    EXPECT_EQ(ilGetInteger(IL_CUR_IMAGE), static_cast<ILint>(image));
    EXPECT_EQ(ilGetInteger(IL_IMAGE_WIDTH), 256);
    ilDeleteImages(1, &image);
    image = LoadImageFile("grey.png");
    EXPECT_EQ(gTextureMemory - before, 262144 + 16 * 8 * 4);
    EXPECT_EQ(log.Text(), "Image Loaded: rgb.png\nImage Loaded: grey.png\n");

    // Grey becomes RGB; grey with alpha becomes RGBA; all 8-bit.
    ASSERT_TRUE(ConvertBoundImageForUpload(false));
    EXPECT_EQ(ilGetInteger(IL_IMAGE_FORMAT), IL_RGB);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL), 3);
    ilDeleteImages(1, &image);
    SaveImage("grey_alpha.png", 4, 4, IL_LUMINANCE_ALPHA, 2);
    image = LoadImageFile("grey_alpha.png");
    ASSERT_TRUE(ConvertBoundImageForUpload(false));
    EXPECT_EQ(ilGetInteger(IL_IMAGE_FORMAT), IL_RGBA);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_TYPE), IL_UNSIGNED_BYTE);
    ilDeleteImages(1, &image);
}

} // namespace
