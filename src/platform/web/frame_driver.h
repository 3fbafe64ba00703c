// How the page drives the host. A page may never block, so instead of the
// desktop's message loop the browser calls in: each input event becomes a
// message handled at once, and each animation frame runs the frame tick
// when it is due. Plain logic over the host's steps, so the native tests
// run it on the scripted platform.
#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace webplatform {

// What the page is doing that holds the frames.
struct PageState {
    bool hidden;         // the tab is not shown
    bool messageBoxOpen; // a message waits for its OK, as a desktop box would block
};

// After start-up: frames may run from the next animation frame on.
void beginFrames();

// One message from the page's input (a key, the mouse, focus lost), taken
// as the desktop loop takes a fetched one, then whatever its handling
// posted (a menu's command, the quit message). Ignored once the game has
// ended.
void deliver(const platform::Message& message);

// One animation frame: the posted messages, then the frame tick when it
// is due, that is once the time it asked to wait has passed since it
// ended (30 ms from the start of the last frame, at once with "no wait"),
// and no frame while a menu is open, the page is hidden or a message box
// waits. Returns false once the game has ended: no animation frame is
// needed any more.
bool animationFrame(const PageState& page);

// The game has ended (its quit message was taken).
bool ended();
// Its exit code, once ended.
int exitCode();

// A joystick has appeared (browsers show a pad only once a button is
// pressed). When none was found before, it is looked for again; if the
// game is still on its title screen, player 1 takes it, as when a joystick
// is there at start.
void joystickAppeared();

// Back to the state before start-up (for tests).
void resetFrameDriver();

} // namespace webplatform
