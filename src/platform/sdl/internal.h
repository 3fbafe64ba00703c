// State the SDL platform's files share.
#pragma once

#include "platform/platform.h"

#include <SDL.h>

namespace sdlplatform {

// The window, or null before it is created and after it is destroyed.
SDL_Window* window();

// Draws the last frame and the menu picture again (an uncovered window).
void redraw();

// Stops drawing from `memory`, the last frame's pixels, before it is freed.
void forgetFrame(const void* memory);

// The virtual-key code of a key, or 0 for a key the game has no code for.
int virtualKeyOf(SDL_Scancode scancode, SDL_Keycode keycode);

// Forgets which side of Shift, Ctrl and Alt is down (focus lost).
void forgetModifierSides();

// A device came or went: the joystick lets go of one that is gone.
void joystickDevicesChanged();

// Fullscreen, Alt+Enter's toggle: a borderless window over the display the
// window is on. Leaving restores the window's size and top-left corner.
void toggleFullscreen();
void leaveFullscreen();
bool isFullscreen();

// In fullscreen the pointer hides after 2 s without moving.
void pointerMoved();
void hideIdlePointer();
void showPointer();

} // namespace sdlplatform
