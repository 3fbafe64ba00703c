// State the Win32 platform's files share.
#pragma once

#include "platform/platform.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace win32platform {

// The program's own module: its resources, its window class.
HINSTANCE instance();

// The game's window, or null before it is created and after it is destroyed.
HWND window();

// The message a platform::Message stands for (its `native` record), or
// null for one the platform did not make.
const MSG* nativeOf(const platform::Message& message);

// Fills `out` for a message taken from the queue: the quit message and key
// messages get their kind, the rest None; `native` points at `taken`.
// Key presses and releases are noted for the keyboard snapshot.
void describeFetched(const MSG& taken, platform::Message& out);

// The virtual-key code a key message stands for: the keypad's keys by
// their position, whatever Num Lock made of them.
int virtualKeyOf(WPARAM virtualKey, LPARAM keyData);

// A key message fetched by the program's own loop.
void noteKeyMessage(const MSG& message);

// The framebuffer's Windows objects (for tests), all null until the pixel
// memory is made and after it is released.
struct FramebufferObjects {
    HANDLE mapping;
    HBITMAP bitmap;
    HDC context;
};
FramebufferObjects framebufferObjects();

} // namespace win32platform
