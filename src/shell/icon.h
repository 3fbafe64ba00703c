// The window icon: resource 106, a 32 by 32 palette bitmap.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>

namespace shell {

using IconPixels = std::uint32_t[platform::ICON_SIZE * platform::ICON_SIZE];

// Decodes an icon resource (a bitmap information header, its palette and
// 1-, 4- or 8-bit rows, bottom row first, optionally followed by the AND
// mask of an icon of twice the height) into 0xAARRGGBB pixels, top row
// first. Returns 0 for anything else, or when the bytes are too few.
int decodeIcon(const std::uint8_t* bytes, std::size_t size, IconPixels& out);

// Finds and decodes icon `id` of `module`. Returns 0 when it is missing or
// cannot be decoded.
int loadIcon(const platform::Module& module, int id, IconPixels& out);

} // namespace shell
