// Where the frame goes on a screen larger than the game: whole factors
// only, so that every game pixel is a square of whole screen pixels.
#pragma once

#include <cstdint>

namespace platform {

// The frame's top-left corner in a window, the size it is scaled to
// (nearest pixel), and the colour wherever it does not reach.
struct FramePlacement {
    int x;
    int y;
    int width;
    int height;
    std::uint32_t background;
};

constexpr std::uint32_t WINDOW_WHITE = 0x00FFFFFFu;
constexpr std::uint32_t WINDOW_BLACK = 0x00000000u;

// The largest whole factor at which the frame fits `width` by `height`;
// at least 1, however small the space.
int largestWholeFactor(int width, int height);

// The whole factor nearest to `scale` (a monitor's scale, or a wanted size
// over the frame's), a tie going to the larger; at least 1.
int nearestWholeFactor(double scale);

// Fullscreen: the frame at the largest whole factor that fits the screen,
// centred on black.
FramePlacement centredPlacement(int screenWidth, int screenHeight);

} // namespace platform
