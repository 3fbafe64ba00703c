// The window of every platform without native menus, written once: the
// window class and its procedure, the drawn menu bar over the client area
// (its height and width), Paint and Destroy, the destroy guard, fullscreen
// and the window keys that switch it, and the order in which messages are
// fetched (posted ones, then the platform's own, each through the
// keyboard's feed; Quit once nothing more can come).
//
// It defines the seam's window, message and menu operations; a platform
// defines registerWindowClass as a call of registerDrawnWindow with its
// hooks: the few things only it can do.
#pragma once

#include "menubar/compose.h"
#include "menubar/state.h"
#include "platform/placement.h"
#include "platform/platform.h"

#include <cstdint>

namespace drawn {

// What the window shows: the last frame (320 by 240, bottom row first;
// null before the first and once its memory is gone) and the menu picture
// over the top (empty while nothing of the menu shows). In fullscreen the
// frame is centred on black; else it fills the client area below the bar.
struct WindowPicture {
    const std::uint32_t* frame;
    menubar::MenuPicture menu;
    bool fullscreen;
    int clientWidth;
    int clientHeight;
    int barHeight; // 0 in fullscreen and for a window without a bar
};

// Where the frame of `picture` goes in a window of `width` by `height`.
platform::FramePlacement framePlacement(const WindowPicture& picture, int width, int height);

enum class Wait : std::uint8_t {
    Message, // a message came
    Nothing, // none yet: ask again
    Never,   // none can come any more
};

struct Hooks {
    // Opens the window `width` by `height` (client area and bar), shown
    // only once `show` is called (or at once, where the platform cannot
    // hide it). Returns false with the reason in `error`.
    bool (*open)(const platform::WindowClass& windowClass, const char* title, int width, int height,
                 char (&error)[256]);
    void (*show)();
    // The window's new size (client area and bar); its top-left corner
    // stays where it is.
    void (*resize)(int width, int height);
    // Shows `picture`: a new frame, or the same one with another menu.
    // Returns whether it reached the screen.
    bool (*present)(const WindowPicture& picture, bool newFrame);
    // The platform's next message without waiting; false when none.
    bool (*poll)(platform::Message& message);
    // Waits a while for the platform's next message.
    Wait (*wait)(platform::Message& message);
    // The window goes; nothing of it is called after.
    void (*close)();
    // Fullscreen over the display the window is on, or back to the window
    // (null where there is none). Returns whether it switched; entering, it
    // gives the screen's size.
    bool (*fullscreen)(bool on, int& screenWidth, int& screenHeight);
    // False for a window whose frontend has a menu of its own: no bar is
    // drawn and the menu never opens; its keys still work.
    bool bar;
    // The exit code of the quit that ends the program once no message can
    // come any more.
    int endCode;
};

// The platform's registerWindowClass: the class, with the hooks of the
// window it makes. Returns 1.
int registerDrawnWindow(const platform::WindowClass& windowClass, const Hooks& hooks);

// The menu as the player sees it.
extern menubar::MenuState menu;
bool menuOpen();
bool isFullscreen();

// Shows the last picture again (the window was uncovered or resized).
void repaint();

// Fullscreen ended without the window asking (a browser's own Escape, a
// request the browser refused): the window is a window again; the hook is
// not called.
void fullscreenEnded();

// For a platform that shows the bar at a scale of its own (a page fitting
// the window to its screen): the bar's width in its own pixels from now
// on, in a window and in fullscreen; 0 leaves it to the client area's or
// the screen's width.
void setOwnBarWidth(int width);

// The virtual-key codes the program reads: those of its window class, its
// accelerators and its menu. A platform that shares keys with others (a
// browser page) keeps these and leaves the rest alone.
bool keyUsed(int virtualKey);

// Program start: no window, no accelerators, the menu closed and unmarked.
void resetDrawnWindow();

} // namespace drawn
