#include "menubar/state.h"

#include "platform/keys.h"

namespace menubar {
namespace {

using platform::Message;
using platform::MessageKind;
using enum platform::VirtualKey;

bool isSelectable(int popup, int item) {
    const MenuPopupLayout& p = menuPopup(popup);
    return item >= 0 && item < p.itemCount && !p.items[item].separator;
}

// The next selectable item from `item` in direction `step`, wrapping.
int stepItem(int popup, int item, int step) {
    const int count = menuPopup(popup).itemCount;
    int at = item;
    for (int tries = 0; tries < count; ++tries) {
        at = at < 0 ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
        if (isSelectable(popup, at)) {
            return at;
        }
    }
    return -1;
}

int titleWithMnemonic(int key) {
    for (int p = 0; p < menuPopupCount(); ++p) {
        const char m = menuPopup(p).title.mnemonic;
        if (m != 0 && m == key) {
            return p;
        }
    }
    return -1;
}

int itemWithMnemonic(int popup, int key) {
    const MenuPopupLayout& p = menuPopup(popup);
    for (int i = 0; i < p.itemCount; ++i) {
        if (!p.items[i].separator && p.items[i].text.mnemonic != 0 &&
            p.items[i].text.mnemonic == key) {
            return i;
        }
    }
    return -1;
}

bool isMnemonicKey(int key) {
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

// A notification; a pop-up's index is its handle.
void send(MenuEvents& events, MessageKind kind, int popup = 0) {
    if (events.count < static_cast<int>(sizeof events.sent / sizeof events.sent[0])) {
        Message m;
        m.kind = kind;
        m.code = popup;
        m.popup = static_cast<platform::MenuHandle>(popup);
        events.sent[events.count++] = m;
    }
}

void enter(MenuState& state, MenuEvents& events) {
    state.altAlone = false;
    send(events, MessageKind::EnterMenuLoop);
}

void openPopup(MenuState& state, MenuEvents& events, int popup, int item) {
    state.mode = MenuMode::Popup;
    state.popup = popup;
    state.item = item;
    send(events, MessageKind::InitMenuPopup, popup);
}

void close(MenuState& state, MenuEvents& events) {
    state.mode = MenuMode::Closed;
    state.item = -1;
    state.altAlone = false;
    send(events, MessageKind::ExitMenuLoop);
}

void choose(MenuState& state, MenuEvents& events, int item) {
    events.command = menuPopup(state.popup).items[item].id;
    close(state, events);
}

bool closedInput(MenuState& state, const Message& m, MenuEvents& events) {
    switch (m.kind) {
    case MessageKind::KeyDown:
        if (m.code == KEY_MENU) {
            state.altAlone = !m.repeat || state.altAlone;
            return false;
        }
        if (m.code == KEY_F10 &&
            (m.modifiers & (platform::KEYMOD_SHIFT | platform::KEYMOD_CONTROL)) == 0) {
            enter(state, events);
            state.mode = MenuMode::Bar;
            state.popup = 0;
            return true;
        }
        if ((m.modifiers & platform::KEYMOD_ALT) != 0 && titleWithMnemonic(m.code) >= 0) {
            const int popup = titleWithMnemonic(m.code);
            enter(state, events);
            openPopup(state, events, popup, stepItem(popup, -1, 1));
            return true;
        }
        state.altAlone = false;
        return false;
    case MessageKind::KeyUp:
        if (m.code == KEY_MENU && state.altAlone) {
            enter(state, events);
            state.mode = MenuMode::Bar;
            state.popup = 0;
            return true;
        }
        return false;
    case MessageKind::MouseDown: {
        const int title = menuTitleAt(m.x, m.y);
        if (title < 0) {
            return false;
        }
        enter(state, events);
        openPopup(state, events, title, -1);
        return true;
    }
    case MessageKind::FocusLost:
        state.altAlone = false;
        return false;
    default:
        return false;
    }
}

void openKeyDown(MenuState& state, const Message& m, MenuEvents& events) {
    if (m.code == KEY_MENU) {
        state.altAlone = !m.repeat || state.altAlone;
        return;
    }
    state.altAlone = false;
    const bool popupOpen = state.mode == MenuMode::Popup;
    switch (m.code) {
    case KEY_ESCAPE:
    case KEY_F10:
        close(state, events);
        return;
    case KEY_LEFT:
    case KEY_RIGHT: {
        const int next =
            (state.popup + (m.code == KEY_RIGHT ? 1 : menuPopupCount() - 1)) % menuPopupCount();
        if (popupOpen) {
            openPopup(state, events, next, stepItem(next, -1, 1));
        } else {
            state.popup = next;
        }
        return;
    }
    case KEY_UP:
    case KEY_DOWN: {
        const int step = m.code == KEY_DOWN ? 1 : -1;
        if (popupOpen) {
            state.item = stepItem(state.popup, state.item, step);
        } else {
            openPopup(state, events, state.popup, stepItem(state.popup, -1, step));
        }
        return;
    }
    case KEY_RETURN:
        if (!popupOpen) {
            openPopup(state, events, state.popup, stepItem(state.popup, -1, 1));
        } else if (isSelectable(state.popup, state.item)) {
            choose(state, events, state.item);
        }
        return;
    default:
        break;
    }
    if (!isMnemonicKey(m.code)) {
        return;
    }
    if (popupOpen) {
        const int item = itemWithMnemonic(state.popup, m.code);
        if (item >= 0) {
            choose(state, events, item);
        }
    } else if (titleWithMnemonic(m.code) >= 0) {
        const int popup = titleWithMnemonic(m.code);
        openPopup(state, events, popup, stepItem(popup, -1, 1));
    }
}

void openMouse(MenuState& state, const Message& m, MenuEvents& events) {
    const int title = menuTitleAt(m.x, m.y);
    const bool popupOpen = state.mode == MenuMode::Popup;
    const int item = popupOpen ? menuItemAt(state.popup, m.x, m.y) : -2;
    switch (m.kind) {
    case MessageKind::MouseMove:
        if (popupOpen && title >= 0 && title != state.popup) {
            openPopup(state, events, title, -1);
        } else if (item >= -1) {
            state.item = isSelectable(state.popup, item) ? item : -1;
        }
        return;
    case MessageKind::MouseDown:
        if (title >= 0) {
            if (popupOpen && title == state.popup) {
                close(state, events);
            } else {
                openPopup(state, events, title, -1);
            }
        } else if (item >= -1) {
            state.item = isSelectable(state.popup, item) ? item : -1;
        } else {
            close(state, events);
        }
        return;
    case MessageKind::MouseUp:
        if (isSelectable(state.popup, item) && popupOpen) {
            choose(state, events, item);
        }
        return;
    default:
        return;
    }
}

} // namespace

int setCheckMark(MenuState& state, int popup, int id, bool checked) {
    if (popup < 0 || popup >= menuPopupCount()) {
        return -1;
    }
    const MenuPopupLayout& p = menuPopup(popup);
    for (int i = 0; i < p.itemCount; ++i) {
        if (!p.items[i].separator && p.items[i].id == id) {
            const int was = state.checked[popup][i] ? 1 : 0;
            state.checked[popup][i] = checked;
            return was;
        }
    }
    return -1;
}

bool opensMenu(int virtualKey) {
    return virtualKey == KEY_F10 || virtualKey == KEY_MENU;
}

bool menuInput(MenuState& state, const Message& message, MenuEvents& events) {
    events.count = 0;
    events.command = 0;
    if (state.mode == MenuMode::Closed) {
        return closedInput(state, message, events);
    }
    switch (message.kind) {
    case MessageKind::KeyDown:
        openKeyDown(state, message, events);
        return true;
    case MessageKind::KeyUp:
        if (message.code == KEY_MENU && state.altAlone) {
            close(state, events);
        }
        return true;
    case MessageKind::MouseDown:
    case MessageKind::MouseUp:
    case MessageKind::MouseMove:
        openMouse(state, message, events);
        return true;
    case MessageKind::FocusLost:
        // Another window took the keyboard: the menu goes, as a system menu would.
        close(state, events);
        return false;
    default:
        return false;
    }
}

} // namespace menubar
