// What the browser platform's files share.
#pragma once

#include "platform/platform.h"

namespace webplatform {

// Starts listening to the keyboard, the mouse, focus and the tab's
// visibility (the window exists from now on).
void listenToKeys();
void listenToMouse();
void listenToFocus();

// Forgets which keys are down (the page lost the keyboard).
void forgetHeldKeys();

// The page's input, queued as it comes and taken by the drawn window.
void queueInput(const platform::Message& message);
bool takeInput(platform::Message& message);

// Whether the game has ended (the page then says so, and keeps its keys).
bool ended();

} // namespace webplatform
