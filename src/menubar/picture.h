// The drawn menu as a picture, made with the game's own glyphs.
#pragma once

#include "menubar/state.h"

#include <cstdint>

namespace menubar {

// Draws the bar `width` pixels wide and the open pop-up into `pixels`
// (0xAARRGGBB, `width` per row, MENU_PICTURE_HEIGHT rows, top row first);
// everything outside them is transparent.
void drawMenuPicture(const MenuState& state, int width, std::uint32_t* pixels);

} // namespace menubar
