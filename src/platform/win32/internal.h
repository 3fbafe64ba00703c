// State the Win32 platform's files share.
#pragma once

#include "platform/placement.h"
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

// The window's frame: fixed, with caption, system menu and minimise box.
constexpr DWORD WINDOW_STYLE = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// How many of the monitor's pixels each game pixel is wide and high: the
// whole factor nearest to the scale of the window's monitor.
int pixelFactor();

// Sizes the window so that its client area is the size last asked for
// times pixelFactor(), its top-left corner where it is or at `corner`.
void fitToWantedSize(const POINT* corner = nullptr);

// --- Fullscreen (fullscreen.cpp) ---

bool fullscreen();
// A borderless window over the whole monitor the window is on, its menu bar
// hidden, and back to the window at its old top-left corner.
void toggleFullscreen();
void leaveFullscreen();
// With each frame shown: the mouse pointer hides once it has rested 2 s
// in fullscreen, and shows as soon as it moves.
void restPointer();
// The messages the window answers otherwise while it is fullscreen; true
// when `result` is the answer, false for the usual handling.
bool fullscreenMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Where the frame goes in the client area: a window's `width` by `height`
// times pixelFactor() on white, or in fullscreen the largest whole factor,
// centred on the monitor, on black.
platform::FramePlacement framePlacement(int width, int height);

// Draws the framebuffer's last picture at `placement` into `context`, the
// client area's, and its background colour around it. Returns whether the
// picture was copied.
bool drawFrame(HDC context, const platform::FramePlacement& placement);

// The message a platform::Message stands for (its `native` record), or
// null for one the platform did not make.
const MSG* nativeOf(const platform::Message& message);

// Fills `out` for a message taken from the queue: the quit message and key
// messages get their kind, the rest None; `native` points at `taken`.
// Key presses and releases are noted for the keyboard snapshot.
void describeFetched(const MSG& taken, platform::Message& out);

// The game's keys arrive as themselves: the window takes no part in an
// input method, which would hand letters and Space over as VK_PROCESSKEY.
void keysAsThemselves(HWND window);

// The virtual-key code a key message stands for: the keypad's keys by
// their position, whatever Num Lock made of them.
int virtualKeyOf(WPARAM virtualKey, LPARAM keyData);

// A key message fetched by the program's own loop.
void noteKeyMessage(const MSG& message);

// --- Joystick (joystick.cpp) ---

// A device was plugged in or pulled out: the joystick service reads its
// devices again.
void joystickDevicesChanged();

// A point-of-view hat at `pov` (hundredths of a degree clockwise from
// forward, or centred) steers as the stick at the ends of `range`: each of
// eight directions over the 45 degrees around it.
void steerWithHat(platform::JoystickPosition& position, const platform::JoystickCaps& range,
                  DWORD pov);

// The framebuffer's Windows objects (for tests), all null until the pixel
// memory is made and after it is released.
struct FramebufferObjects {
    HANDLE mapping;
    HBITMAP bitmap;
    HDC context;
};
FramebufferObjects framebufferObjects();

} // namespace win32platform
