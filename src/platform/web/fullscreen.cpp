// Fullscreen through the browser's Fullscreen API: the page's game area
// (the picture and the touch controls) over the whole screen, on black.
// The drawn window asks for it (Alt+Enter, or the page's button, which
// presses Alt+Enter); the browser may end it by itself (its own Escape, a
// refused request), and then the window is a window again.
#include "platform/drawn/window.h"
#include "platform/keys.h"
#include "platform/web/internal.h"

#include <emscripten/emscripten.h>

extern "C" {
// Asks the browser to show the game area fullscreen, or to leave; 0 when
// the page may not go fullscreen (an <iframe> without the permission).
int sorvi_fullscreen(int on);
// Watches for the browser leaving fullscreen and for the page's button.
void sorvi_watch_fullscreen();
double sorvi_measure_space(int* at);
}

namespace {

bool wanted = false;

} // namespace

// The browser left fullscreen, or would not enter it.
extern "C" EMSCRIPTEN_KEEPALIVE void sorvi_fullscreen_left() {
    webplatform::endFullscreen();
}

// The page's fullscreen button: Alt+Enter, as from the keyboard.
extern "C" EMSCRIPTEN_KEEPALIVE void sorvi_fullscreen_button() {
    platform::Message message;
    message.kind = platform::MessageKind::KeyDown;
    message.code = platform::KEY_RETURN;
    message.modifiers = platform::KEYMOD_ALT;
    webplatform::queueInput(message);
}

namespace webplatform {

void listenToFullscreen() {
    sorvi_watch_fullscreen();
}

bool fullscreenWanted() {
    return wanted;
}

// The request runs within the animation frame after the key or the click
// that asked for it, which still counts as the player's own act.
bool switchFullscreen(bool on, int& screenWidth, int& screenHeight) {
    if (sorvi_fullscreen(on ? 1 : 0) == 0) {
        return false;
    }
    wanted = on;
    relayout();
    if (on) {
        int at[4] = {0, 0, 0, 0};
        sorvi_measure_space(at);
        screenWidth = at[2];
        screenHeight = at[3];
    }
    return true;
}

void endFullscreen() {
    if (!wanted) {
        return;
    }
    wanted = false;
    sorvi_fullscreen(0);
    drawn::fullscreenEnded();
    relayout();
}

} // namespace webplatform
