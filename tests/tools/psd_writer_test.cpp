// The image writers of the asset tools: PackBits against an independent decoder on the
// edge runs, the PSD layout the game's image library reads, byte-for-byte determinism,
// and a small PSD read back through DevIL pixel for pixel.
#include "imagekit/bmp_writer.h"
#include "imagekit/psd_writer.h"
#include "support/temp_dir.h"
#include "tools/devil_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{

using imagekit::Image;

// PackBits decoder written from the format's description, not from the encoder: also
// rejects what DevIL would mis-read (the -128 header, runs past the row's end).
bool Unpack(const std::vector<uint8_t>& packed, size_t rowSize, std::vector<uint8_t>& out)
{
    out.clear();
    size_t i = 0;
    while (i < packed.size())
    {
        int header = static_cast<int8_t>(packed[i++]);
        if (header == -128)
            return false;
        if (header >= 0)
        {
            size_t n = static_cast<size_t>(header) + 1;
            if (i + n > packed.size())
                return false;
            out.insert(out.end(), packed.begin() + i, packed.begin() + i + n);
            i += n;
        }
        else
        {
            if (i >= packed.size())
                return false;
            out.insert(out.end(), static_cast<size_t>(1 - header), packed[i++]);
        }
        if (out.size() > rowSize)
            return false;
    }
    return out.size() == rowSize;
}

void ExpectRoundTrip(const std::vector<uint8_t>& row, const char* what)
{
    std::vector<uint8_t> packed = imagekit::PackBits(row.data(), row.size());
    std::vector<uint8_t> unpacked;
    ASSERT_TRUE(Unpack(packed, row.size(), unpacked)) << what;
    EXPECT_EQ(unpacked, row) << what;
}

uint32_t Be32(const std::vector<uint8_t>& b, size_t at)
{
    return (uint32_t(b[at]) << 24) | (uint32_t(b[at + 1]) << 16) | (uint32_t(b[at + 2]) << 8) |
           b[at + 3];
}

unsigned Be16(const std::vector<uint8_t>& b, size_t at)
{
    return (b[at] << 8) | b[at + 1];
}

// A small picture with every kind of row: flat, noisy, runs across the 128 limit.
Image TestImage(int width, int height)
{
    Image image(width, height);
    uint32_t seed = 12345;
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            seed = seed * 1103515245u + 12345u;
            uint8_t* p = image.At(x, y);
            p[0] = static_cast<uint8_t>(x * 7);
            p[1] = static_cast<uint8_t>(y % 3 == 0 ? 200 : (seed >> 16));
            p[2] = static_cast<uint8_t>(x < width / 2 ? 0 : 255);
            p[3] = static_cast<uint8_t>((x + y) % 5 == 0 ? 0 : 40 * ((x + y) % 5) + 95);
        }
    }
    return image;
}

TEST(PackBits, RoundTripsEdgeRuns)
{
    ExpectRoundTrip({42}, "one byte");
    ExpectRoundTrip({7, 7}, "one pair");
    ExpectRoundTrip({1, 2}, "two literals");
    ExpectRoundTrip(std::vector<uint8_t>(128, 9), "run of exactly 128");
    ExpectRoundTrip(std::vector<uint8_t>(129, 9), "run of 129");
    ExpectRoundTrip(std::vector<uint8_t>(512, 0), "long run");

    std::vector<uint8_t> literal;
    for (int i = 0; i < 300; ++i)
        literal.push_back(static_cast<uint8_t>(i * 13 + i / 7));
    ExpectRoundTrip(std::vector<uint8_t>(literal.begin(), literal.begin() + 128), "literal 128");
    ExpectRoundTrip(literal, "literal over 128");

    std::vector<uint8_t> mixed = {1, 2, 3, 3, 3, 4, 4, 5, 5, 5, 5, 6};
    mixed.insert(mixed.end(), 200, 8);
    mixed.insert(mixed.end(), literal.begin(), literal.begin() + 140);
    mixed.push_back(8);
    ExpectRoundTrip(mixed, "literals, pairs and runs mixed");

    std::vector<uint8_t> pairs;
    for (int i = 0; i < 150; ++i)
        pairs.insert(pairs.end(), 2, static_cast<uint8_t>(i));
    ExpectRoundTrip(pairs, "pairs only");
}

TEST(PackBits, CompressesRunsToTheirLimit)
{
    // 512 equal bytes: four runs of 128, two bytes each.
    std::vector<uint8_t> flat(512, 0);
    EXPECT_EQ(imagekit::PackBits(flat.data(), flat.size()).size(), 8u);
    // A literal never grows by more than its headers: one per 128 bytes.
    std::vector<uint8_t> noise;
    for (int i = 0; i < 512; ++i)
        noise.push_back(static_cast<uint8_t>(i * 37 + 11));
    EXPECT_EQ(imagekit::PackBits(noise.data(), noise.size()).size(), 516u);
}

