// The core's own parts besides its entry points.
#pragma once

#include "platform/libretro/api.h"

#include <cstdint>

namespace retrocore {

// What the core tells the frontend as it is handed the environment (no
// content needed, the controllers of each port) and asks of it (its log,
// whether a pad's buttons come in one call). Every round asks again: a
// frontend may hand over a new callback later.
void announce(retro::EnvironmentFunction environment);

// What the frontend is told as the game loads: the pixel format, the names
// of the buttons, the state's quirks. Returns false when the frontend cannot
// take the picture's format.
bool prepareGame(retro::EnvironmentFunction environment);

// With SORVI_FRAME_LOG set to a file name, each frame adds a line to that
// file: its number and a hash of its picture, so that two runs (a netplay
// host and its client) can be compared frame by frame; a loaded state adds
// "load" and the frame it goes on from.
void openFrameLog();
void logFrame(std::uint64_t frame, const std::uint32_t* picture);
void logLoad(std::uint64_t frame);
void closeFrameLog();

} // namespace retrocore
