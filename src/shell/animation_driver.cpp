#include "shell/animation_driver.h"

#include "shell/host.h"

namespace shell {
namespace {

// A frame that comes this much later than it was due starts the grid
// afresh (a hidden tab, a busy machine) instead of running a burst.
constexpr std::int32_t STALL_MILLISECONDS = 100;

bool started = false;
bool over = false;
int code = 0;
// When the last frame was due, on the millisecond clock; wrapping. Frames
// keep to a grid of 30 ms from it, whatever the display's rate.
std::uint32_t lastDue = 0;

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
    lastDue = platform::millisecondClock() - FRAME_MILLISECONDS;
}

bool animationFrame(const PageState& page) {
    if (!started || !takeMessages()) {
        return false;
    }
    if (page.hidden || page.messageBoxOpen || !framesRunning()) {
        return true;
    }
    const std::uint32_t now = platform::millisecondClock();
    // "no wait": each frame is due when it runs, at every animation frame.
    std::uint32_t due = now;
    if (host.frameWait == 1) {
        due = lastDue + FRAME_MILLISECONDS;
        // Wrapping differences read as signed, as the frame tick's own pacing.
        const auto late = static_cast<std::int32_t>(now - due);
        if (late < 0) {
            return true;
        }
        if (late > STALL_MILLISECONDS) {
            due = now;
        }
    }
    lastDue = due;
    frameStep();
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
    lastDue = 0;
}

} // namespace shell
