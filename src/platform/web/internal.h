// What the browser platform's files share.
#pragma once

#include "platform/platform.h"

namespace webplatform {

// Starts listening to the keyboard, the mouse, focus and the tab's
// visibility, the touch buttons and fullscreen (the window exists from
// now on).
void listenToKeys();
void listenToMouse();
void listenToFocus();
void listenToTouch();
void listenToFullscreen();

// Forgets which keys are down (the page lost the keyboard).
void forgetHeldKeys();
// Lets go of every key a touch button holds.
void releaseTouches();

// The page's input, queued as it comes and taken by the drawn window.
void queueInput(const platform::Message& message);
bool takeInput(platform::Message& message);

// Whether the game has ended (the page then says so, and keeps its keys).
bool ended();

// Places the window on the page again (its size, the page's or fullscreen
// changed).
void relayout();

// The drawn window's fullscreen hook.
bool switchFullscreen(bool on, int& screenWidth, int& screenHeight);
// Whether the page shows, or has asked to show, the game fullscreen.
bool fullscreenWanted();
// Fullscreen ended by the page's own doing (the browser's Escape, a
// refused request): the drawn window is a window again.
void endFullscreen();

} // namespace webplatform
