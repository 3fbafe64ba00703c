// Writes Images as a Windows icon file: each image 32-bit with alpha and an
// AND mask (set where the pixel is transparent), as icon resources hold
// them; from 128 pixels on, PNG.
#pragma once

#include "image.h"

#include <cstdint>
#include <vector>

namespace icon {

// The whole file's bytes, one entry per image (each at most 256 square);
// empty when there is no image or one is empty or too large.
std::vector<std::uint8_t> encodeIco(const std::vector<Image>& images);

} // namespace icon
