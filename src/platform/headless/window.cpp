// The headless window: records what the host asks of it, draws its menu
// bar as every platform without native menus does, and hands out the
// messages a test scripted.
#include "menubar/window.h"
#include "menubar/layout.h"
#include "platform/headless/headless.h"
#include "platform/headless/internal.h"
#include "platform/message_queue.h"

#include <cstdlib>
#include <cstring>

namespace {

using platform::Message;
using platform::MessageKind;

constexpr int CALL_KINDS = 9;
constexpr int FRAME_PIXELS = 320 * 240;

struct Scripted {
    Message message;
    int afterPresents;
};

headless::WindowCallRecord calls[headless::MAX_RECORDED_WINDOW_CALLS];
int callCount = 0;
int callsByKind[CALL_KINDS];

platform::WindowClass windowClass{};
headless::WindowView view;
bool destroying = false;
// The last frame presented: the host's own pixels while they live (a copy
// per frame would cost a long soak dearly), kept here once they are freed.
const std::uint32_t* shownFrame = nullptr;
std::uint32_t keptFrame[FRAME_PIXELS];
std::uint32_t menuPicture[headless::MAX_MENU_PICTURE_PIXELS];
int menuWidth = 0;
int menuHeight = 0;

const char* createFailure = nullptr;
const char* lastError = "";
bool pixelMemoryFails = false;
int liveBlocks = 0;

Scripted script[headless::MAX_SCRIPTED_MESSAGES];
int scriptHead = 0;
int scriptTail = 0;
int presents = 0;
int presentLimit = 100000;
std::uint32_t frameCost = 0;
int peeks = 0;
int gets = 0;

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

Message quitMessage(int code) {
    Message quit;
    quit.kind = MessageKind::Quit;
    quit.code = code;
    return quit;
}

void showMenuPicture(const std::uint32_t* pixels, int width, int height) {
    record(headless::WindowCall::PresentMenu, width, height);
    const int count = width * height;
    if (count > 0 && count <= headless::MAX_MENU_PICTURE_PIXELS) {
        std::memcpy(menuPicture, pixels, sizeof pixels[0] * static_cast<std::size_t>(count));
        menuWidth = width;
        menuHeight = height;
    }
}

// The next scripted message; `waiting` takes it whatever frame it waits for.
bool takeScripted(Message& out, bool waiting) {
    if (view.destroyed || scriptHead == scriptTail) {
        return false;
    }
    if (!waiting && script[scriptHead].afterPresents > presents) {
        return false;
    }
    out = script[scriptHead++].message;
    return true;
}

bool windowOpen() {
    return view.created && !view.destroyed;
}

} // namespace

namespace platform {

int peekMessage(Message& message) {
    ++peeks;
    if (takePostedMessage(message) || takeScripted(message, false)) {
        menubar::noteFetched(message);
        return 1;
    }
    if (presents >= presentLimit) {
        message = quitMessage(headless::SCRIPT_ENDED);
        return 1;
    }
    return 0;
}

int getMessage(Message& message) {
    ++gets;
    if (takePostedMessage(message) || takeScripted(message, true)) {
        menubar::noteFetched(message);
    } else {
        message = quitMessage(headless::SCRIPT_ENDED);
    }
    return message.kind == MessageKind::Quit ? 0 : 1;
}

int registerWindowClass(const WindowClass& wc) {
    record(headless::WindowCall::RegisterClass);
    windowClass = wc;
    copyText(view.className, sizeof view.className, wc.className);
    view.hasIcon = wc.icon != nullptr;
    if (view.hasIcon) {
        std::memcpy(view.icon, wc.icon, sizeof view.icon);
    }
    return 1;
}

int createWindow(const char* title, int width, int height) {
    record(headless::WindowCall::CreateWindow, width, height);
    if (createFailure != nullptr) {
        lastError = createFailure;
        return 0;
    }
    view.created = true;
    view.width = width;
    view.height = height;
    copyText(view.title, sizeof view.title, title);
    menubar::openWindow(windowClass, showMenuPicture);
    return 1;
}

const char* windowError() {
    return lastError;
}

void showWindow() {
    record(headless::WindowCall::ShowWindow);
    view.shown = true;
    if (windowOpen()) {
        menubar::sendToWindow(MessageKind::Paint);
    }
}

void setClientSize(int width, int height) {
    const int outerHeight = height + menubar::MENU_BAR_HEIGHT;
    record(headless::WindowCall::SetWindowSize, width, outerHeight);
    view.width = width;
    view.height = outerHeight;
    menubar::setBarWidth(width);
}

void destroyWindow() {
    if (!windowOpen() || destroying) {
        return;
    }
    destroying = true;
    menubar::sendToWindow(MessageKind::Destroy);
    menubar::closeWindow();
    record(headless::WindowCall::DestroyWindow);
    view.destroyed = true;
    destroying = false;
}

void validateWindow() {}

int presentFrame(const std::uint32_t* pixels, int width, int height) {
    record(headless::WindowCall::PresentFrame, width, height);
    shownFrame = pixels;
    ++presents;
    headless::setClock(millisecondClock() + frameCost);
    return 1;
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

int scriptedMessagesLeft() {
    return scriptTail - scriptHead;
}
void setPresentLimit(int limit) {
    presentLimit = limit;
}
void setFrameCost(std::uint32_t milliseconds) {
    frameCost = milliseconds;
}
int peekCalls() {
    return peeks;
}
int getCalls() {
    return gets;
}

void resetWindow() {
    callCount = 0;
    std::memset(callsByKind, 0, sizeof callsByKind);
    windowClass = platform::WindowClass{};
    view = WindowView{};
    destroying = false;
    shownFrame = nullptr;
    std::memset(keptFrame, 0, sizeof keptFrame);
    menuWidth = 0;
    menuHeight = 0;
    createFailure = nullptr;
    lastError = "";
    pixelMemoryFails = false;
    scriptHead = 0;
    scriptTail = 0;
    platform::clearPostedMessages();
    presents = 0;
    presentLimit = 100000;
    frameCost = 0;
    peeks = 0;
    gets = 0;
    menubar::resetDrawnMenu();
}

} // namespace headless
