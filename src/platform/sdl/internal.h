// State the SDL platform's files share.
#pragma once

#include "platform/drawn/window.h"
#include "platform/platform.h"

#include <SDL.h>

namespace sdlplatform {

// The window, or null before it is created and after it is destroyed.
SDL_Window* window();

// The platform's own source of the window's messages.
bool pollEvent(platform::Message& message);
drawn::Wait waitForEvent(platform::Message& message);

// The virtual-key code of a key, or 0 for a key the game has no code for.
int virtualKeyOf(SDL_Scancode scancode, SDL_Keycode keycode);

// A device came or went: the joystick lets go of one that is gone.
void joystickDevicesChanged();

// In fullscreen the pointer hides after 2 s without moving.
void pointerMoved();
void hideIdlePointer();
void showPointer();

} // namespace sdlplatform
