// The drawn window itself: its life, its size, fullscreen and the picture
// it shows.
#include "menubar/layout.h"
#include "menubar/picture.h"
#include "platform/drawn/internal.h"
#include "platform/frame.h"
#include "platform/fullscreen_keys.h"

#include <algorithm>
#include <cstdio>

namespace drawn {

State state{};
menubar::MenuState menu = menubar::CLOSED_MENU;

namespace {

using platform::Message;
using platform::MessageKind;

char error[256] = "";
const std::uint32_t* frame = nullptr; // the last frame presented
int clientWidth = platform::FRAME_WIDTH;
int clientHeight = platform::FRAME_HEIGHT;
bool fullscreen = false;
int screenWidth = 0;
int screenHeight = 0;
int barWidth = platform::FRAME_WIDTH;
int ownBarWidth = 0; // the platform's own, when it scales the bar itself
std::uint32_t menuPixels[menubar::MENU_PICTURE_WIDTH * menubar::MENU_PICTURE_HEIGHT];
menubar::MenuPicture menuPicture{};

int barHeight() {
    return state.hooks.bar ? menubar::MENU_BAR_HEIGHT : 0;
}

WindowPicture picture() {
    // In fullscreen the bar shows only while a menu is open, over the black.
    const bool menuShown = state.hooks.bar && (!fullscreen || menuOpen());
    return WindowPicture{frame,        menuShown ? menuPicture : menubar::MenuPicture{},
                         fullscreen,   clientWidth,
                         clientHeight, fullscreen ? 0 : barHeight()};
}

void setBarWidth(int width) {
    barWidth = std::min(ownBarWidth > 0 ? ownBarWidth : width, menubar::MENU_PICTURE_WIDTH);
    refreshMenu();
}

void leaveFullscreen() {
    if (!fullscreen) {
        return;
    }
    int width = 0;
    int height = 0;
    state.hooks.fullscreen(false, width, height);
    fullscreenEnded();
}

void toggleFullscreen() {
    if (fullscreen) {
        leaveFullscreen();
        return;
    }
    if (state.hooks.fullscreen == nullptr ||
        !state.hooks.fullscreen(true, screenWidth, screenHeight)) {
        return;
    }
    fullscreen = true;
    setBarWidth(screenWidth);
}

} // namespace

platform::FramePlacement framePlacement(const WindowPicture& p, int width, int height) {
    if (p.fullscreen) {
        return platform::centredPlacement(width, height);
    }
    return platform::FramePlacement{0, p.barHeight, p.clientWidth, p.clientHeight,
                                    platform::WINDOW_WHITE};
}

int registerDrawnWindow(const platform::WindowClass& windowClass, const Hooks& hooks) {
    state.windowClass = windowClass;
    state.hooks = hooks;
    state.registered = true;
    return 1;
}

bool menuOpen() {
    return menu.mode != menubar::MenuMode::Closed;
}

bool isFullscreen() {
    return fullscreen;
}

void repaint() {
    if (state.open) {
        state.hooks.present(picture(), false);
    }
}

void fullscreenEnded() {
    if (fullscreen) {
        fullscreen = false;
        setBarWidth(clientWidth);
    }
}

void setOwnBarWidth(int width) {
    const int wanted = std::max(width, 0);
    if (wanted != ownBarWidth) {
        ownBarWidth = wanted;
        setBarWidth(fullscreen ? screenWidth : clientWidth);
    }
}

void refreshMenu() {
    if (!state.open) {
        return;
    }
    if (state.hooks.bar) {
        menubar::drawMenuPicture(menu, barWidth, menuPixels);
        menuPicture =
            menubar::measureMenuPicture(menuPixels, barWidth, menubar::MENU_PICTURE_HEIGHT);
    }
    state.hooks.present(picture(), false);
}

void sendToWindow(MessageKind kind) {
    if (state.open && state.windowClass.procedure != nullptr) {
        Message m;
        m.kind = kind;
        state.windowClass.procedure(m);
    }
}

bool windowKeyOrClick(Message& m) {
    switch (platform::fullscreenSwitch(m, fullscreen)) {
    case platform::FullscreenSwitch::Toggle:
        toggleFullscreen();
        [[fallthrough]];
    case platform::FullscreenSwitch::Swallow:
        altUsedForShortcut();
        return true;
    case platform::FullscreenSwitch::Leave:
        // Out of fullscreen, then the key changes the size as ever.
        leaveFullscreen();
        return false;
    case platform::FullscreenSwitch::None:
        break;
    }
    if (fullscreen && m.kind == MessageKind::MouseDown && state.hooks.bar && !menuOpen() &&
        m.y < menubar::MENU_BAR_HEIGHT && menubar::menuTitleAt(m.x, m.y) < 0) {
        // The bar is hidden: a click anywhere along the top opens its first menu.
        m.x = menubar::menuPopup(0).titleX;
    }
    return false;
}

void leaveFullscreenFor(const Message& command) {
    if (platform::fullscreenSwitch(command, fullscreen) == platform::FullscreenSwitch::Leave) {
        leaveFullscreen();
    }
}

void resetDrawnWindow() {
    state = State{};
    menu = menubar::CLOSED_MENU;
    frame = nullptr;
    clientWidth = platform::FRAME_WIDTH;
    clientHeight = platform::FRAME_HEIGHT;
    fullscreen = false;
    barWidth = platform::FRAME_WIDTH;
    ownBarWidth = 0;
    menuPicture = menubar::MenuPicture{};
    menubar::layOutMenu(res::MENU);
}

} // namespace drawn

namespace platform {

int createWindow(const char* title, int width, int height) {
    using drawn::state;
    if (!state.registered) {
        std::snprintf(drawn::error, sizeof drawn::error, "no window class was registered");
        return 0;
    }
    if (!state.hooks.open(state.windowClass, title, width, height, drawn::error)) {
        return 0;
    }
    state.open = true;
    drawn::clientWidth = width;
    drawn::clientHeight = height - drawn::barHeight();
    menubar::layOutMenu(state.windowClass.menu != nullptr ? *state.windowClass.menu : res::MENU);
    return 1;
}

const char* windowError() {
    return drawn::error;
}

void showWindow() {
    if (drawn::state.open) {
        drawn::state.hooks.show();
        drawn::sendToWindow(MessageKind::Paint);
    }
}

void setClientSize(int width, int height) {
    if (!drawn::state.open) {
        return;
    }
    drawn::leaveFullscreen();
    drawn::state.hooks.resize(width, height + drawn::barHeight());
    drawn::clientWidth = width;
    drawn::clientHeight = height;
    drawn::setBarWidth(width);
}

void destroyWindow() {
    using drawn::state;
    if (!state.open || state.destroying) {
        return;
    }
    state.destroying = true;
    drawn::sendToWindow(MessageKind::Destroy);
    // The destroy message released the frame's memory.
    drawn::frame = nullptr;
    state.accelerators = nullptr;
    state.hooks.close();
    state.open = false;
    state.destroying = false;
}

void validateWindow() {}

int presentFrame(const std::uint32_t* pixels, int width, int height) {
    if (!drawn::state.open || pixels == nullptr) {
        return 0;
    }
    drawn::frame = pixels;
    drawn::clientWidth = width;
    drawn::clientHeight = height;
    return drawn::state.hooks.present(drawn::picture(), true) ? 1 : 0;
}

} // namespace platform
