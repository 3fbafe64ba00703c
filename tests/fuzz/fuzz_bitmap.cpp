// Arbitrary bytes as the game's bitmap resources: the loader must reject
// what it cannot read (with the blank fallback) and expand what it can
// exactly; then the backdrop scroll and the blitter run over the result
// with requests taken from the input's tail, and must stay inside their
// images and agree with the plain reference blitter.
#include "check.h"
#include "support/reference_blit.h"
#include "tail_reader.h"

#include "gfx/backdrop.h"
#include "gfx/bitmap_loader.h"
#include "gfx/blit.h"
#include "gfx/images.h"
#include "platform/headless/headless.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

using fuzz::require;
using gfx::Image;
using gfx::Pixel;

// Exactly a frame each, so ASan sees any write beside them.
Pixel frame[gfx::FRAME_PIXELS];
Pixel expected[gfx::FRAME_PIXELS];

std::int32_t int32At(const std::uint8_t* at) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
        static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24);
}

// The shape the loader accepts, worked out on its own here.
bool acceptable(const std::uint8_t* data, std::size_t size) {
    if (size < static_cast<std::size_t>(gfx::BITMAP_PIXEL_OFFSET)) {
        return false;
    }
    const std::int64_t width = int32At(data + 4);
    const std::int64_t height = int32At(data + 8);
    if (width <= 0 || height <= 0 || width % 4 != 0) {
        return false;
    }
    return static_cast<std::uint64_t>(width * height) <= size - gfx::BITMAP_PIXEL_OFFSET;
}

// `image` is the first of `loads` loads of the same bytes.
void checkLoaded(const Image& image, const std::uint8_t* data, std::size_t size, int loads) {
    require(image.pixels != nullptr, "a loaded image has its pixels");
    if (!acceptable(data, size)) {
        require(image.width == 64 && image.height == 64, "a rejected bitmap gives 64 by 64");
        for (int i = 0; i < 64 * 64; ++i) {
            require(image.pixels[i] == 0, "the fallback image is black");
        }
        require(headless::messageCount() == loads, "each rejected load shows one message");
        for (int k = 0; k < loads; ++k) {
            require(std::strcmp(headless::message(k).text, gfx::LOAD_RESOURCE_ERROR) == 0,
                    "a rejected bitmap says LoadResource Error");
        }
        return;
    }
    require(headless::messageCount() == 0, "an accepted bitmap shows no message");
    require(image.width == int32At(data + 4) && image.height == int32At(data + 8),
            "an accepted bitmap keeps its header's size");
    const std::size_t count =
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* colour =
            data + gfx::BITMAP_PALETTE_OFFSET +
            4 * static_cast<std::size_t>(data[gfx::BITMAP_PIXEL_OFFSET + i]);
        require(image.pixels[i] == gfx::makePixel(colour[2], colour[1], colour[0]),
                "each pixel is its palette entry");
    }
}

bool sameImage(const Image& a, const Image& b) {
    if (a.width != b.width || a.height != b.height) {
        return false;
    }
    const std::size_t count =
        static_cast<std::size_t>(a.width) * static_cast<std::size_t>(a.height);
    return std::memcmp(a.pixels, b.pixels, count * sizeof(Pixel)) == 0;
}

// Backdrop column b lands in frame column (b + offset) mod 320; rows the
// backdrop lacks, and columns past its width, read black.
void checkScrolled() {
    const int offset = gfx::backdropOffset;
    const Image& b = gfx::Backdrop;
    const int columns = b.pixels == nullptr ? 0 : std::min(b.width, gfx::FRAME_WIDTH);
    const int rows = b.pixels == nullptr ? 0 : std::min(b.height, gfx::FRAME_HEIGHT);
    const int first = std::min(columns, gfx::FRAME_WIDTH - offset); // before the wrap
    Pixel row[gfx::FRAME_WIDTH];
    for (int r = 0; r < gfx::FRAME_HEIGHT; ++r) {
        std::memset(row, 0, sizeof row);
        if (r < rows) {
            const Pixel* source = b.pixels + static_cast<std::size_t>(r) * b.width;
            std::memcpy(row + offset, source, first * sizeof(Pixel));
            std::memcpy(row, source + first, (columns - first) * sizeof(Pixel));
        }
        require(std::memcmp(frame + r * gfx::FRAME_WIDTH, row, sizeof row) == 0,
                "the scrolled frame is the backdrop shifted by its offset");
    }
}

