#include "support/SpriteKit.h"

#include <gtest/gtest.h>

#include "common/BitmapWriter.h"

namespace zktest {

std::uint32_t CoordColor(int x, int y) {
    const auto ux = static_cast<std::uint32_t>(x);
    const auto uy = static_cast<std::uint32_t>(y);
    return (ux & 0xFF) << 16 | (uy & 0xFF) << 8 | ((ux >> 8) & 0xF) << 4 | ((uy >> 8) & 0xF);
}

std::vector<std::uint32_t> CoordPicture(int width, int height) {
    std::vector<std::uint32_t> picture;
    picture.reserve(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) picture.push_back(CoordColor(x, y));
    }
    return picture;
}

SpriteKit::SpriteKit() = default;

SpriteKit::SpriteKit(std::uint32_t bits, std::uint32_t fullScreen, int surfaces, int textures) {
    setUp(bits, fullScreen, surfaces, textures);
}

void SpriteKit::setUp(std::uint32_t bits, std::uint32_t fullScreen, int surfaces, int textures) {
    ASSERT_EQ(sprite.Initialize(nullptr, nullptr, 800, 600, bits, fullScreen), 1);
    ASSERT_EQ(sprite.CreateSurfaceBuffer(surfaces), 1);
    ASSERT_EQ(sprite.CreateTextureBuffer(textures), 1);
    clearLog();
}

std::string SpriteKit::registerPicture(int i, int width, int height, const std::string& file) {
    const std::string name = file.empty() ? "pic" + std::to_string(i) + ".gpc" : file;
    const auto picture = CoordPicture(width, height);
    EXPECT_TRUE(zktools::WriteBitmapFile(
        name, zktools::BitmapBytes(zktools::BitmapForm::Rgb24, width, height, picture)));
    EXPECT_EQ(sprite.SetSurface(i, "", name.c_str(), 0), 1);
    return name;
}

void SpriteKit::loadPicture(int i, int width, int height, int colorKey, std::uint32_t rgb) {
    registerPicture(i, width, height);
    ASSERT_EQ(sprite.CreateSurface(i, colorKey, rgb), 0);
}

void SpriteKit::loadTexture(int i, int width, int height, const std::vector<std::uint32_t>& pixels,
                            int colorKey, std::uint32_t rgb) {
    const std::string name = "tex" + std::to_string(i) + ".gpc";
    ASSERT_TRUE(zktools::WriteBitmapFile(
        name, zktools::BitmapBytes(zktools::BitmapForm::Rgb24, width, height, pixels)));
    ASSERT_EQ(sprite.SetTexture(i, "", name.c_str(), 0), 1);
    ASSERT_EQ(sprite.CreateTexture(i, colorKey, rgb), 0);
}

void SpriteKit::loadFlatTexture(int i, int width, int height, std::uint32_t xrgb) {
    loadTexture(i, width, height,
                std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, xrgb));
}

void SpriteKit::fillBack(std::uint32_t xrgb) {
    sprite.pBack->fill(sprite.pBack->bounds(),
                       (xrgb >> 16 & 0xFF) | (xrgb & 0xFF00) | (xrgb & 0xFF) << 16);
}

namespace {

std::uint32_t PixelAsXrgb(const platform::Surface& surface, int x, int y) {
    platform::ColorRef color = 0;
    EXPECT_EQ(surface.getPixel(x, y, color), 0);
    return (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
}

}  // namespace

std::uint32_t SpriteKit::backPixel(int x, int y) const { return PixelAsXrgb(*sprite.pBack, x, y); }

std::uint32_t SpriteKit::slotPixel(int i, int x, int y) const {
    return PixelAsXrgb(*sprite.GetSurface(i), x, y);
}

void SpriteKit::onlyModes(const std::vector<platform::VideoMode>& modes) {
    for (const std::int32_t level :
         {platform::kLevelTransformAndLight, platform::kLevelRasterizer, platform::kLevelDefault,
          platform::kLevel2D, platform::kLevelReference}) {
        display.modeLists[level] = modes;
    }
}

}  // namespace zktest
