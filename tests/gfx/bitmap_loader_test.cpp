#include "gfx/bitmap_loader.h"
#include "gfx/images.h"
#include "platform/headless/headless.h"
#include "support/bitmap_bytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using gfx::Image;
using platform::Module;
using platform::ResourceEntry;
using platform::ResourceKind;

class BitmapLoader : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::reset();
        headless::setEchoMessages(false);
    }

    // Loads `bytes` as bitmap 103 of a module of our own. The bytes live in
    // a block of exactly their size, so ASan catches any read past them.
    Image load(const std::vector<std::uint8_t>& bytes) {
        block.assign(bytes.begin(), bytes.end());
        block.shrink_to_fit();
        entry = ResourceEntry{103, ResourceKind::Bitmap, block.data(), block.size()};
        return gfx::loadBitmapImage(103, Module{&entry, 1});
    }

    static void expectFallback(const Image& image, const char* message) {
        EXPECT_EQ(image.width, 64);
        EXPECT_EQ(image.height, 64);
        ASSERT_NE(image.pixels, nullptr);
        for (int i = 0; i < 64 * 64; ++i) {
            ASSERT_EQ(image.pixels[i], 0u);
        }
        ASSERT_EQ(headless::messageCount(), 1);
        EXPECT_STREQ(headless::message(0).text, message);
        EXPECT_STREQ(headless::message(0).caption, "Sorvi Kadra99 ");
        gfx::releaseImage(image);
    }

    std::vector<std::uint8_t> block;
    ResourceEntry entry{};
};

TEST_F(BitmapLoader, ExpandsThePaletteKeepingRowsBottomUp) {
    const Image image = load(testsupport::makeBitmapResource(256, 160));
    ASSERT_EQ(image.width, 256);
    ASSERT_EQ(image.height, 160);
    EXPECT_EQ(headless::messageCount(), 0);
    for (int r = 0; r < 160; ++r) {
        for (int c = 0; c < 256; ++c) {
            const int k = (c + 3 * r) % 256;
            ASSERT_EQ(image.pixels[r * 256 + c], gfx::makePixel(k / 2, 255 - k, k))
                << c << "," << r;
        }
    }
    gfx::releaseImage(image);
}

TEST_F(BitmapLoader, BlackEntryWithReservedByteGivesAnAllZeroPixelAndIndex255IsTheLastEntry) {
    std::vector<std::uint8_t> bytes = testsupport::makeBitmapResource(4, 1);
    bytes[40] = bytes[41] = bytes[42] = 0; // entry 0: black
    bytes[43] = 255;
    bytes[1060] = 9; // entry 255
    bytes[1061] = 8;
    bytes[1062] = 7;
    bytes[1064] = 0;
    bytes[1065] = 255;
    const Image image = load(bytes);
    EXPECT_EQ(image.pixels[0], 0u);
    EXPECT_EQ(image.pixels[1], gfx::makePixel(7, 8, 9));
    gfx::releaseImage(image);
}

TEST_F(BitmapLoader, MissingResourceIsAFindError) {
    entry = ResourceEntry{105, ResourceKind::Bitmap, nullptr, 0};
    expectFallback(gfx::loadBitmapImage(103, Module{&entry, 1}), "FindResource Error");
}

TEST_F(BitmapLoader, OnlyTheLow16BitsOfTheIdCount) {
    const std::vector<std::uint8_t> bytes = testsupport::makeBitmapResource(4, 4);
    entry = ResourceEntry{103, ResourceKind::Bitmap, bytes.data(), bytes.size()};
    const Image image = gfx::loadBitmapImage(0x10000 + 103, Module{&entry, 1});
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(headless::messageCount(), 0);
    gfx::releaseImage(image);
}

TEST_F(BitmapLoader, ResourceThatCannotBeLoadedIsALoadError) {
    entry = ResourceEntry{103, ResourceKind::Bitmap, nullptr, 0};
    expectFallback(gfx::loadBitmapImage(103, Module{&entry, 1}), "LoadResource Error");
}

