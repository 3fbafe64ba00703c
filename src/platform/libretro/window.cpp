// The window is the frontend's screen: each presented frame is handed to it
// upright, and the frontend's menu stands in for the game's, so there is no
// menu bar and no accelerator.
#include "platform/libretro/internal.h"
#include "platform/message_queue.h"
#include "platform/platform.h"

#include <cstring>

namespace retroplatform {
namespace {

constexpr int WIDTH = 320;
constexpr int HEIGHT = 240;

platform::WindowProcedure procedure = nullptr;
bool open = false;
std::uint32_t picture[WIDTH * HEIGHT];

platform::Message messageOf(platform::MessageKind kind) {
    platform::Message m;
    m.kind = kind;
    return m;
}

} // namespace

const std::uint32_t* shownPicture() {
    return picture;
}

void resetWindow() {
    procedure = nullptr;
    open = false;
    std::memset(picture, 0, sizeof picture);
    platform::clearPostedMessages();
}

} // namespace retroplatform

namespace platform {

using namespace retroplatform;

int registerWindowClass(const WindowClass& windowClass) {
    procedure = windowClass.procedure;
    return 1;
}

int createWindow(const char*, int, int) {
    open = true;
    return 1;
}

const char* windowError() {
    return "";
}

void showWindow() {}

void setClientSize(int, int) {}

void destroyWindow() {
    if (!open) {
        return;
    }
    open = false;
    if (procedure != nullptr) {
        procedure(messageOf(MessageKind::Destroy));
    }
}

void validateWindow() {}

int presentFrame(const std::uint32_t* pixels, int, int) {
    for (int row = 0; row < HEIGHT; ++row) {
        std::memcpy(picture + row * WIDTH, pixels + (HEIGHT - 1 - row) * WIDTH,
                    WIDTH * sizeof pixels[0]);
    }
    const Frontend& f = frontend();
    if (f.video == nullptr) {
        return 0;
    }
    f.video(picture, WIDTH, HEIGHT, WIDTH * sizeof picture[0]);
    return 1;
}

int peekMessage(Message& message) {
    return takePostedMessage(message) ? 1 : 0;
}

int getMessage(Message& message) {
    if (!takePostedMessage(message)) {
        message = messageOf(MessageKind::Quit);
    }
    return message.kind == MessageKind::Quit ? 0 : 1;
}

int translateAccelerator(const Message&) {
    return 0;
}

void dispatchMessage(const Message& message) {
    if (open && procedure != nullptr) {
        procedure(message);
    }
}

std::intptr_t defaultWindowProcedure(const Message&) {
    return 0;
}

int loadAccelerators(const res::AcceleratorResource&) {
    return 1;
}

int checkMenuItem(MenuHandle, int, bool) {
    return -1;
}

} // namespace platform
