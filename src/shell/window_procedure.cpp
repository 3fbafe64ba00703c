#include "shell/window_procedure.h"

#include "game/flow.h"
#include "res/accelerators.h"
#include "shell/host.h"
#include "shell/menu_bar.h"

namespace shell {

namespace {

using platform::Message;
using platform::MessageKind;

bool alive = false;
const res::AcceleratorEntry* accelerators = nullptr;
int acceleratorCount = 0;
std::uint32_t menuPicture[MENU_PICTURE_WIDTH * MENU_PICTURE_HEIGHT];

Message make(MessageKind kind, int code = 0) {
    Message m;
    m.kind = kind;
    m.code = code;
    return m;
}

// Runs what the menu did: its notifications in order, then the redraw, then
// the chosen command, posted so that it runs after the menu has closed.
void deliver(const MenuEvents& events) {
    for (int i = 0; i < events.count; ++i) {
        windowProcedure(events.sent[i]);
    }
    if (events.command != 0) {
        platform::postMessage(make(MessageKind::Command, events.command));
    }
}

struct MenuLook {
    MenuMode mode;
    int popup;
    int item;
};

MenuLook look() {
    return MenuLook{menu.mode, menu.popup, menu.item};
}

bool sameLook(const MenuLook& a, const MenuLook& b) {
    return a.mode == b.mode && a.popup == b.popup && a.item == b.item;
}

bool feedMenu(const Message& message) {
    const MenuLook before = look();
    MenuEvents events{};
    const bool taken = menuInput(menu, message, events);
    deliver(events);
    if (alive && (events.count > 0 || !sameLook(before, look()))) {
        refreshMenuPicture();
    }
    return taken;
}

} // namespace

void refreshMenuPicture() {
    drawMenuPicture(menu, host.clientWidth, menuPicture);
    platform::presentMenu(menuPicture, host.clientWidth, MENU_PICTURE_HEIGHT);
}

bool menuTakes(const Message& message) {
    if (menu.mode == MenuMode::Closed) {
        return false;
    }
    return feedMenu(message);
}

long defaultWindowProcedure(const Message& message) {
    switch (message.kind) {
    case MessageKind::KeyDown:
        if (message.code == VK_F4 && (message.modifiers & platform::MOD_ALT) != 0) {
            windowProcedure(make(MessageKind::Close));
            return 0;
        }
        feedMenu(message);
        return 0;
    case MessageKind::KeyUp:
    case MessageKind::MouseDown:
    case MessageKind::MouseUp:
    case MessageKind::MouseMove:
    case MessageKind::FocusLost:
        feedMenu(message);
        return 0;
    default:
        return 0;
    }
}

void resetWindowProcedure() {
    alive = false;
    accelerators = nullptr;
    acceleratorCount = 0;
}

void windowOpened() {
    alive = true;
}
bool windowAlive() {
    return alive;
}

void destroyWindow() {
    if (!alive) {
        return;
    }
    alive = false;
    windowProcedure(make(MessageKind::Destroy));
    platform::destroyWindow();
}

void applyCheckMarks(int popup) {
    checkMenuItem(popup, res::CMD_SHOW_FPS, host.showFps != 0);
    checkMenuItem(popup, res::CMD_NO_WAIT, host.frameWait == 0);
    checkMenuItem(popup, res::CMD_SIZE_NORMAL, host.sizeMode == 1);
    checkMenuItem(popup, res::CMD_SIZE_DOUBLE, host.sizeMode == 2);
}

void runCommand(int id) {
    switch (id) {
    case res::CMD_EXIT:
        destroyWindow();
        return;
    case res::CMD_SIZE_NORMAL:
        if (host.sizeMode != 1) {
            host.sizeMode = 1;
            host.clientWidth = 320;
            host.clientHeight = 240;
            fitWindowToClient();
        }
        return;
    case res::CMD_SIZE_DOUBLE:
        if (host.sizeMode != 2) {
            host.sizeMode = 2;
            host.clientWidth = 640;
            host.clientHeight = 480;
            fitWindowToClient();
        }
        return;
    case res::CMD_NO_WAIT:
        host.frameWait = host.frameWait == 0 ? 1 : 0;
        return;
    case res::CMD_SHOW_FPS:
        host.showFps = host.showFps == 0 ? 1 : 0;
        return;
    case res::CMD_RESET:
        game::requestReset();
        return;
    default:
        return;
    }
}

long windowProcedure(const Message& message) {
    switch (message.kind) {
    case MessageKind::Destroy:
        destroyHost();
        platform::postQuitMessage(0);
        return 0;
    case MessageKind::Paint:
        // Nothing to draw: frames paint the window, and the platform shows
        // the last picture again wherever it was uncovered.
        return defaultWindowProcedure(message);
    case MessageKind::Close:
        destroyWindow();
        return 0;
    case MessageKind::Command:
        runCommand(message.code & 0xFFFF);
        return defaultWindowProcedure(message);
    case MessageKind::InitMenuPopup:
        applyCheckMarks(message.code);
        return defaultWindowProcedure(message);
    case MessageKind::EnterMenuLoop:
        host.running = 0;
        return defaultWindowProcedure(message);
    case MessageKind::ExitMenuLoop:
        host.running = 1;
        return defaultWindowProcedure(message);
    default:
        return defaultWindowProcedure(message);
    }
}

void loadAccelerators() {
    accelerators = res::ACCELERATORS;
    acceleratorCount = static_cast<int>(sizeof res::ACCELERATORS / sizeof res::ACCELERATORS[0]);
}

int translateAccelerator(const Message& message) {
    if (message.kind != MessageKind::KeyDown || !alive) {
        return 0;
    }
    std::uint8_t held = 0;
    held |= (message.modifiers & platform::MOD_SHIFT) != 0 ? res::FSHIFT : 0;
    held |= (message.modifiers & platform::MOD_CONTROL) != 0 ? res::FCONTROL : 0;
    held |= (message.modifiers & platform::MOD_ALT) != 0 ? res::FALT : 0;
    for (int i = 0; i < acceleratorCount; ++i) {
        const res::AcceleratorEntry& entry = accelerators[i];
        const std::uint8_t wanted = entry.flags & (res::FSHIFT | res::FCONTROL | res::FALT);
        if ((entry.flags & res::FVIRTKEY) != 0 && entry.key == message.code && wanted == held) {
            Message command = make(MessageKind::Command, entry.command | 0x10000);
            windowProcedure(command);
            return 1;
        }
    }
    return 0;
}

} // namespace shell
