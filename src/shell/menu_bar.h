// The window's menu bar, drawn by the program itself: its layout, the
// check marks of its items, and the state machine that key and mouse
// messages drive while it opens, moves and closes.
#pragma once

#include "platform/keys.h"
#include "platform/platform.h"

#include <cstdint>

namespace shell {

constexpr int MENU_BAR_HEIGHT = 20;
constexpr int MENU_POPUPS = 2;
constexpr int MAX_MENU_ITEMS = 8;
constexpr int MENU_PICTURE_WIDTH = 640;
constexpr int MENU_PICTURE_HEIGHT = 128;

// The virtual-key codes, by name.
using enum platform::VirtualKey;

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

// Splits a resource text ("ﾌｧｲﾙ(&F)", "reset\tF9") into a MenuText.
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

// The layout of menu resource 101, computed once from the glyph widths.
const MenuPopupLayout& menuPopup(int popup);

enum class MenuMode : std::uint8_t {
    Closed,
    Bar,   // a title highlighted, no pop-up open (after Alt or F10)
    Popup, // pop-up `popup` open
};

struct MenuState {
    MenuMode mode;
    int popup;     // highlighted title or open pop-up
    int item;      // highlighted item of the open pop-up, -1 for none
    bool altAlone; // Alt is down and no other key came since: its release toggles the bar
    bool checked[MENU_POPUPS][MAX_MENU_ITEMS];
};

extern MenuState menu;

void resetMenu();

// Sets or clears the check mark of item `id` in pop-up `popup`. Returns the
// earlier state (1 checked, 0 not), or -1 when the pop-up has no such item.
int checkMenuItem(int popup, int id, bool checked);
// Whether item `id` is checked in whichever pop-up holds it.
bool menuItemChecked(int id);

// What one input message made the menu do: notifications for the window
// procedure in order, and a command to post once the menu has closed.
struct MenuEvents {
    platform::Message sent[3];
    int count;
    int command; // 0 for none
};

// Feeds a message to the menu. In the Closed mode only the ways in are
// looked at; while it is open every key and mouse message is the menu's.
// Returns true when the menu took the message.
bool menuInput(MenuState& state, const platform::Message& message, MenuEvents& events);

// Where (x, y) falls: a title index, or -1.
int menuTitleAt(int x, int y);
// The item of pop-up `popup` under (x, y), or -1 (outside the box: -2).
int menuItemAt(int popup, int x, int y);

// Draws the bar `width` pixels wide and the open pop-up into `pixels`
// (0xAARRGGBB, `width` per row, MENU_PICTURE_HEIGHT rows, top row first);
// everything outside them is transparent.
void drawMenuPicture(const MenuState& state, int width, std::uint32_t* pixels);

} // namespace shell