TEST_F(BitmapLoader, MalformedResourcesAreLoadErrorsWithoutReadingPastTheirBytes) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<std::uint8_t> shortPixels = testsupport::makeBitmapResource(8, 8);
    shortPixels.pop_back();
    std::vector<std::uint8_t> shortHeader(1063, 0);
    // A header claiming far more pixels than the resource holds.
    std::vector<std::uint8_t> huge = testsupport::makeBitmapResource(4, 4);
    huge[4] = 0xFC;
    huge[5] = huge[6] = huge[8] = huge[9] = huge[10] = 0xFF;
    huge[7] = huge[11] = 0x7F;
    const std::vector<Case> cases = {
        {"one pixel byte short", shortPixels},
        {"shorter than header and palette", shortHeader},
        {"empty", std::vector<std::uint8_t>{}},
        {"width 0", testsupport::makeBitmapResource(0, 8)},
        {"height 0", testsupport::makeBitmapResource(8, 0)},
        {"negative width", testsupport::makeBitmapResource(-8, 8)},
        {"negative height (top-down)", testsupport::makeBitmapResource(8, -8)},
        {"width not a multiple of 4", testsupport::makeBitmapResource(6, 8)},
        {"huge size claimed", huge},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        headless::reset();
        headless::setEchoMessages(false);
        expectFallback(load(c.bytes), "LoadResource Error");
    }
}

TEST_F(BitmapLoader, ExtraBytesAfterThePixelsAreIgnored) {
    std::vector<std::uint8_t> bytes = testsupport::makeBitmapResource(4, 2);
    bytes.insert(bytes.end(), 100, 0xEE);
    const Image image = load(bytes);
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(headless::messageCount(), 0);
    gfx::releaseImage(image);
}

TEST(ProgramImages, BothPicturesLoadFromTheEmbeddedResourcesInOrder) {
    headless::reset();
    gfx::loadImages(platform::programModule());
    EXPECT_EQ(headless::messageCount(), 0);
    EXPECT_EQ(gfx::Backdrop.width, 320);
    EXPECT_EQ(gfx::Backdrop.height, 240);
    EXPECT_EQ(gfx::SpriteSheet.width, 256);
    EXPECT_EQ(gfx::SpriteSheet.height, 160);
    gfx::releaseImages();
    EXPECT_EQ(gfx::Backdrop.pixels, nullptr);
    EXPECT_EQ(gfx::SpriteSheet.pixels, nullptr);
}

TEST(ProgramImages, EachMissingPictureReportsItselfBackdropFirst) {
    headless::reset();
    headless::setEchoMessages(false);
    const ResourceEntry only{103, ResourceKind::Bitmap, nullptr, 0};
    gfx::loadImages(Module{&only, 1});
    ASSERT_EQ(headless::messageCount(), 2);
    EXPECT_STREQ(headless::message(0).text, "FindResource Error");
    EXPECT_STREQ(headless::message(1).text, "LoadResource Error");
    EXPECT_EQ(gfx::Backdrop.width, 64);
    gfx::releaseImages();
}

TEST(ProgramResources, EmbeddedBitmapsHaveTheExactSizes) {
    const Module& module = platform::programModule();
    platform::ResourceBytes sheet{};
    platform::ResourceBytes backdrop{};
    ASSERT_EQ(platform::loadResource(
                  module, platform::findResource(module, 103, ResourceKind::Bitmap), sheet),
              1);
    ASSERT_EQ(platform::loadResource(
                  module, platform::findResource(module, 105, ResourceKind::Bitmap), backdrop),
              1);
    EXPECT_EQ(sheet.size, 42024u);
    EXPECT_EQ(backdrop.size, 77864u);
    EXPECT_EQ(platform::findResource(module, 106, ResourceKind::Bitmap), 0u);
    EXPECT_NE(platform::findResource(module, 106, ResourceKind::Icon), 0u);
}

} // namespace
