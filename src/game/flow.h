// The game's top level: one step of its screen state machine per frame.
#pragma once

#include "gfx/surface.h"
#include "platform/platform.h"

namespace game {

// Once at start-up, after the surface exists: seeds the random source with
// the calendar time, clears the key edges, loads the two pictures from
// `module` and detects the joystick. Returns 1.
int gameInit(const platform::Module& module);

// One frame: takes the keyboard and pad snapshots, then runs the current screen and
// draws it into the surface. Returns 1, or 0 when a step cut the frame short.
int gameFrame(gfx::FramebufferSurface& surface);

// A game controller came or went: the joystick is found and calibrated
// again as at start. One that was not there before goes to player 1 while
// the game is still on its title screen; otherwise the slots keep their
// schemes.
void redetectJoystick();

// The window's reset command: the next frame returns to the title.
void requestReset();

// Every value of the game, its input and its drawing state back to how the
// program starts, before gameInit (the loaded pictures are left alone).
void resetToProgramStart();

} // namespace game
