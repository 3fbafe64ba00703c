// The host driven by someone else's frames: a page may never block, so
// instead of the desktop's message loop the browser calls in once per
// animation frame, and the frame tick runs when it is due. Plain logic
// over the host's steps, so the native tests run it on the scripted
// platform.
#pragma once

#include <cstdint>

namespace shell {

// What the page is doing that holds the frames.
struct PageState {
    bool hidden;         // the tab is not shown
    bool messageBoxOpen; // a message waits for its OK, as a desktop box would block
};

// After start-up: frames may run from the next animation frame on.
void beginFrames();

// One animation frame: every waiting message (the page's input among
// them), then the frame tick when it is due, and no frame while a menu is
// open, the page is hidden or a message box waits. Frames keep to a grid
// of 30 ms: each is due 30 ms after the last was due (not after it ran),
// so the game keeps its speed on a display of any rate; one runs at most
// per animation frame, and one more than 100 ms late starts the grid
// again instead of catching up. With "no wait" every animation frame runs
// one. Returns false once the game has ended: no animation frame is
// needed any more.
bool animationFrame(const PageState& page);

// The game has ended (its quit message was taken).
bool ended();
// Its exit code, once ended.
int exitCode();

// Back to the state before start-up (for tests).
void resetAnimationDriver();

} // namespace shell
