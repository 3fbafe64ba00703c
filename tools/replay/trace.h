// One JSON line of the game's whole state after a frame.
#pragma once

#include "gfx/pixel.h"

#include <cstdint>
#include <cstdio>

namespace replay {

// 64-bit FNV-1a of the framebuffer's 307,200 bytes.
std::uint64_t hashFramebuffer(const gfx::Pixel* pixels);

// Writes the trace line of frame `frame` to `out`; with `pixels` the line
// ends with the framebuffer hash.
void writeTrace(std::FILE* out, long frame, const gfx::Pixel* pixels);

// Writes the picture as a binary PPM, top row first. Returns false on failure.
bool writePpm(const char* path, const gfx::Pixel* pixels);

} // namespace replay
