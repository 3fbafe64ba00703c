// The icon tool's parts: bitmap reading, nearest scaling and the PNG bytes,
// the last read back by a small decoder of stored deflate blocks.
#include "bmp_reader.h"
#include "image.h"
#include "png_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::size_t at, unsigned v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}

// A bitmap file: headers, `palette` (0xRRGGBB each) and `rows` as stored.
Bytes bitmap(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
             const Bytes& rows) {
    Bytes b(54 + palette.size() * 4, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 10, static_cast<std::uint32_t>(b.size()));
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(width));
    put32(b, 22, static_cast<std::uint32_t>(height));
    put16(b, 26, 1);
    put16(b, 28, static_cast<unsigned>(bits));
    put32(b, 46, static_cast<std::uint32_t>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        put32(b, 54 + i * 4, palette[i]);
    }
    b.insert(b.end(), rows.begin(), rows.end());
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
}

icon::Image read(const Bytes& file) {
    icon::Image image;
    std::string error;
    EXPECT_TRUE(icon::readBmp(file, image, error)) << error;
    return image;
}

std::string refusal(const Bytes& file) {
    icon::Image image;
    std::string error;
    return icon::readBmp(file, image, error) ? "accepted" : error;
}

TEST(IconBitmap, PaletteDepthsAndRowOrder) {
    // 4 bits, 3 by 2, bottom row stored first, rows padded to 4 bytes.
    const Bytes four = bitmap(3, 2, 4, {0x000000, 0xFF0000, 0x00FF00, 0x0000FF},
                              {0x12, 0x30, 0, 0, 0x21, 0x00, 0, 0});
    icon::Image image = read(four);
    ASSERT_EQ(image.width, 3);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0xFF00FF00, 0xFFFF0000, 0xFF000000,
                                                        0xFFFF0000, 0xFF00FF00, 0xFF0000FF}));

    // The same picture top-down (negative height) reads the other way up.
    Bytes topDown = four;
    put32(topDown, 22, static_cast<std::uint32_t>(-2));
    EXPECT_EQ(read(topDown).pixels[0], 0xFFFF0000u);

    // 1 bit: the leftmost pixel is the high bit.
    const icon::Image mono = read(bitmap(9, 1, 1, {0x000000, 0xFFFFFF}, {0x80, 0x80, 0, 0}));
    EXPECT_EQ(mono.pixels[0], 0xFFFFFFFFu);
    EXPECT_EQ(mono.pixels[1], 0xFF000000u);
    EXPECT_EQ(mono.pixels[8], 0xFFFFFFFFu);

    // 8 bits.
    EXPECT_EQ(read(bitmap(1, 1, 8, {0x000000, 0x123456}, {1, 0, 0, 0})).pixels[0], 0xFF123456u);
}

TEST(IconBitmap, TrueColourWithRowPadding) {
    // 24 bits, 2 by 2: rows of 6 bytes padded to 8; blue, green, red order.
    const icon::Image rgb =
        read(bitmap(2, 2, 24, {}, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}));
    EXPECT_EQ(rgb.pixels,
              (std::vector<std::uint32_t>{0xFF090807, 0xFF0C0B0A, 0xFF030201, 0xFF060504}));
    const icon::Image argb = read(bitmap(1, 1, 32, {}, {1, 2, 3, 0}));
    EXPECT_EQ(argb.pixels[0], 0xFF030201u);
}