TEST(PsdWriter, WritesTheLayoutTheGameReads)
{
    Image image = TestImage(300, 5);
    std::vector<uint8_t> psd = imagekit::EncodePsd(image);
    ASSERT_GT(psd.size(), 40u);
    EXPECT_EQ(std::string(psd.begin(), psd.begin() + 4), "8BPS");
    EXPECT_EQ(Be16(psd, 4), 1u);    // version
    EXPECT_EQ(Be16(psd, 12), 4u);   // channels
    EXPECT_EQ(Be32(psd, 14), 5u);   // height
    EXPECT_EQ(Be32(psd, 18), 300u); // width
    EXPECT_EQ(Be16(psd, 22), 8u);   // bits per channel
    EXPECT_EQ(Be16(psd, 24), 3u);   // RGB
    EXPECT_EQ(Be32(psd, 26), 0u);   // colour mode data
    EXPECT_EQ(Be32(psd, 30), 0u);   // resources
    EXPECT_EQ(Be32(psd, 34), 0u);   // layers
    EXPECT_EQ(Be16(psd, 38), 1u);   // RLE

    // Byte-count table for all rows of all channels, then the rows in the same order.
    size_t table = 40;
    size_t data = table + 4 * 5 * 2;
    for (int c = 0; c < 4; ++c)
    {
        for (int y = 0; y < 5; ++y)
        {
            size_t count = Be16(psd, table + 2 * (c * 5 + y));
            ASSERT_LE(data + count, psd.size());
            std::vector<uint8_t> row(psd.begin() + data, psd.begin() + data + count);
            std::vector<uint8_t> plain;
            ASSERT_TRUE(Unpack(row, 300, plain)) << "channel " << c << " row " << y;
            for (int x = 0; x < 300; ++x)
                ASSERT_EQ(plain[x], image.At(x, y)[c]) << c << "," << x << "," << y;
            data += count;
        }
    }
    EXPECT_EQ(data, psd.size());
}

TEST(PsdWriter, SameImageGivesSameBytes)
{
    std::vector<uint8_t> first = imagekit::EncodePsd(TestImage(64, 64));
    Image other = TestImage(64, 64);
    imagekit::EncodePsd(TestImage(17, 3)); // no state may carry over between files
    EXPECT_EQ(imagekit::EncodePsd(other), first);
    other.At(63, 63)[3] ^= 1;
    EXPECT_NE(imagekit::EncodePsd(other), first);
}

class PsdReadBack : public cavtest::TempDirTest
{
};

TEST_F(PsdReadBack, DevilReadsEveryPixelAndItsAlpha)
{
    Image image = TestImage(37, 9);
    ASSERT_TRUE(imagekit::WritePsd("sub/picture.psd", image));
    cavtest::LoadedImage loaded = cavtest::LoadWithDevil("sub/picture.psd");
    ASSERT_TRUE(loaded.ok);
    ASSERT_EQ(loaded.width, 37);
    ASSERT_EQ(loaded.height, 9);
    EXPECT_EQ(loaded.bytesPerPixel, 4);
    for (int y = 0; y < 9; ++y)
    {
        for (int x = 0; x < 37; ++x)
        {
            const uint8_t* want = image.At(x, y);
            const uint8_t* got = loaded.At(x, y);
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(got[c], want[c]) << "channel " << c << " at " << x << "," << y;
            // DevIL scales the alpha channel through floats: one step of rounding at most,
            // and never between zero and non-zero.
            ASSERT_NEAR(got[3], want[3], 1) << "alpha at " << x << "," << y;
            ASSERT_EQ(got[3] == 0, want[3] == 0) << "alpha at " << x << "," << y;
        }
    }
}

TEST_F(PsdReadBack, WriterLeavesNoTemporaryFileAndReportsFailure)
{
    Image image = TestImage(8, 8);
    ASSERT_TRUE(imagekit::WritePsd("a.psd", image));
    EXPECT_TRUE(cavtest::FileExists("a.psd"));
    EXPECT_EQ(cavtest::FilesUnder("."), std::vector<std::string>{"a.psd"});
    // A folder in the way of the file: failure, and nothing left behind.
    cavtest::WriteFile("blocked/x", "");
    EXPECT_FALSE(imagekit::WritePsd("blocked/x/b.psd", image));
    EXPECT_FALSE(imagekit::WriteBmp24("a.psd/icon.bmp", image));
}

TEST(BmpWriter, RowsRunBottomUpAndPadToFourBytes)
{
    Image image(3, 2);
    image.Fill(10, 20, 30, 255);
    image.At(0, 0)[0] = 200; // top-left pixel, red
    std::vector<uint8_t> bmp = imagekit::EncodeBmp24(image);
    const size_t rowBytes = 12; // 9 bytes of pixels padded to 12
    ASSERT_EQ(bmp.size(), 54 + 2 * rowBytes);
    // The first stored row is the bottom one; the top-left pixel starts the second.
    EXPECT_EQ(bmp[54 + 2], 10);
    EXPECT_EQ(bmp[54 + rowBytes + 2], 200); // BGR: red is the third byte
    EXPECT_EQ(bmp[54 + rowBytes + 1], 20);
    EXPECT_EQ(bmp[54 + rowBytes], 30);
}

} // namespace
