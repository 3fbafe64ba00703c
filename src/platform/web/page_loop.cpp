// The frame tick on the page: start-up as on the desktop, then the
// browser's animation frames drive the host through the frame driver.
// When the game ends the frames stop and the page says so (a tab cannot
// close itself).
#include "platform/web/frame_driver.h"
#include "platform/web/internal.h"
#include "shell/host.h"

#include <emscripten/html5.h>

extern "C" {
// The page: the game ended with `code`, or could not start.
void sorvi_show_ended(int code);
void sorvi_show_failure(int code);
}

namespace {

bool saidEnded = false;

void sayIfEnded() {
    if (webplatform::ended() && !saidEnded) {
        saidEnded = true;
        sorvi_show_ended(webplatform::exitCode());
    }
}

EM_BOOL onAnimationFrame(double, void*) {
    const bool more = webplatform::animationFrame(
        webplatform::PageState{webplatform::pageHidden(), webplatform::messageBoxOpen()});
    sayIfEnded();
    return more ? EM_TRUE : EM_FALSE;
}

} // namespace

namespace webplatform {

void deliverInput(const platform::Message& message) {
    deliver(message);
    sayIfEnded();
}

int runPage(const platform::Module& module) {
    const int failed = shell::startUp(module);
    if (failed != 0) {
        sorvi_show_failure(failed);
        return failed;
    }
    beginFrames();
    emscripten_request_animation_frame_loop(onAnimationFrame, nullptr);
    return 0;
}

} // namespace webplatform
