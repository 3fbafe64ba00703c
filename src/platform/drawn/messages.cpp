// The drawn window's messages: the order they are fetched in, the
// accelerator table, and the menu that runs as a native one would.
#include "platform/drawn/internal.h"
#include "platform/keyboard_snapshot.h"
#include "platform/keys.h"
#include "platform/message_queue.h"

namespace drawn {
namespace {

using platform::Message;
using platform::MessageKind;

// Runs what the menu did: its notifications in order, then the chosen
// command, posted so that it runs after the menu has closed.
void deliver(const menubar::MenuEvents& events) {
    for (int i = 0; i < events.count; ++i) {
        if (state.open) {
            state.windowClass.procedure(events.sent[i]);
        }
    }
    if (events.command != 0) {
        Message command;
        command.kind = MessageKind::Command;
        command.code = events.command;
        platform::postMessage(command);
    }
}

bool sameLook(const menubar::MenuState& a, const menubar::MenuState& b) {
    return a.mode == b.mode && a.popup == b.popup && a.item == b.item;
}

// Hands a message to the menu. Returns whether the menu took it.
bool feedMenu(const Message& message) {
    if (!state.hooks.bar) {
        return false;
    }
    const menubar::MenuState before = menu;
    menubar::MenuEvents events{};
    const bool taken = menubar::menuInput(menu, message, events);
    deliver(events);
    if (events.count > 0 || !sameLook(before, menu)) {
        refreshMenu();
    }
    return taken;
}

// A message taken from the queue or the platform, before it is handled.
void noteFetched(const Message& message) {
    platform::feedKeyboard(message, menuOpen());
}

// The platform's own next message, past those the window answers itself.
bool pollOwn(Message& message) {
    while (state.hooks.poll(message)) {
        if (!windowKeyOrClick(message)) {
            return true;
        }
    }
    return false;
}

} // namespace

void altUsedForShortcut() {
    menu.altAlone = false;
}

bool keyUsed(int virtualKey) {
    const platform::WindowClass& c = state.windowClass;
    for (int i = 0; i < c.keyCount; ++i) {
        if (c.keys[i] == virtualKey) {
            return true;
        }
    }
    if (state.accelerators != nullptr) {
        for (int i = 0; i < state.accelerators->count; ++i) {
            if (state.accelerators->entries[i].key == virtualKey) {
                return true;
            }
        }
    }
    return state.hooks.bar && menubar::opensMenu(virtualKey);
}

} // namespace drawn

namespace platform {

int peekMessage(Message& message) {
    if (takePostedMessage(message) || (drawn::state.open && drawn::pollOwn(message))) {
        drawn::noteFetched(message);
        return 1;
    }
    return 0;
}

int getMessage(Message& message) {
    using drawn::state;
    for (;;) {
        if (takePostedMessage(message)) {
            break;
        }
        if (!state.open) {
            // The window is gone and nothing was posted: nothing more can come.
            message = quitMessage(state.hooks.endCode);
            return 0;
        }
        const drawn::Wait waited = state.hooks.wait(message);
        if (waited == drawn::Wait::Never) {
            message = quitMessage(state.hooks.endCode);
            return 0;
        }
        if (waited == drawn::Wait::Message && !drawn::windowKeyOrClick(message)) {
            break;
        }
    }
    drawn::noteFetched(message);
    return message.kind == MessageKind::Quit ? 0 : 1;
}

int loadAccelerators(const res::AcceleratorResource& table) {
    drawn::state.accelerators = &table;
    return 1;
}

int translateAccelerator(const Message& message) {
    using drawn::state;
    if (message.kind != MessageKind::KeyDown || !state.open || state.accelerators == nullptr ||
        drawn::menuOpen()) {
        return 0;
    }
    std::uint8_t held = 0;
    held |= (message.modifiers & KEYMOD_SHIFT) != 0 ? res::ACCEL_SHIFT : 0;
    held |= (message.modifiers & KEYMOD_CONTROL) != 0 ? res::ACCEL_CONTROL : 0;
    held |= (message.modifiers & KEYMOD_ALT) != 0 ? res::ACCEL_ALT : 0;
    for (int i = 0; i < state.accelerators->count; ++i) {
        const res::AcceleratorEntry& entry = state.accelerators->entries[i];
        const std::uint8_t wanted =
            entry.flags & (res::ACCEL_SHIFT | res::ACCEL_CONTROL | res::ACCEL_ALT);
        if ((entry.flags & res::ACCEL_VIRTKEY) != 0 && entry.key == message.code &&
            wanted == held) {
            // As from a native table: the high word says the command came from a key.
            Message command;
            command.kind = MessageKind::Command;
            command.code = entry.command | 0x10000;
            state.windowClass.procedure(command);
            return 1;
        }
    }
    return 0;
}

void dispatchMessage(const Message& message) {
    // An open menu runs as a native one would: it takes every key and mouse
    // message, and only the rest reaches the window.
    if (drawn::menuOpen() && drawn::feedMenu(message)) {
        return;
    }
    if (message.kind == MessageKind::Command) {
        drawn::leaveFullscreenFor(message);
    }
    if (drawn::state.open) {
        drawn::state.windowClass.procedure(message);
    }
}

std::intptr_t defaultWindowProcedure(const Message& message) {
    switch (message.kind) {
    case MessageKind::KeyDown:
        if (message.code == KEY_F4 && (message.modifiers & KEYMOD_ALT) != 0) {
            drawn::sendToWindow(MessageKind::Close);
            return 0;
        }
        drawn::feedMenu(message);
        return 0;
    case MessageKind::KeyUp:
    case MessageKind::MouseDown:
    case MessageKind::MouseUp:
    case MessageKind::MouseMove:
    case MessageKind::FocusLost:
        drawn::feedMenu(message);
        return 0;
    default:
        return 0;
    }
}

int checkMenuItem(MenuHandle popup, int id, bool checked) {
    return menubar::setCheckMark(drawn::menu, static_cast<int>(popup), id, checked);
}

} // namespace platform
