// The drawn menu's state machine: key and mouse messages open, move and
// close it, and it answers with the notifications a native menu would
// send and the command chosen.
#pragma once

#include "menubar/layout.h"
#include "platform/platform.h"

namespace menubar {

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
    bool checked[MAX_MENU_POPUPS][MAX_MENU_ITEMS];
};

constexpr MenuState CLOSED_MENU{MenuMode::Closed, 0, -1, false, {}};

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

// Sets or clears the check mark of item `id` in pop-up `popup`. Returns the
// earlier state (1 checked, 0 not), or -1 when the pop-up has no such item.
int setCheckMark(MenuState& state, int popup, int id, bool checked);
// Whether `virtualKey` opens the closed menu (F10, and Alt on its own).
bool opensMenu(int virtualKey);

} // namespace menubar