TEST(IconBitmap, RefusesWhatItCannotReadWithoutReadingPastTheEnd) {
    const Bytes good = bitmap(3, 2, 4, {0, 0xFF0000}, {0x11, 0x10, 0, 0, 0x01, 0x10, 0, 0});
    ASSERT_EQ(refusal(good), "accepted");

    EXPECT_EQ(refusal(Bytes(good.begin(), good.begin() + 20)), "not a bitmap file");
    Bytes notBm = good;
    notBm[0] = 'X';
    EXPECT_EQ(refusal(notBm), "not a bitmap file");
    EXPECT_EQ(refusal(Bytes(good.begin(), good.end() - 1)), "the pixel rows are cut short");

    Bytes compressed = good;
    put32(compressed, 30, 2);
    EXPECT_EQ(refusal(compressed), "compressed bitmaps are not supported");
    Bytes sixteen = good;
    put16(sixteen, 28, 16);
    EXPECT_EQ(refusal(sixteen), "unsupported bits per pixel");
    Bytes zeroWide = good;
    put32(zeroWide, 18, 0);
    EXPECT_EQ(refusal(zeroWide), "bad width or height");
    // A corrupt size must not turn into a huge allocation or a wrapped offset.
    Bytes huge = good;
    put32(huge, 18, 0x7FFFFFFF);
    put32(huge, 22, 0x7FFFFFFF);
    EXPECT_EQ(refusal(huge), "bad width or height");
    Bytes tall = good;
    put32(tall, 22, 4000);
    EXPECT_EQ(refusal(tall), "the pixel rows are cut short");
    Bytes lateRows = good;
    put32(lateRows, 10, 0xFFFFFFF0u);
    EXPECT_EQ(refusal(lateRows), "the pixel rows are cut short");
    Bytes bigHeader = good;
    put32(bigHeader, 14, 0xFFFFFFF0u);
    EXPECT_EQ(refusal(bigHeader), "unknown bitmap header");

    // Two palette entries; index 3 is beyond them.
    EXPECT_EQ(refusal(bitmap(1, 1, 4, {0, 0xFF0000}, {0x30, 0, 0, 0})),
              "a pixel names a colour beyond the palette");
}

TEST(IconImage, BlackBecomesTransparent) {
    icon::Image image{2, 1, {0xFF000000, 0xFF010000}};
    icon::makeTransparent(image, 0x000000);
    EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{0, 0xFF010000}));
}

TEST(IconImage, NearestScaling) {
    icon::Image source{4, 4, {}};
    for (std::uint32_t i = 0; i < 16; ++i) {
        source.pixels.push_back(i);
    }
    // Whole factors up: blocks of the same pixel.
    const icon::Image up = icon::scaleNearest(source, 8, 12);
    ASSERT_EQ(up.pixels.size(), 96u);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 8; ++x) {
            ASSERT_EQ(up.pixels[static_cast<std::size_t>(y * 8 + x)],
                      static_cast<std::uint32_t>(y / 3 * 4 + x / 2))
                << x << "," << y;
        }
    }
    // Down by two: one pixel of each 2 by 2 block, never a mix.
    EXPECT_EQ(icon::scaleNearest(source, 2, 2).pixels, (std::vector<std::uint32_t>{5, 7, 13, 15}));
    // By one and a half: every source column shows, none is skipped.
    const icon::Image odd = icon::scaleNearest(source, 6, 1);
    EXPECT_EQ(odd.pixels, (std::vector<std::uint32_t>{8, 9, 9, 10, 11, 11}));
    EXPECT_TRUE(icon::scaleNearest(source, 0, 4).pixels.empty());
    EXPECT_TRUE(icon::scaleNearest(icon::Image{4, 5, source.pixels}, 8, 8).pixels.empty());
}

TEST(IconPng, Checksums) {
    const char* digits = "123456789";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(digits);
    EXPECT_EQ(icon::crc32(bytes, 9), 0xCBF43926u);
    EXPECT_EQ(icon::adler32(bytes, 9), 0x091E01DEu);
    EXPECT_EQ(icon::adler32(nullptr, 0), 1u);
    // Adler-32's sums wrap at 65521: a long run of 0xFF bytes crosses it.
    const Bytes ones(100000, 0xFF);
    std::uint64_t a = 1, b = 0;
    for (std::uint8_t byte : ones) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(icon::adler32(ones.data(), ones.size()), static_cast<std::uint32_t>(b << 16 | a));
}

