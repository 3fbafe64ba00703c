// What the page offers the program that runs on it: its animation frames,
// what holds them, and its notes when the game ends or cannot start.
#pragma once

namespace webplatform {

// Whether the tab is hidden.
bool pageHidden();
// Whether a message box is shown or waits to be.
bool messageBoxOpen();

// Calls `frame` at every animation frame until it returns false.
void runAnimationFrames(bool (*frame)());

// The page says the game has ended with `code` (a tab cannot close
// itself), or could not start; from then on its keys are the page's.
void showEnded(int code);
void showFailure(int code);

} // namespace webplatform
