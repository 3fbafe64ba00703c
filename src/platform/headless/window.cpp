// The headless window: records what the host asks of it, draws its menu
// bar as every platform without native menus does, and hands out the
// messages a test scripted.
#include "platform/drawn/window.h"
#include "platform/headless/headless.h"
#include "platform/headless/internal.h"
#include "platform/message_queue.h"

#include <cstdlib>
#include <cstring>

namespace {

using platform::Message;
using platform::MessageKind;

constexpr int CALL_KINDS = 9;

struct Scripted {
    Message message;
    int afterPresents;
};

headless::WindowCallRecord calls[headless::MAX_RECORDED_WINDOW_CALLS];
int callCount = 0;
int callsByKind[CALL_KINDS];

headless::WindowView view;
// The last frame presented: the host's own pixels while they live (a copy
// per frame would cost a long soak dearly), kept here once they are freed.
const std::uint32_t* shownFrame = nullptr;
std::uint32_t keptFrame[platform::FRAME_PIXELS];
std::uint32_t menuPicture[headless::MAX_MENU_PICTURE_PIXELS];
int menuWidth = 0;
int menuHeight = 0;

const char* createFailure = nullptr;
bool pixelMemoryFails = false;
int liveBlocks = 0;

Scripted script[headless::MAX_SCRIPTED_MESSAGES];
int scriptHead = 0;
int scriptTail = 0;
int presents = 0;
// A script that never closes the window cannot hang a test: once this many
// frames have been presented, a poll finds Quit.
constexpr int PRESENT_LIMIT = 100000;
std::uint32_t frameCost = 0;
int polls = 0;
int waits = 0;

void record(headless::WindowCall call, int a = 0, int b = 0) {
    ++callsByKind[static_cast<int>(call)];
    if (callCount < headless::MAX_RECORDED_WINDOW_CALLS) {
        calls[callCount++] = headless::WindowCallRecord{call, a, b};
    }
}

void copyText(char* to, std::size_t capacity, const char* from) {
    std::strncpy(to, from != nullptr ? from : "", capacity - 1);
    to[capacity - 1] = '\0';
}

bool open(const platform::WindowClass&, const char* title, int width, int height,
          char (&error)[256]) {
    record(headless::WindowCall::CreateWindow, width, height);
    if (createFailure != nullptr) {
        copyText(error, sizeof error, createFailure);
        return false;
    }
    view.created = true;
    view.width = width;
    view.height = height;
    copyText(view.title, sizeof view.title, title);
    return true;
}

void show() {
    record(headless::WindowCall::ShowWindow);
    view.shown = true;
}

void resize(int width, int height) {
    record(headless::WindowCall::SetWindowSize, width, height);
    view.width = width;
    view.height = height;
}

bool present(const drawn::WindowPicture& picture, bool newFrame) {
    if (newFrame) {
        record(headless::WindowCall::PresentFrame, picture.clientWidth, picture.clientHeight);
        shownFrame = picture.frame;
        ++presents;
        headless::setClock(platform::millisecondClock() + frameCost);
        return true;
    }
    const menubar::MenuPicture& menu = picture.menu;
    record(headless::WindowCall::PresentMenu, menu.width, menu.height);
    const int count = menu.width * menu.height;
    if (menu.pixels != nullptr && count > 0 && count <= headless::MAX_MENU_PICTURE_PIXELS) {
        std::memcpy(menuPicture, menu.pixels,
                    sizeof menu.pixels[0] * static_cast<std::size_t>(count));
        menuWidth = menu.width;
        menuHeight = menu.height;
    }
    return true;
}

// The next scripted message; `waiting` takes it whatever frame it waits for.
bool takeScripted(Message& out, bool waiting) {
    if (scriptHead == scriptTail || (!waiting && script[scriptHead].afterPresents > presents)) {
        return false;
    }
    out = script[scriptHead++].message;
    return true;
}

bool poll(Message& message) {
    ++polls;
    if (takeScripted(message, false)) {
        return true;
    }
    if (presents >= PRESENT_LIMIT) {
        message = platform::quitMessage(headless::SCRIPT_ENDED);
        return true;
    }
    return false;
}

drawn::Wait wait(Message& message) {
    ++waits;
    return takeScripted(message, true) ? drawn::Wait::Message : drawn::Wait::Never;
}

void close() {
    record(headless::WindowCall::DestroyWindow);
    view.destroyed = true;
}

constexpr drawn::Hooks HOOKS{open, show,  resize,  present, poll,
                             wait, close, nullptr, true,    headless::SCRIPT_ENDED};

} // namespace

namespace platform {

int registerWindowClass(const WindowClass& wc) {
    record(headless::WindowCall::RegisterClass);
    copyText(view.className, sizeof view.className, wc.className);
    view.hasIcon = wc.icon != nullptr;
    if (view.hasIcon) {
        std::memcpy(view.icon, wc.icon, sizeof view.icon);
    }
    return drawn::registerDrawnWindow(wc, HOOKS);
}

void* createPixelMemory(std::size_t bytes) {
    record(headless::WindowCall::CreatePixelMemory, static_cast<int>(bytes));
    if (pixelMemoryFails) {
        return nullptr;
    }
    void* block = std::calloc(bytes, 1);
    liveBlocks += block != nullptr;
    return block;
}

void releasePixelMemory(void* block) {
    record(headless::WindowCall::ReleasePixelMemory);
    if (block != nullptr && block == shownFrame) {
        std::memcpy(keptFrame, shownFrame, sizeof keptFrame);
        shownFrame = keptFrame;
    }
    liveBlocks -= block != nullptr;
    std::free(block);
}

} // namespace platform

namespace headless {

int windowCallCount() {
    return callCount;
}
const WindowCallRecord& windowCall(int index) {
    return calls[index];
}
int windowCallsOf(WindowCall call) {
    return callsByKind[static_cast<int>(call)];
}
const WindowView& window() {
    return view;
}
const std::uint32_t* lastFrame() {
    return shownFrame != nullptr ? shownFrame : keptFrame;
}
const std::uint32_t* lastMenuPicture() {
    return menuPicture;
}
int lastMenuWidth() {
    return menuWidth;
}
int lastMenuHeight() {
    return menuHeight;
}
void failCreateWindow(const char* reason) {
    createFailure = reason;
}
void failPixelMemory(bool fail) {
    pixelMemoryFails = fail;
}
int livePixelBlocks() {
    return liveBlocks;
}

void queueMessage(const platform::Message& message, int afterPresents) {
    if (scriptTail < MAX_SCRIPTED_MESSAGES) {
        script[scriptTail++] = Scripted{message, afterPresents};
    }
}

void setFrameCost(std::uint32_t milliseconds) {
    frameCost = milliseconds;
}
int peekCalls() {
    return polls;
}
int getCalls() {
    return waits;
}

void resetWindow() {
    callCount = 0;
    std::memset(callsByKind, 0, sizeof callsByKind);
    view = WindowView{};
    shownFrame = nullptr;
    std::memset(keptFrame, 0, sizeof keptFrame);
    menuWidth = 0;
    menuHeight = 0;
    createFailure = nullptr;
    pixelMemoryFails = false;
    scriptHead = 0;
    scriptTail = 0;
    platform::clearPostedMessages();
    presents = 0;
    frameCost = 0;
    polls = 0;
    waits = 0;
    drawn::resetDrawnWindow();
}

} // namespace headless
