// What the browser platform's files share.
#pragma once

#include "platform/platform.h"

namespace webplatform {

// Starts listening to the keyboard, the mouse, focus and the tab's
// visibility (the window exists from now on).
void listenToKeys();
void listenToMouse();
void listenToFocus();

// Whether the tab is hidden.
bool pageHidden();
// Whether a message box is shown or waits to be.
bool messageBoxOpen();

// Forgets which keys are down and which side of Shift, Ctrl and Alt (the
// page lost the keyboard).
void forgetHeldKeys();

// Starts the host on the page and has the browser's animation frames
// drive it; returns at once (the page keeps running). Returns 0, or the
// exit code of a start-up that failed, which the page then reports.
int runPage(const platform::Module& module);

// One message from the page's input, handled at once; when it ended the
// game, the page says so.
void deliverInput(const platform::Message& message);

} // namespace webplatform
