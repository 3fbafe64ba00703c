// What the libretro platform's services share: the frontend's callbacks,
// the controller ports and the frame counter that stands for the clock.
#pragma once

#include "platform/libretro/api.h"

#include <cstdint>

namespace retroplatform {

// The callbacks the frontend handed over; null until it does.
struct Frontend {
    retro::EnvironmentFunction environment;
    retro::VideoRefreshFunction video;
    retro::AudioSampleBatchFunction audio;
    retro::InputPollFunction poll;
    retro::InputStateFunction input;
    retro::LogFunction log;
    bool inputBitmasks; // the pad's buttons can be read in one call
};
Frontend& frontend();

// The device on each controller port (a RetroPad unless the frontend says
// otherwise); ports past the players' are never read.
constexpr unsigned PORTS = 3;
void setPortDevice(unsigned port, unsigned device);
unsigned portDevice(unsigned port);

// Frames run since the game started; the clock reads it, so time is the
// same on every run of the same frames (a state carries it).
std::uint64_t frameCount();
void setFrameCount(std::uint64_t frames);
void countFrame();

// Reads the keyboard device into the shared keyboard: a key found down is
// pressed, one found up released. Once per frame, after the frontend's poll.
void readKeyboard();

// The virtual-key code of a frontend key code, or 0 for a key the game
// has no code for.
int virtualKeyOf(unsigned key);

// The last picture handed to the frontend, top row first, 0x00RRGGBB.
const std::uint32_t* shownPicture();

// Back to how the library was loaded: callbacks, ports, counter, and the
// window with its queue (resetWindow alone).
void resetPlatform();
void resetWindow();

} // namespace retroplatform
