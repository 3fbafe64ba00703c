#include "shell/animation_driver.h"

#include "shell/host.h"

namespace shell {
namespace {

bool started = false;
bool over = false;
int code = 0;
// When the next frame is due, on the millisecond clock; wrapping.
std::uint32_t due = 0;

// Handles every waiting message. Returns false once Quit was among them.
bool takeMessages() {
    platform::Message message;
    while (!over && platform::peekMessage(message) != 0) {
        if (message.kind == platform::MessageKind::Quit) {
            over = true;
            code = message.code;
            return false;
        }
        handleMessage(message);
    }
    return !over;
}

} // namespace

void beginFrames() {
    started = true;
    due = platform::millisecondClock();
}

bool animationFrame(const PageState& page) {
    if (!started || !takeMessages()) {
        return false;
    }
    if (page.hidden || page.messageBoxOpen || !framesRunning()) {
        return true;
    }
    // Wrapping difference read as signed, as the frame tick's own pacing.
    if (static_cast<std::int32_t>(platform::millisecondClock() - due) < 0) {
        return true;
    }
    const std::uint32_t wait = frameStep();
    due = platform::millisecondClock() + wait;
    return takeMessages();
}

bool ended() {
    return over;
}

int exitCode() {
    return code;
}

void resetAnimationDriver() {
    started = false;
    over = false;
    code = 0;
    due = 0;
}

} // namespace shell
