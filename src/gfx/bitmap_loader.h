// Expands the program's 8-bit palette bitmaps into 32-bit images.
#pragma once

#include "gfx/image.h"
#include "platform/platform.h"

namespace gfx {

constexpr int BITMAP_PALETTE_OFFSET = 40;
constexpr int BITMAP_PIXEL_OFFSET = 1064;

inline constexpr char LOADER_CAPTION[] = "Sorvi Kadra99 ";
inline constexpr char FIND_RESOURCE_ERROR[] = "FindResource Error";
inline constexpr char LOAD_RESOURCE_ERROR[] = "LoadResource Error";

// Builds an image from bitmap resource `id` of `module`. Never fails: a
// missing or unusable resource is reported in a message box and gives a
// blank 64 by 64 image.
Image loadBitmapImage(int id, const platform::Module& module);

} // namespace gfx
