// The game's picture as the host hands it to a platform: 320 by 240
// pixels of 4 bytes, 0x00RRGGBB, bottom row first.
#pragma once

#include <cstddef>

namespace platform {

constexpr int FRAME_WIDTH = 320;
constexpr int FRAME_HEIGHT = 240;
constexpr int FRAME_PIXELS = FRAME_WIDTH * FRAME_HEIGHT;
constexpr std::size_t FRAME_BYTES = FRAME_PIXELS * 4;

} // namespace platform
