#include "menubar/layout.h"

#include "gfx/text.h"

#include <cstring>

namespace menubar {
namespace {

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
    int popupCount;
    MenuPopupLayout popups[MAX_MENU_POPUPS];
};

Layout buildLayout(const res::MenuResource& model) {
    Layout layout{};
    layout.popupCount = model.popupCount < MAX_MENU_POPUPS ? model.popupCount : MAX_MENU_POPUPS;
    int titleX = 0;
    for (int p = 0; p < layout.popupCount; ++p) {
        const res::MenuPopupResource& source = model.popups[p];
        MenuPopupLayout& popup = layout.popups[p];
        popup.title = parseMenuText(source.title);
        popup.titleX = titleX;
        popup.titleWidth = MENU_TITLE_PADDING + textWidth(popup.title.label) + MENU_TITLE_PADDING;
        titleX += popup.titleWidth;

        int labelWidth = 0;
        int hintWidth = 0;
        int y = MENU_BAR_HEIGHT + MENU_BORDER + MENU_POPUP_PADDING;
        popup.itemCount = source.itemCount < MAX_MENU_ITEMS ? source.itemCount : MAX_MENU_ITEMS;
        for (int i = 0; i < popup.itemCount; ++i) {
            MenuItemLayout& item = popup.items[i];
            item.separator = source.items[i].text == nullptr;
            item.id = source.items[i].id;
            item.y = y;
            item.height = item.separator ? MENU_SEPARATOR_HEIGHT : MENU_ITEM_HEIGHT;
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
        popup.width = MENU_BORDER + MENU_CHECK_COLUMN + labelWidth +
                      (hintWidth > 0 ? MENU_HINT_GAP + hintWidth : 0) + MENU_TITLE_PADDING +
                      MENU_BORDER;
        popup.hintRight = popup.x + popup.width - MENU_BORDER - MENU_TITLE_PADDING;
        popup.height = y + MENU_POPUP_PADDING + MENU_BORDER - MENU_BAR_HEIGHT;
    }
    return layout;
}

Layout current{};
bool laidOut = false;

const Layout& layout() {
    if (!laidOut) {
        layOutMenu(res::MENU);
    }
    return current;
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

void layOutMenu(const res::MenuResource& model) {
    current = buildLayout(model);
    laidOut = true;
}

int menuPopupCount() {
    return layout().popupCount;
}

const MenuPopupLayout& menuPopup(int popup) {
    return layout().popups[popup];
}

int menuTitleAt(int x, int y) {
    if (y < 0 || y >= MENU_BAR_HEIGHT) {
        return -1;
    }
    for (int p = 0; p < menuPopupCount(); ++p) {
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

} // namespace menubar
