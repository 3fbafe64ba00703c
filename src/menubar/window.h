// What a platform without native menus shares: the drawn menu bar of its
// window, and the menu and accelerator operations of the seam over it
// (translateAccelerator, dispatchMessage, defaultWindowProcedure,
// loadAccelerators, checkMenuItem, which this library defines). The
// platform tells it when its window opens, resizes and closes, shows the
// picture it is handed, and passes it every message it takes from its
// queue.
#pragma once

#include "menubar/state.h"
#include "platform/platform.h"

#include <cstdint>

namespace menubar {

// Shows the menu picture (0xAARRGGBB, top row first, alpha 0 where the
// frame shows through) over the top of the window. The pixels stay as they
// are until the next call.
using ShowMenuPicture = void (*)(const std::uint32_t* pixels, int width, int height);

// The window of `windowClass` exists from now on; its bar is laid out from
// the class's menu and shown through `show` whenever it changes.
void openWindow(const platform::WindowClass& windowClass, ShowMenuPicture show);
// The window is gone: no more notifications, accelerators or pictures.
void closeWindow();
// Sends the window's procedure a message of `kind` (the platform's own
// paint and destroy), while the window is open.
void sendToWindow(platform::MessageKind kind);
// The client area is now `width` pixels wide: the bar follows.
void setBarWidth(int width);

// A message the platform has just taken from its queue. Key messages change
// the keyboard snapshot, except presses, which an open menu keeps to itself;
// releases always count, so no key sticks.
void noteFetched(const platform::Message& message);

// Alt took part in a shortcut of the platform's own (Alt+Enter), so its
// release must not open the menu bar.
void altUsedForShortcut();

bool menuOpen();
const MenuState& menuState();

// Program start: no window, no accelerators, the menu closed and unmarked.
void resetDrawnMenu();

} // namespace menubar
