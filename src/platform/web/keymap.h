// The page's keys: KeyboardEvent.code and .key to the virtual-key codes the
// game and the menu read, both sides of Shift, Ctrl and Alt as one code,
// and which keys the page keeps from the browser. Plain logic, no browser
// in it, so the native tests check it.
#pragma once

#include <cstdint>

namespace webplatform {

// The virtual-key code of a key, or 0 for a key the game has no code for.
// `code` names where the key sits (KeyboardEvent.code), `key` what it types
// (KeyboardEvent.key). The same rules as the desktop's: the keypad and the
// digit row by position, letters as the layout labels them, or by position
// where the layout has no Latin letters.
int virtualKeyOf(const char* code, const char* key);

// Keys that are down, by where they sit, with the code each press gave:
// the release gives the same code back, whatever the layout or the
// modifiers turned the key into meanwhile, so no key sticks.
constexpr int MAX_HELD_KEYS = 32;

struct HeldKeys {
    char code[MAX_HELD_KEYS][32];
    int virtualKey[MAX_HELD_KEYS];
    int count;
};

// The code for a press of the key at `code`: the one it already holds
// while down, else `virtualKey`, noted.
int holdKey(HeldKeys& held, const char* code, int virtualKey);
// The code for the release of the key at `code`: the one its press gave,
// else `virtualKey`. The key is down no more.
int releaseHeldKey(HeldKeys& held, const char* code, int virtualKey);

// Notes a press or release of the key at `code`, as trackModifierSide does
// for a side of Shift, Ctrl or Alt; any other key passes.
bool trackSides(const char* code, bool down, bool& repeat);

// Modifier keys held with a key, as KeyboardEvent reports them.
struct HeldModifiers {
    bool shift;
    bool control;
    bool alt;
    bool meta;
};

// Whether the page takes the key for itself (the browser's default action
// is prevented): every key the program reads (drawn::keyUsed), everything
// while a menu is open or Alt is held (so Alt, F10, F11, F12 and Alt+Left
// never reach the browser), and nothing with Ctrl or the meta key, which
// stay the browser's shortcuts.
bool keepFromBrowser(int virtualKey, const HeldModifiers& held, bool menuOpen);

} // namespace webplatform
