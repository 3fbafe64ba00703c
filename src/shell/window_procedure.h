// The window procedure: the host's answer to each window message, the menu
// commands and the check marks.
#pragma once

#include "platform/platform.h"

namespace shell {

long windowProcedure(const platform::Message& message);

// What the window does with a message its procedure leaves alone: key and
// mouse messages may open the menu bar; Alt+F4 closes the window.
long defaultWindowProcedure(const platform::Message& message);

// Destroys the window: the procedure gets the destroy message, which tears
// the host down and posts the quit message. Later calls do nothing.
void destroyWindow();
bool windowAlive();
// Back to the start state: no window, no accelerator table (for tests).
void resetWindowProcedure();
// The window exists from now on (start-up, right after it was created).
void windowOpened();

void runCommand(int id);

// The four check marks on pop-up `popup`, in the fixed order.
void applyCheckMarks(int popup);

// Runs the accelerator table over a fetched message. Returns 1 when the
// message became a command (and so is finished), else 0.
int translateAccelerator(const platform::Message& message);
// Loads accelerator table 102; until then no key is translated.
void loadAccelerators();

// While a menu is open it takes every key and mouse message; its
// notifications go to the window procedure, a chosen command is posted
// once it has closed. Returns true when the menu took the message.
bool menuTakes(const platform::Message& message);

// Shows the menu bar as it now is.
void refreshMenuPicture();

} // namespace shell
