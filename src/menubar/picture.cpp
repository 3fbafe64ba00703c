#include "menubar/picture.h"

#include "gfx/text.h"

namespace menubar {
namespace {

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
    fill(picture, p.x, p.y, p.width - MENU_BORDER, p.height - MENU_BORDER, LIGHT);
    fill(picture, p.x + MENU_BORDER, p.y + MENU_BORDER, p.width - 2 * MENU_BORDER,
         p.height - 2 * MENU_BORDER, FACE);
    const gfx::Canvas canvas{picture.pixels, picture.width, MENU_PICTURE_HEIGHT, false};
    for (int i = 0; i < p.itemCount; ++i) {
        const MenuItemLayout& item = p.items[i];
        const int left = p.x + MENU_BORDER;
        const int inner = p.width - 2 * MENU_BORDER;
        if (item.separator) {
            fill(picture, left + 1, item.y + MENU_SEPARATOR_HEIGHT / 2, inner - 2, 1, SHADOW);
            fill(picture, left + 1, item.y + MENU_SEPARATOR_HEIGHT / 2 + 1, inner - 2, 1, LIGHT);
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
        drawText(picture, left + MENU_CHECK_COLUMN, textY, item.text, colour);
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
    for (int p = 0; p < menuPopupCount(); ++p) {
        const MenuPopupLayout& popup = menuPopup(p);
        const bool lit = state.mode != MenuMode::Closed && state.popup == p;
        if (lit) {
            fill(picture, popup.titleX, 0, popup.titleWidth, MENU_BAR_HEIGHT, HIGHLIGHT);
        }
        drawText(picture, popup.titleX + MENU_TITLE_PADDING, MENU_TEXT_TOP, popup.title,
                 lit ? HIGHLIGHT_TEXT : TEXT);
    }
    if (state.mode == MenuMode::Popup) {
        drawPopup(picture, state);
    }
}

} // namespace menubar
