// The window's picture made from the game's frame and the menu picture,
// in plain memory, so the window needs one copy per frame and no renderer.
#pragma once

#include <cstdint>

namespace menubar {

// 32-bit pixels 0x00RRGGBB, rows top line first, `pitch` pixels apart.
struct WindowPixels {
    std::uint32_t* pixels;
    int width;
    int height;
    int pitch;
};

// The menu picture (0xAARRGGBB, rows top line first, `width` pixels
// apart) and what measureMenuPicture found in it.
struct MenuPicture {
    const std::uint32_t* pixels;
    int width;
    int height;
    int opaqueRows; // leading rows with no transparent pixel
    int shownRows;  // rows down to the last one with anything to show
};

// Finds a menu picture's opaque and shown rows.
MenuPicture measureMenuPicture(const std::uint32_t* pixels, int width, int height);

// Where the frame goes in the window: its top-left corner, the size it is
// scaled to (nearest pixel), and the colour wherever it does not reach.
struct FramePlacement {
    int x;
    int y;
    int width;
    int height;
    std::uint32_t background;
};

constexpr std::uint32_t WINDOW_WHITE = 0x00FFFFFFu;
constexpr std::uint32_t WINDOW_BLACK = 0x00000000u;

// The window: the frame (320 by 240, bottom line first; null before the
// first frame, which shows the background) where `at` places it, the menu
// picture laid over the top.
void composeWindow(const WindowPixels& target, const std::uint32_t* frame, const FramePlacement& at,
                   const MenuPicture& menu);

// A window's usual picture: the frame scaled to the client area below the
// menu bar, white wherever neither reaches.
inline void composeWindow(const WindowPixels& target, const std::uint32_t* frame, int barHeight,
                          int clientWidth, int clientHeight, const MenuPicture& menu) {
    composeWindow(target, frame,
                  FramePlacement{0, barHeight, clientWidth, clientHeight, WINDOW_WHITE}, menu);
}

// Fullscreen: the frame scaled by the largest whole factor that fits the
// screen (at least 1) and centred on black.
FramePlacement centredPlacement(int screenWidth, int screenHeight);

} // namespace menubar
