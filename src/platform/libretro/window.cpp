// The window is the frontend's screen, on the drawn window without a bar:
// the frontend's menu and hotkeys stand in for the game's menu. Each new
// frame is handed to the frontend upright; the frontend has no messages
// for the window, so none ever comes and none is waited for.
#include "platform/drawn/window.h"
#include "platform/frame.h"
#include "platform/libretro/internal.h"
#include "platform/message_queue.h"

#include <cstring>

namespace {

using platform::FRAME_HEIGHT;
using platform::FRAME_WIDTH;

std::uint32_t picture[platform::FRAME_PIXELS];

bool open(const platform::WindowClass&, const char*, int, int, char (&)[256]) {
    return true;
}

void show() {}

void resize(int, int) {}

// Only a new frame goes out: the frontend takes one picture per run.
bool present(const drawn::WindowPicture& shown, bool newFrame) {
    if (!newFrame || shown.frame == nullptr) {
        return true;
    }
    for (int row = 0; row < FRAME_HEIGHT; ++row) {
        std::memcpy(picture + row * FRAME_WIDTH,
                    shown.frame + (FRAME_HEIGHT - 1 - row) * FRAME_WIDTH,
                    FRAME_WIDTH * sizeof picture[0]);
    }
    const retroplatform::Frontend& f = retroplatform::frontend();
    if (f.video == nullptr) {
        return false;
    }
    f.video(picture, FRAME_WIDTH, FRAME_HEIGHT, FRAME_WIDTH * sizeof picture[0]);
    return true;
}

bool poll(platform::Message&) {
    return false;
}

drawn::Wait wait(platform::Message&) {
    return drawn::Wait::Never;
}

void close() {}

constexpr drawn::Hooks HOOKS{open, show, resize, present, poll, wait, close, nullptr, false, 0};

} // namespace

namespace retroplatform {

const std::uint32_t* shownPicture() {
    return picture;
}

void resetWindow() {
    std::memset(picture, 0, sizeof picture);
    platform::clearPostedMessages();
    drawn::resetDrawnWindow();
}

} // namespace retroplatform

namespace platform {

int registerWindowClass(const WindowClass& windowClass) {
    return drawn::registerDrawnWindow(windowClass, HOOKS);
}

} // namespace platform
