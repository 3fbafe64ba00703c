// The page around the game: the browser's animation frames, and the notes
// the page shows when the game ends or cannot start (web/page.js).
#include "platform/web/page.h"
#include "platform/web/internal.h"

#include <emscripten/html5.h>

extern "C" {
void sorvi_show_ended(int code);
void sorvi_show_failure(int code);
}

namespace {

bool gameEnded = false;

EM_BOOL onAnimationFrame(double, void* frame) {
    return reinterpret_cast<bool (*)()>(frame)() ? EM_TRUE : EM_FALSE;
}

} // namespace

namespace webplatform {

void runAnimationFrames(bool (*frame)()) {
    emscripten_request_animation_frame_loop(onAnimationFrame, reinterpret_cast<void*>(frame));
}

void showEnded(int code) {
    if (!gameEnded) {
        gameEnded = true;
        sorvi_show_ended(code);
    }
}

void showFailure(int code) {
    gameEnded = true;
    sorvi_show_failure(code);
}

bool ended() {
    return gameEnded;
}

} // namespace webplatform
