#include "platform/web/frame_driver.h"

#include "game/values.h"
#include "input/controls.h"
#include "input/joystick.h"
#include "menubar/window.h"
#include "shell/host.h"

namespace webplatform {
namespace {

bool started = false;
bool over = false;
int code = 0;
// When the next frame is due, on the millisecond clock; wrapping.
std::uint32_t due = 0;

// Handles every posted message. Returns false once Quit was among them.
bool takePosted() {
    platform::Message message;
    while (!over && platform::peekMessage(message) != 0) {
        if (message.kind == platform::MessageKind::Quit) {
            over = true;
            code = message.code;
            return false;
        }
        shell::handleMessage(message);
    }
    return !over;
}

} // namespace

void beginFrames() {
    started = true;
    due = platform::millisecondClock();
}

void deliver(const platform::Message& message) {
    if (over || !started) {
        return;
    }
    menubar::noteFetched(message);
    shell::handleMessage(message);
    takePosted();
}

bool animationFrame(const PageState& page) {
    if (!started || !takePosted()) {
        return false;
    }
    if (page.hidden || page.messageBoxOpen || !shell::framesRunning()) {
        return true;
    }
    // Wrapping difference read as signed, as the frame tick's own pacing.
    if (static_cast<std::int32_t>(platform::millisecondClock() - due) < 0) {
        return true;
    }
    const std::uint32_t wait = shell::frameStep();
    due = platform::millisecondClock() + wait;
    return takePosted();
}

bool ended() {
    return over;
}

int exitCode() {
    return code;
}

void joystickAppeared() {
    if (over || input::joystickCount != 0) {
        return;
    }
    if (input::initJoystick() != 0 && game::gameState == game::Title) {
        game::playerSlots[0].scheme = input::Joystick;
    }
}

void resetFrameDriver() {
    started = false;
    over = false;
    code = 0;
    due = 0;
}

} // namespace webplatform
