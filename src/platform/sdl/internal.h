// State the SDL platform's files share.
#pragma once

#include "platform/drawn/window.h"
#include "platform/key_positions.h"
#include "platform/platform.h"

#include <SDL.h>

namespace sdlplatform {

// The window, or null before it is created and after it is destroyed.
SDL_Window* window();

// Puts the window back at its corner once the window manager's frame is
// known again after fullscreen.
void settlePlace();

// The platform's own source of the window's messages.
bool pollEvent(platform::Message& message);
drawn::Wait waitForEvent(platform::Message& message);

// Where a key sits, in the shared key table (null for a key of none of
// ours), and its virtual-key code (0 for none).
const platform::KeyPosition* keyAt(SDL_Scancode scancode);
int virtualKeyOf(SDL_Scancode scancode, SDL_Keycode keycode);

// A device came or went: the joystick lets go of one that is gone.
void joystickDevicesChanged();

// In fullscreen the pointer hides after 2 s without moving.
void pointerMoved();
void hideIdlePointer();
void showPointer();

} // namespace sdlplatform
