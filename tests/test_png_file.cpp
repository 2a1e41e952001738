// The shared PNG files: pixels survive a write and a read in both channel
// layouts, and failures leave no file and say why.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/png/png_file.h"

namespace {

std::string tempPath(const char* name) { return ::testing::TempDir() + name; }

bool exists(const std::string& path) { return std::ifstream(path).good(); }

const std::vector<uint32_t> PIXELS = {0xFF000000u, 0x80FF0000u, 0x0000FF00u,
                                      0xFF0000FFu, 0xFFFFFFFFu, 0x12345678u};

}  // namespace

TEST(PngFile, RgbDropsAlphaRgbaKeepsIt) {
    const std::string rgb = tempPath("qx70_rgb.png"), rgba = tempPath("qx70_rgba.png");
    ASSERT_TRUE(pngWrite(rgb.c_str(), PIXELS.data(), 3, 2, PngChannels::Rgb));
    ASSERT_TRUE(pngWrite(rgba.c_str(), PIXELS.data(), 3, 2, PngChannels::Rgba));
    std::vector<uint32_t> back;
    int w = 0, h = 0;
    std::string message;
    ASSERT_TRUE(pngRead(rgb.c_str(), &back, &w, &h, &message)) << message;
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    for (size_t i = 0; i < PIXELS.size(); ++i) EXPECT_EQ(back[i], PIXELS[i] | 0xFF000000u) << i;
    ASSERT_TRUE(pngRead(rgba.c_str(), &back, &w, &h, &message)) << message;
    // Fully transparent pixels keep no colour in libpng's RGBA reading; the
    // others come back exactly.
    for (size_t i = 0; i < PIXELS.size(); ++i) {
        if (PIXELS[i] >> 24 == 0xFF) {
            EXPECT_EQ(back[i], PIXELS[i]) << i;
        }
        EXPECT_EQ(back[i] >> 24, PIXELS[i] >> 24) << i;
    }
    std::remove(rgb.c_str());
    std::remove(rgba.c_str());
}

TEST(PngFile, FailuresLeaveNothingAndSayWhy) {
    std::string message;
    EXPECT_FALSE(
        pngWrite("/nonexistent-folder/x.png", PIXELS.data(), 3, 2, PngChannels::Rgb, &message));
    EXPECT_NE(message.find("/nonexistent-folder/x.png"), std::string::npos) << message;
    EXPECT_FALSE(pngWrite(tempPath("qx70_empty.png").c_str(), PIXELS.data(), 0, 2, PngChannels::Rgb,
                          &message));
    EXPECT_FALSE(exists(tempPath("qx70_empty.png")));
    // A folder where the file should be is not removed.
    const std::string folder = tempPath("qx70_folder.png");
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(pngWrite(folder.c_str(), PIXELS.data(), 3, 2, PngChannels::Rgb, &message));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    std::filesystem::remove(folder);

    const std::string junk = tempPath("qx70_junk.png");
    std::ofstream(junk) << "not a picture";
    std::vector<uint32_t> back;
    int w = 0, h = 0;
    EXPECT_FALSE(pngRead(junk.c_str(), &back, &w, &h, &message));
    EXPECT_NE(message.find("cannot read"), std::string::npos) << message;
    EXPECT_FALSE(pngRead(tempPath("qx70_missing.png").c_str(), &back, &w, &h, &message));
    std::remove(junk.c_str());
}
