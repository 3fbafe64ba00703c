// Keys by where they sit on the keyboard, for the platforms that are told
// where a key is: its USB usage (which SDL's scancodes are) or its name in
// the browser (KeyboardEvent.code), and the virtual key it gives. The
// keypad's digits are here whatever Num Lock says: a player's keys never
// depend on a lock they cannot see.
#pragma once

#include "platform/keys.h"

#include <cstdint>

namespace platform {

enum class KeySide : std::uint8_t { None, Left, Right };

struct KeyPosition {
    std::uint16_t usage;
    const char* code;
    VirtualKey key;
    KeySide side; // of Shift, Ctrl or Alt
};

// The key at USB usage `usage`, or at `code`; null for a key of none of ours.
const KeyPosition* keyAtUsage(int usage);
const KeyPosition* keyAtCode(const char* code);

// The virtual key of the key `at` that types `typed` (a Latin letter in
// either case, or 0): keys other than letters go by where they sit;
// letters by their label, since players find W, A, S, Z, Q and E by what
// is printed on them, or where they sit on a layout without Latin letters.
// A key of none of ours that types a letter gives the letter. 0 for none.
int virtualKeyOf(const KeyPosition* at, char typed);

// Notes a press or release of the key `at` for its side of Shift, Ctrl or
// Alt, as trackModifierSide does; any other key passes (returns true).
bool trackSide(const KeyPosition* at, bool down, bool& repeat);

} // namespace platform
