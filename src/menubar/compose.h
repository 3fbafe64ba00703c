// The window's picture made from the game's frame and the menu picture,
// in plain memory, so the window needs one copy per frame and no renderer.
#pragma once

#include "platform/placement.h"

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

// The window: the frame (320 by 240, bottom line first; null before the
// first frame, which shows the background) where `at` places it, the menu
// picture laid over the top.
void composeWindow(const WindowPixels& target, const std::uint32_t* frame,
                   const platform::FramePlacement& at, const MenuPicture& menu);

} // namespace menubar
