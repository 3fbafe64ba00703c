#include "shell/menu_bar.h"

#include "gfx/text.h"
#include "res/menu.h"

#include <cstring>

namespace shell {

MenuState menu;

namespace {

using platform::Message;
using platform::MessageKind;

constexpr int TITLE_PADDING = 8;
constexpr int TEXT_TOP = 2;
constexpr int ITEM_HEIGHT = 18;
constexpr int SEPARATOR_HEIGHT = 7;
constexpr int CHECK_COLUMN = 20;
constexpr int HINT_GAP = 16;
constexpr int BORDER = 1;
constexpr int POPUP_PADDING = 2;

constexpr std::uint32_t OPAQUE = 0xFF000000u;
constexpr std::uint32_t FACE = OPAQUE | 0xD4D0C8u;
constexpr std::uint32_t TEXT = OPAQUE | 0x000000u;
constexpr std::uint32_t HIGHLIGHT = OPAQUE | 0x0A246Au;
constexpr std::uint32_t HIGHLIGHT_TEXT = OPAQUE | 0xFFFFFFu;
constexpr std::uint32_t SHADOW = OPAQUE | 0x808080u;
constexpr std::uint32_t LIGHT = OPAQUE | 0xFFFFFFu;

int textWidth(const char* text) {
    return gfx::glyphTextWidth(text, gfx::Encoding::Utf8);
}

// Bytes of the UTF-8 character that starts with `lead`.
int utf8Length(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xF0) {
        return 4;
    }
    if (lead >= 0xE0) {
        return 3;
    }
    return 2;
}

struct Layout {
    MenuPopupLayout popups[MENU_POPUPS];
};

Layout buildLayout() {
    static_assert(res::MENU_POPUP_COUNT == MENU_POPUPS);
    Layout layout{};
    int titleX = 0;
    for (int p = 0; p < MENU_POPUPS; ++p) {
        const res::MenuPopupResource& source = res::MENU[p];
        MenuPopupLayout& popup = layout.popups[p];
        popup.title = parseMenuText(source.title);
        popup.titleX = titleX;
        popup.titleWidth = TITLE_PADDING + textWidth(popup.title.label) + TITLE_PADDING;
        titleX += popup.titleWidth;

        int labelWidth = 0;
        int hintWidth = 0;
        int y = MENU_BAR_HEIGHT + BORDER + POPUP_PADDING;
        popup.itemCount = source.itemCount < MAX_MENU_ITEMS ? source.itemCount : MAX_MENU_ITEMS;
        for (int i = 0; i < popup.itemCount; ++i) {
            MenuItemLayout& item = popup.items[i];
            item.separator = source.items[i].text == nullptr;
            item.id = source.items[i].id;
            item.y = y;
            item.height = item.separator ? SEPARATOR_HEIGHT : ITEM_HEIGHT;
            y += item.height;
            if (!item.separator) {
                item.text = parseMenuText(source.items[i].text);
                const int w = textWidth(item.text.label);
                const int h = textWidth(item.text.hint);
                labelWidth = w > labelWidth ? w : labelWidth;
                hintWidth = h > hintWidth ? h : hintWidth;
            }
        }
        popup.x = popup.titleX;
        popup.y = MENU_BAR_HEIGHT;
        popup.width = BORDER + CHECK_COLUMN + labelWidth +
                      (hintWidth > 0 ? HINT_GAP + hintWidth : 0) + TITLE_PADDING + BORDER;
        popup.hintRight = popup.x + popup.width - BORDER - TITLE_PADDING;
        popup.height = y + POPUP_PADDING + BORDER - MENU_BAR_HEIGHT;
    }
    return layout;
}

const Layout& layout() {
    static const Layout built = buildLayout();
    return built;
}

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
    for (int p = 0; p < MENU_POPUPS; ++p) {
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

void send(MenuEvents& events, MessageKind kind, int code = 0) {
    if (events.count < static_cast<int>(sizeof events.sent / sizeof events.sent[0])) {
        Message m;
        m.kind = kind;
        m.code = code;
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
        if (m.code == VK_MENU) {
            state.altAlone = !m.repeat || state.altAlone;
            return false;
        }
        if (m.code == VK_F10 &&
            (m.modifiers & (platform::MOD_SHIFT | platform::MOD_CONTROL)) == 0) {
            enter(state, events);
            state.mode = MenuMode::Bar;
            state.popup = 0;
            return true;
        }
        if ((m.modifiers & platform::MOD_ALT) != 0 && titleWithMnemonic(m.code) >= 0) {
            const int popup = titleWithMnemonic(m.code);
            enter(state, events);
            openPopup(state, events, popup, stepItem(popup, -1, 1));
            return true;
        }
        state.altAlone = false;
        return false;
    case MessageKind::KeyUp:
        if (m.code == VK_MENU && state.altAlone) {
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
    if (m.code == VK_MENU) {
        state.altAlone = !m.repeat || state.altAlone;
        return;
    }
    state.altAlone = false;
    const bool popupOpen = state.mode == MenuMode::Popup;
    switch (m.code) {
    case VK_ESCAPE:
    case VK_F10:
        close(state, events);
        return;
    case VK_LEFT:
    case VK_RIGHT: {
        const int next = (state.popup + (m.code == VK_RIGHT ? 1 : MENU_POPUPS - 1)) % MENU_POPUPS;
        if (popupOpen) {
            openPopup(state, events, next, stepItem(next, -1, 1));
        } else {
            state.popup = next;
        }
        return;
    }
    case VK_UP:
    case VK_DOWN: {
        const int step = m.code == VK_DOWN ? 1 : -1;
        if (popupOpen) {
            state.item = stepItem(state.popup, state.item, step);
        } else {
            openPopup(state, events, state.popup, stepItem(state.popup, -1, step));
        }
        return;
    }
    case VK_RETURN:
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

MenuText parseMenuText(const char* text) {
    MenuText out{};
    std::size_t length = 0;
    const char* at = text;
    bool underlineNext = false;
    while (*at != '\0' && *at != '\t') {
        if (*at == '&' && at[1] != '&' && at[1] != '\0') {
            underlineNext = true;
            ++at;
            continue;
        }
        if (*at == '&' && at[1] == '&') {
            ++at; // "&&" is one ampersand
        }
        const int bytes = utf8Length(static_cast<unsigned char>(*at));
        if (length + static_cast<std::size_t>(bytes) >= sizeof out.label) {
            break;
        }
        for (int b = 0; b < bytes && at[b] != '\0'; ++b) {
            out.label[length++] = at[b];
        }
        if (underlineNext) {
            underlineNext = false;
            char letter = *at;
            if (letter >= 'a' && letter <= 'z') {
                letter = static_cast<char>(letter - 'a' + 'A');
            }
            out.mnemonic = bytes == 1 ? letter : 0;
            char character[5] = {};
            std::memcpy(character, at, static_cast<std::size_t>(bytes));
            out.label[length] = '\0';
            out.underlineWidth = textWidth(character);
            out.underlineX = textWidth(out.label) - out.underlineWidth;
        }
        at += bytes;
    }
    out.label[length] = '\0';
    if (*at == '\t') {
        std::strncpy(out.hint, at + 1, sizeof out.hint - 1);
    }
    return out;
}

const MenuPopupLayout& menuPopup(int popup) {
    return layout().popups[popup];
}

void resetMenu() {
    menu = MenuState{MenuMode::Closed, 0, -1, false, {}};
}

int checkMenuItem(int popup, int id, bool checked) {
    if (popup < 0 || popup >= MENU_POPUPS) {
        return -1;
    }
    const MenuPopupLayout& p = menuPopup(popup);
    for (int i = 0; i < p.itemCount; ++i) {
        if (!p.items[i].separator && p.items[i].id == id) {
            const int was = menu.checked[popup][i] ? 1 : 0;
            menu.checked[popup][i] = checked;
            return was;
        }
    }
    return -1;
}

bool menuItemChecked(int id) {
    for (int p = 0; p < MENU_POPUPS; ++p) {
        const MenuPopupLayout& popup = menuPopup(p);
        for (int i = 0; i < popup.itemCount; ++i) {
            if (!popup.items[i].separator && popup.items[i].id == id) {
                return menu.checked[p][i];
            }
        }
    }
    return false;
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
        if (message.code == VK_MENU && state.altAlone) {
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

int menuTitleAt(int x, int y) {
    if (y < 0 || y >= MENU_BAR_HEIGHT) {
        return -1;
    }
    for (int p = 0; p < MENU_POPUPS; ++p) {
        const MenuPopupLayout& popup = menuPopup(p);
        if (x >= popup.titleX && x < popup.titleX + popup.titleWidth) {
            return p;
        }
    }
    return -1;
}

int menuItemAt(int popup, int x, int y) {
    const MenuPopupLayout& p = menuPopup(popup);
    if (x < p.x || x >= p.x + p.width || y < p.y || y >= p.y + p.height) {
        return -2;
    }
    for (int i = 0; i < p.itemCount; ++i) {
        if (y >= p.items[i].y && y < p.items[i].y + p.items[i].height) {
            return i;
        }
    }
    return -1;
}

namespace {

struct Picture {
    std::uint32_t* pixels;
    int width;
};

void fill(const Picture& picture, int x, int y, int w, int h, std::uint32_t colour) {
    for (int row = y; row < y + h && row < MENU_PICTURE_HEIGHT; ++row) {
        for (int column = x; column < x + w && column < picture.width; ++column) {
            if (row >= 0 && column >= 0) {
                picture.pixels[row * picture.width + column] = colour;
            }
        }
    }
}

void drawText(const Picture& picture, int x, int y, const MenuText& text, std::uint32_t colour) {
    const gfx::Canvas canvas{picture.pixels, picture.width, MENU_PICTURE_HEIGHT, false};
    gfx::drawGlyphText(canvas, x, y, colour, text.label, gfx::Encoding::Utf8);
    if (text.underlineWidth > 0) {
        fill(picture, x + text.underlineX, y + 15, text.underlineWidth, 1, colour);
    }
}

void drawPopup(const Picture& picture, const MenuState& state) {
    const MenuPopupLayout& p = menuPopup(state.popup);
    fill(picture, p.x, p.y, p.width, p.height, SHADOW);
    fill(picture, p.x, p.y, p.width - BORDER, p.height - BORDER, LIGHT);
    fill(picture, p.x + BORDER, p.y + BORDER, p.width - 2 * BORDER, p.height - 2 * BORDER, FACE);
    const gfx::Canvas canvas{picture.pixels, picture.width, MENU_PICTURE_HEIGHT, false};
    for (int i = 0; i < p.itemCount; ++i) {
        const MenuItemLayout& item = p.items[i];
        const int left = p.x + BORDER;
        const int inner = p.width - 2 * BORDER;
        if (item.separator) {
            fill(picture, left + 1, item.y + SEPARATOR_HEIGHT / 2, inner - 2, 1, SHADOW);
            fill(picture, left + 1, item.y + SEPARATOR_HEIGHT / 2 + 1, inner - 2, 1, LIGHT);
            continue;
        }
        const bool lit = i == state.item;
        const std::uint32_t colour = lit ? HIGHLIGHT_TEXT : TEXT;
        if (lit) {
            fill(picture, left, item.y, inner, item.height, HIGHLIGHT);
        }
        const int textY = item.y + 1;
        if (state.checked[state.popup][i]) {
            gfx::drawGlyphText(canvas, left + 2, textY, colour, "\u2713", gfx::Encoding::Utf8);
        }
        drawText(picture, left + CHECK_COLUMN, textY, item.text, colour);
        if (item.text.hint[0] != '\0') {
            const int w = textWidth(item.text.hint);
            gfx::drawGlyphText(canvas, p.hintRight - w, textY, colour, item.text.hint,
                               gfx::Encoding::Utf8);
        }
    }
}

} // namespace

void drawMenuPicture(const MenuState& state, int width, std::uint32_t* pixels) {
    const Picture picture{pixels, width};
    fill(picture, 0, 0, width, MENU_PICTURE_HEIGHT, 0);
    fill(picture, 0, 0, width, MENU_BAR_HEIGHT, FACE);
    for (int p = 0; p < MENU_POPUPS; ++p) {
        const MenuPopupLayout& popup = menuPopup(p);
        const bool lit = state.mode != MenuMode::Closed && state.popup == p;
        if (lit) {
            fill(picture, popup.titleX, 0, popup.titleWidth, MENU_BAR_HEIGHT, HIGHLIGHT);
        }
        drawText(picture, popup.titleX + TITLE_PADDING, TEXT_TOP, popup.title,
                 lit ? HIGHLIGHT_TEXT : TEXT);
    }
    if (state.mode == MenuMode::Popup) {
        drawPopup(picture, state);
    }
}

} // namespace shell
