// The window's picture: the frame flipped upright and scaled under the menu
// bar, the menu picture over it, white where nothing reaches.
#include "menubar/compose.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using menubar::measureMenuPicture;
using menubar::MenuPicture;
using menubar::WindowPixels;

// A window's usual picture: the frame scaled to the client area below the
// bar, white wherever neither reaches.
void composeWindow(const WindowPixels& target, const std::uint32_t* frame, int barHeight,
                   int clientWidth, int clientHeight, const MenuPicture& menu) {
    menubar::composeWindow(
        target, frame,
        platform::FramePlacement{0, barHeight, clientWidth, clientHeight, platform::WINDOW_WHITE},
        menu);
}

constexpr int BAR = 20;
constexpr std::uint32_t WHITE = 0x00FFFFFFu;

// Frame pixel (column c, row r counted upward) tells its place apart.
std::vector<std::uint32_t> frameOfPlaces() {
    std::vector<std::uint32_t> frame(320 * 240);
    for (int r = 0; r < 240; ++r) {
        for (int c = 0; c < 320; ++c) {
            frame[r * 320 + c] = static_cast<std::uint32_t>(r << 12 | c);
        }
    }
    return frame;
}

struct Window {
    int width;
    int height;
    int pitch;
    std::vector<std::uint32_t> pixels;
    Window(int w, int h, int extra = 0)
        : width(w), height(h), pitch(w + extra),
          pixels(static_cast<std::size_t>((w + extra) * h), 0x12345678u) {}
    WindowPixels view() { return {pixels.data(), width, height, pitch}; }
    std::uint32_t at(int x, int y) const { return pixels[y * pitch + x]; }
};

// A menu picture 128 rows tall: an opaque bar, then a pop-up at the left.
std::vector<std::uint32_t> menuWithPopup(int popupWidth, int popupRows, int width = 640) {
    std::vector<std::uint32_t> picture(static_cast<std::size_t>(width) * 128, 0);
    for (int y = 0; y < BAR; ++y) {
        for (int x = 0; x < width; ++x) {
            picture[y * width + x] = 0xFF000000u | 0xD4D0C8u;
        }
    }
    for (int y = BAR; y < BAR + popupRows; ++y) {
        for (int x = 0; x < popupWidth; ++x) {
            picture[y * width + x] = 0xFF000000u | 0x0A246Au;
        }
    }
    return picture;
}

TEST(WindowPicture, MenuPicturesAreMeasuredByTheirOpaqueAndShownRows) {
    const std::vector<std::uint32_t> closed = menuWithPopup(0, 0);
    const MenuPicture bar = measureMenuPicture(closed.data(), 640, 128);
    EXPECT_EQ(bar.opaqueRows, BAR);
    EXPECT_EQ(bar.shownRows, BAR);
    const std::vector<std::uint32_t> open = menuWithPopup(100, 30);
    const MenuPicture popup = measureMenuPicture(open.data(), 640, 128);
    EXPECT_EQ(popup.opaqueRows, BAR);
    EXPECT_EQ(popup.shownRows, BAR + 30);
    const std::vector<std::uint32_t> empty(640 * 128, 0);
    const MenuPicture none = measureMenuPicture(empty.data(), 640, 128);
    EXPECT_EQ(none.opaqueRows, 0);
    EXPECT_EQ(none.shownRows, 0);
}

TEST(WindowPicture, TheFrameIsShownUprightAtOneAndTwoTimesItsSize) {
    const std::vector<std::uint32_t> frame = frameOfPlaces();
    const std::vector<std::uint32_t> closed = menuWithPopup(0, 0);
    const MenuPicture menu = measureMenuPicture(closed.data(), 640, 128);

    Window normal(320, 260, 7); // a pitch wider than the window is kept to
    composeWindow(normal.view(), frame.data(), BAR, 320, 240, menu);
    EXPECT_EQ(normal.at(0, 0), 0xD4D0C8u);
    EXPECT_EQ(normal.at(319, BAR - 1), 0xD4D0C8u);
    EXPECT_EQ(normal.at(0, BAR), frame[239 * 320]); // top line, left
    EXPECT_EQ(normal.at(319, 259), frame[319]);     // bottom line, right
    EXPECT_EQ(normal.at(5, BAR + 100), frame[139 * 320 + 5]);
    EXPECT_EQ(normal.pixels[BAR * normal.pitch + 320], 0x12345678u); // past the row

    Window twice(640, 500);
    composeWindow(twice.view(), frame.data(), BAR, 640, 480, menu);
    for (int y : {BAR, BAR + 1, BAR + 201, 499}) {
        for (int x : {0, 1, 333, 639}) {
            ASSERT_EQ(twice.at(x, y), frame[(239 - (y - BAR) / 2) * 320 + x / 2]) << x << ", " << y;
        }
    }
}

TEST(WindowPicture, OtherSizesScaleByNearestPixelAndGapsAreWhite) {
    const std::vector<std::uint32_t> frame = frameOfPlaces();
    const std::vector<std::uint32_t> closed = menuWithPopup(0, 0);
    const MenuPicture menu = measureMenuPicture(closed.data(), 640, 128);
    // A window larger than the client area and the menu picture.
    Window wide(700, 400);
    composeWindow(wide.view(), frame.data(), BAR, 480, 360, menu);
    EXPECT_EQ(wide.at(479, BAR + 359), frame[(239 - 359 * 240 / 360) * 320 + 479 * 320 / 480]);
    EXPECT_EQ(wide.at(100, BAR + 10), frame[(239 - 10 * 240 / 360) * 320 + 100 * 320 / 480]);
    EXPECT_EQ(wide.at(480, BAR + 10), WHITE);
    EXPECT_EQ(wide.at(699, 0), WHITE); // the bar picture ends at 640
    EXPECT_EQ(wide.at(639, 0), 0xD4D0C8u);
    EXPECT_EQ(wide.at(10, BAR + 360), WHITE);
    // Before the first frame the client area is white.
    Window first(320, 260);
    composeWindow(first.view(), nullptr, BAR, 320, 240, menu);
    EXPECT_EQ(first.at(0, BAR), WHITE);
    EXPECT_EQ(first.at(319, 259), WHITE);
    EXPECT_EQ(first.at(0, 0), 0xD4D0C8u);
}

TEST(WindowPicture, AnOpenPopupCoversTheFrameOnlyWhereItIsDrawn) {
    const std::vector<std::uint32_t> frame = frameOfPlaces();
    std::vector<std::uint32_t> open = menuWithPopup(100, 30, 320);
    open[(BAR + 5) * 320 + 50] = 0x80FFFFFFu; // half see-through
    const MenuPicture menu = measureMenuPicture(open.data(), 320, 128);
    Window normal(320, 260);
    composeWindow(normal.view(), frame.data(), BAR, 320, 240, menu);
    EXPECT_EQ(normal.at(0, BAR), 0x0A246Au);
    EXPECT_EQ(normal.at(99, BAR + 29), 0x0A246Au);
    EXPECT_EQ(normal.at(100, BAR), frame[239 * 320 + 100]);
    EXPECT_EQ(normal.at(0, BAR + 30), frame[(239 - 30) * 320]);
    const std::uint32_t under = frame[(239 - 5) * 320 + 50];
    std::uint32_t mixed = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        mixed |= (255u * 0x80 + (under >> shift & 0xFF) * (255 - 0x80)) / 255 << shift;
    }
    EXPECT_EQ(normal.at(50, BAR + 5), mixed);
}

} // namespace