std::uint32_t be32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) << 24 | static_cast<std::uint32_t>(b[at + 1]) << 16 |
           static_cast<std::uint32_t>(b[at + 2]) << 8 | b[at + 3];
}

// Reads back a PNG of stored deflate blocks, checking every length, check
// value and CRC on the way; fails the test on the first thing wrong.
icon::Image decodeStoredPng(const Bytes& png) {
    icon::Image image;
    const Bytes signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(png.size() > 8 && std::equal(signature.begin(), signature.end(), png.begin()));
    Bytes zlib;
    std::vector<std::string> order;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = be32(png, at);
        const std::string type(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                               png.begin() + static_cast<std::ptrdiff_t>(at + 8));
        EXPECT_LE(at + 12 + length, png.size());
        EXPECT_EQ(be32(png, at + 8 + length), icon::crc32(png.data() + at + 4, length + 4)) << type;
        order.push_back(type);
        if (type == "IHDR") {
            image.width = static_cast<int>(be32(png, at + 8));
            image.height = static_cast<int>(be32(png, at + 12));
            EXPECT_EQ(Bytes(png.begin() + static_cast<std::ptrdiff_t>(at + 16),
                            png.begin() + static_cast<std::ptrdiff_t>(at + 21)),
                      (Bytes{8, 6, 0, 0, 0}));
        } else if (type == "IDAT") {
            zlib.insert(zlib.end(), png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                        png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        }
        at += 12 + length;
    }
    EXPECT_EQ(order, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0);

    Bytes raw;
    std::size_t at = 2;
    for (bool last = false; !last;) {
        last = (zlib.at(at) & 1) != 0;
        EXPECT_EQ(zlib[at] & 6, 0) << "not a stored block";
        const unsigned length = zlib.at(at + 1) | zlib.at(at + 2) << 8;
        const unsigned inverse = zlib.at(at + 3) | zlib.at(at + 4) << 8;
        EXPECT_EQ(length ^ 0xFFFFu, inverse);
        raw.insert(raw.end(), zlib.begin() + static_cast<std::ptrdiff_t>(at + 5),
                   zlib.begin() + static_cast<std::ptrdiff_t>(at + 5 + length));
        at += 5 + length;
    }
    EXPECT_EQ(at + 4, zlib.size());
    EXPECT_EQ(be32(zlib, at), icon::adler32(raw.data(), raw.size()));

    const std::size_t stride = 1 + 4 * static_cast<std::size_t>(image.width);
    EXPECT_EQ(raw.size(), stride * static_cast<std::size_t>(image.height));
    for (std::size_t row = 0; row * stride < raw.size(); ++row) {
        EXPECT_EQ(raw[row * stride], 0) << "filter of row " << row;
        for (std::size_t i = 1; i + 3 < stride; i += 4) {
            const std::uint8_t* p = raw.data() + row * stride + i;
            image.pixels.push_back(static_cast<std::uint32_t>(p[3]) << 24 |
                                   static_cast<std::uint32_t>(p[0]) << 16 |
                                   static_cast<std::uint32_t>(p[1]) << 8 | p[2]);
        }
    }
    return image;
}

TEST(IconPng, ReadsBackPixelForPixel) {
    // 256 by 256 needs several stored blocks, each at most 65535 bytes.
    for (const int side : {1, 16, 181, 256}) {
        icon::Image image{side, side, {}};
        for (int i = 0; i < side * side; ++i) {
            image.pixels.push_back(static_cast<std::uint32_t>(i) * 2654435761u);
        }
        const icon::Image back = decodeStoredPng(icon::encodePng(image));
        EXPECT_EQ(back.width, side);
        EXPECT_EQ(back.height, side);
        EXPECT_TRUE(back.pixels == image.pixels) << side;
    }
    EXPECT_TRUE(icon::encodePng(icon::Image{}).empty());
    EXPECT_TRUE(icon::encodePng(icon::Image{2, 2, {1, 2, 3}}).empty());
}

} // namespace
