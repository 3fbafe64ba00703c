#include "menubar/window.h"

#include "menubar/picture.h"
#include "platform/keyboard_snapshot.h"
#include "platform/keys.h"

namespace menubar {
namespace {

using platform::Message;
using platform::MessageKind;

platform::WindowProcedure procedure = nullptr;
ShowMenuPicture show = nullptr;
const res::AcceleratorResource* accelerators = nullptr;
MenuState menu = CLOSED_MENU;
int barWidth = 320;
std::uint32_t picture[MENU_PICTURE_WIDTH * MENU_PICTURE_HEIGHT];

Message make(MessageKind kind, int code = 0) {
    Message m;
    m.kind = kind;
    m.code = code;
    return m;
}

void refresh() {
    if (show != nullptr) {
        drawMenuPicture(menu, barWidth, picture);
        show(picture, barWidth, MENU_PICTURE_HEIGHT);
    }
}

// Runs what the menu did: its notifications in order, then the chosen
// command, posted so that it runs after the menu has closed.
void deliver(const MenuEvents& events) {
    for (int i = 0; i < events.count; ++i) {
        if (procedure != nullptr) {
            procedure(events.sent[i]);
        }
    }
    if (events.command != 0) {
        platform::postMessage(make(MessageKind::Command, events.command));
    }
}

bool sameLook(const MenuState& a, const MenuState& b) {
    return a.mode == b.mode && a.popup == b.popup && a.item == b.item;
}

bool feed(const Message& message) {
    const MenuState before = menu;
    MenuEvents events{};
    const bool taken = menuInput(menu, message, events);
    deliver(events);
    if (events.count > 0 || !sameLook(before, menu)) {
        refresh();
    }
    return taken;
}

} // namespace

void openWindow(const platform::WindowClass& windowClass, ShowMenuPicture showPicture) {
    procedure = windowClass.procedure;
    show = showPicture;
    layOutMenu(windowClass.menu != nullptr ? *windowClass.menu : res::MENU);
}

void closeWindow() {
    procedure = nullptr;
    show = nullptr;
    accelerators = nullptr;
}

void sendToWindow(MessageKind kind) {
    if (procedure != nullptr) {
        procedure(make(kind));
    }
}

void setBarWidth(int width) {
    barWidth = width < MENU_PICTURE_WIDTH ? width : MENU_PICTURE_WIDTH;
    refresh();
}

void noteFetched(const Message& message) {
    switch (message.kind) {
    case MessageKind::KeyDown:
        if (menu.mode == MenuMode::Closed) {
            platform::pressKey(message.code, message.repeat);
        }
        return;
    case MessageKind::KeyUp:
        platform::releaseKey(message.code);
        return;
    case MessageKind::FocusLost:
        platform::releaseAllKeys();
        return;
    default:
        return;
    }
}

void altUsedForShortcut() {
    menu.altAlone = false;
}

bool menuOpen() {
    return menu.mode != MenuMode::Closed;
}

const MenuState& menuState() {
    return menu;
}

void resetDrawnMenu() {
    closeWindow();
    menu = CLOSED_MENU;
    barWidth = 320;
    layOutMenu(res::MENU);
}

} // namespace menubar

namespace platform {

int loadAccelerators(const res::AcceleratorResource& table) {
    menubar::accelerators = &table;
    return 1;
}

int translateAccelerator(const Message& message) {
    using namespace menubar;
    if (message.kind != MessageKind::KeyDown || procedure == nullptr || accelerators == nullptr ||
        menuOpen()) {
        return 0;
    }
    std::uint8_t held = 0;
    held |= (message.modifiers & KEYMOD_SHIFT) != 0 ? res::ACCEL_SHIFT : 0;
    held |= (message.modifiers & KEYMOD_CONTROL) != 0 ? res::ACCEL_CONTROL : 0;
    held |= (message.modifiers & KEYMOD_ALT) != 0 ? res::ACCEL_ALT : 0;
    for (int i = 0; i < accelerators->count; ++i) {
        const res::AcceleratorEntry& entry = accelerators->entries[i];
        const std::uint8_t wanted =
            entry.flags & (res::ACCEL_SHIFT | res::ACCEL_CONTROL | res::ACCEL_ALT);
        if ((entry.flags & res::ACCEL_VIRTKEY) != 0 && entry.key == message.code &&
            wanted == held) {
            // As from a native table: the high word says the command came from a key.
            procedure(make(MessageKind::Command, entry.command | 0x10000));
            return 1;
        }
    }
    return 0;
}

void dispatchMessage(const Message& message) {
    using namespace menubar;
    // An open menu runs as a native one would: it takes every key and mouse
    // message, and only the rest reaches the window.
    if (menuOpen() && feed(message)) {
        return;
    }
    if (procedure != nullptr) {
        procedure(message);
    }
}

std::intptr_t defaultWindowProcedure(const Message& message) {
    using namespace menubar;
    switch (message.kind) {
    case MessageKind::KeyDown:
        if (message.code == KEY_F4 && (message.modifiers & KEYMOD_ALT) != 0) {
            if (procedure != nullptr) {
                procedure(make(MessageKind::Close));
            }
            return 0;
        }
        feed(message);
        return 0;
    case MessageKind::KeyUp:
    case MessageKind::MouseDown:
    case MessageKind::MouseUp:
    case MessageKind::MouseMove:
    case MessageKind::FocusLost:
        feed(message);
        return 0;
    default:
        return 0;
    }
}

int checkMenuItem(MenuHandle popup, int id, bool checked) {
    return menubar::setCheckMark(menubar::menu, static_cast<int>(popup), id, checked);
}

} // namespace platform