// A coordinate at or beyond the edges of a span `extent` long for a
// rectangle `size` long, or anywhere in a wide range around it.
std::int32_t coordinate(fuzz::TailReader& in, int extent, int size) {
    const std::int32_t edges[] = {
        -size - 1,         -size,         -size + 1,         -1,         0,      1,
        extent - size - 1, extent - size, extent - size + 1, extent - 1, extent, extent + 1};
    const int pick = in.byte() % 16;
    if (pick < 12) {
        return edges[pick];
    }
    return in.int16();
}

// Mostly sprite-sized, sometimes empty or negative, sometimes wider than
// the screen and the sheet.
std::int32_t extent(fuzz::TailReader& in) {
    const int pick = in.byte() % 8;
    const int raw = in.byte();
    if (pick == 0) {
        return static_cast<std::int8_t>(raw);
    }
    if (pick < 5) {
        return 1 + raw % 32;
    }
    if (pick < 7) {
        return 1 + raw % 128;
    }
    return 256 + raw % 80;
}

gfx::BlitRequest request(fuzz::TailReader& in, Pixel* target) {
    gfx::BlitRequest r{};
    r.target = target;
    r.width = extent(in);
    r.height = extent(in);
    r.x = coordinate(in, gfx::FRAME_WIDTH, r.width);
    r.y = coordinate(in, gfx::FRAME_HEIGHT, r.height);
    r.srcX = coordinate(in, gfx::SpriteSheet.width, r.width);
    r.srcY = coordinate(in, gfx::SpriteSheet.height, r.height);
    r.orientation = static_cast<std::int8_t>(in.byte()); // any value: only the low two bits turn
    r.blendMode = in.byte() % 6 - 1;                     // the four modes and one beyond each end
    return r;
}

void drawOver(const std::uint8_t* data, std::size_t size) {
    fuzz::TailReader in{data, size};
    gfx::backdropOffset = in.int16() % gfx::FRAME_WIDTH;
    if (gfx::backdropOffset < 0) {
        gfx::backdropOffset += gfx::FRAME_WIDTH;
    }
    require(gfx::scrollBackdrop(frame) == 1, "scrollBackdrop returns 1");
    checkScrolled();

    gfx::translucentAlpha = in.int16();
    std::memcpy(expected, frame, sizeof frame);
    const int requests = 1 + in.byte() % 6;
    for (int k = 0; k < requests; ++k) {
        const gfx::BlitRequest r = request(in, frame);
        require(gfx::blit(r) == 1, "blit returns 1");
        gfx::BlitRequest same = r;
        same.target = expected;
        testsupport::referenceBlit(same, gfx::SpriteSheet, gfx::translucentAlpha);
    }
    require(std::memcmp(frame, expected, sizeof frame) == 0,
            "blit draws what the reference blitter draws");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    headless::reset();
    headless::setEchoMessages(false); // rejected inputs are the common case here

    const platform::ResourceEntry entries[] = {
        {gfx::SPRITE_SHEET_ID, platform::ResourceKind::Bitmap, data, size},
        {gfx::BACKDROP_ID, platform::ResourceKind::Bitmap, data, size},
    };
    const platform::Module module{entries, 2};

    // The backdrop is loaded first, then the sheet: both through the loader.
    gfx::loadImages(module);
    checkLoaded(gfx::Backdrop, data, size, 2);
    require(sameImage(gfx::SpriteSheet, gfx::Backdrop),
            "the sheet is what the loader made of the same bytes");

    const std::int32_t savedOffset = gfx::backdropOffset;
    const std::int32_t savedAlpha = gfx::translucentAlpha;
    drawOver(data, size);
    gfx::backdropOffset = savedOffset;
    gfx::translucentAlpha = savedAlpha;

    gfx::releaseImages();
    require(gfx::SpriteSheet.pixels == nullptr && gfx::Backdrop.pixels == nullptr,
            "released images are forgotten");
    return 0;
}
