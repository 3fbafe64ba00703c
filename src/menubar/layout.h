// The drawn menu bar's layout: the menu model's texts as shown and where
// each title, pop-up and item lies in the window. Platforms without native
// menus draw the bar above the game's picture.
#pragma once

#include "res/menu.h"

#include <cstdint>

namespace menubar {

constexpr int MENU_BAR_HEIGHT = 20;
constexpr int MAX_MENU_POPUPS = 4;
constexpr int MAX_MENU_ITEMS = 8;
// Metrics of the bar and its pop-ups, in pixels.
constexpr int MENU_TITLE_PADDING = 8;
constexpr int MENU_TEXT_TOP = 2;
constexpr int MENU_ITEM_HEIGHT = 18;
constexpr int MENU_SEPARATOR_HEIGHT = 7;
constexpr int MENU_CHECK_COLUMN = 20;
constexpr int MENU_HINT_GAP = 16;
constexpr int MENU_BORDER = 1;
constexpr int MENU_POPUP_PADDING = 2;
// The menu picture: the bar and an open pop-up, at most this large.
constexpr int MENU_PICTURE_WIDTH = 3840; // a fullscreen bar spans the screen
constexpr int MENU_PICTURE_HEIGHT = 128;

// One menu entry's text as shown: the ampersand taken out, the key hint
// split off, the mnemonic letter (upper case, 0 for none) and where its
// underline goes.
struct MenuText {
    char label[48];
    char hint[16];
    char mnemonic;
    int underlineX;
    int underlineWidth;
};

// Splits a model text ("ﾌｧｲﾙ(&F)", "reset\tF9") into a MenuText.
MenuText parseMenuText(const char* text);

struct MenuItemLayout {
    bool separator;
    std::uint16_t id;
    MenuText text;
    int y; // top, in window rows
    int height;
};

struct MenuPopupLayout {
    MenuText title;
    int titleX;
    int titleWidth;
    int x; // the pop-up's box, in window pixels
    int y;
    int width;
    int height;
    int hintRight; // key hints end at this column
    int itemCount;
    MenuItemLayout items[MAX_MENU_ITEMS];
};

// Lays out `model` from the glyph widths; until then the game's own menu
// is laid out.
void layOutMenu(const res::MenuResource& model);

int menuPopupCount();
const MenuPopupLayout& menuPopup(int popup);

// Where (x, y) falls: a title index, or -1.
int menuTitleAt(int x, int y);
// The item of pop-up `popup` under (x, y), or -1 (outside the box: -2).
int menuItemAt(int popup, int x, int y);

} // namespace menubar
