#include "platform/web/keymap.h"

#include "platform/drawn/window.h"
#include "platform/modifier_sides.h"

#include <cstring>

namespace webplatform {
namespace {

struct NamedKey {
    const char* code;
    int virtualKey;
};

// Keys by where they sit. The keypad digits are here whatever Num Lock
// says: a player's keys never depend on a lock they cannot see.
constexpr NamedKey NAMED_KEYS[] = {
    {"Numpad0", 96},
    {"Numpad1", 97},
    {"Numpad2", 98},
    {"Numpad3", 99},
    {"Numpad4", 100},
    {"Numpad5", 101},
    {"Numpad6", 102},
    {"Numpad7", 103},
    {"Numpad8", 104},
    {"Numpad9", 105},
    {"NumpadMultiply", 106},
    {"NumpadAdd", 107},
    {"NumpadSubtract", 109},
    {"NumpadDecimal", 110},
    {"NumpadDivide", 111},
    {"NumpadEnter", 13},
    {"Enter", 13},
    {"Backspace", 8},
    {"Tab", 9},
    {"ShiftLeft", 16},
    {"ShiftRight", 16},
    {"ControlLeft", 17},
    {"ControlRight", 17},
    {"AltLeft", 18},
    {"AltRight", 18},
    {"Pause", 19},
    {"Escape", 27},
    {"Space", 32},
    {"PageUp", 33},
    {"PageDown", 34},
    {"End", 35},
    {"Home", 36},
    {"ArrowLeft", 37},
    {"ArrowUp", 38},
    {"ArrowRight", 39},
    {"ArrowDown", 40},
    {"Insert", 45},
    {"Delete", 46},
    {"F1", 112},
    {"F2", 113},
    {"F3", 114},
    {"F4", 115},
    {"F5", 116},
    {"F6", 117},
    {"F7", 118},
    {"F8", 119},
    {"F9", 120},
    {"F10", 121},
    {"F11", 122},
    {"F12", 123},
};

bool startsWith(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// "KeyA" .. "KeyZ", "Digit0" .. "Digit9": the letter or digit, else 0.
char positionChar(const char* code, const char* prefix, char first, char last) {
    if (!startsWith(code, prefix)) {
        return 0;
    }
    const char* rest = code + std::strlen(prefix);
    return rest[0] >= first && rest[0] <= last && rest[1] == '\0' ? rest[0] : 0;
}

int find(const HeldKeys& held, const char* code) {
    for (int i = 0; i < held.count; ++i) {
        if (std::strcmp(held.code[i], code) == 0) {
            return i;
        }
    }
    return -1;
}

} // namespace

int virtualKeyOf(const char* code, const char* key) {
    if (code == nullptr) {
        return 0;
    }
    for (const NamedKey& named : NAMED_KEYS) {
        if (std::strcmp(code, named.code) == 0) {
            return named.virtualKey;
        }
    }
    // The digit row by position (on some layouts its keys type symbols).
    if (const char digit = positionChar(code, "Digit", '0', '9'); digit != 0) {
        return digit;
    }
    const char letter = positionChar(code, "Key", 'A', 'Z');
    if (letter == 0) {
        return 0;
    }
    // A letter key as the layout labels it; a layout without Latin letters
    // falls back to the key's position.
    if (key != nullptr && key[0] != '\0' && key[1] == '\0') {
        if (key[0] >= 'a' && key[0] <= 'z') {
            return 'A' + (key[0] - 'a');
        }
        if (key[0] >= 'A' && key[0] <= 'Z') {
            return key[0];
        }
    }
    return letter;
}

int holdKey(HeldKeys& held, const char* code, int virtualKey) {
    if (const int at = find(held, code); at >= 0) {
        return held.virtualKey[at];
    }
    // A code too long to keep, or more keys down than fingers: the key
    // still counts, its release is then taken as it comes.
    if (held.count < MAX_HELD_KEYS && std::strlen(code) < sizeof held.code[0]) {
        std::strcpy(held.code[held.count], code);
        held.virtualKey[held.count] = virtualKey;
        ++held.count;
    }
    return virtualKey;
}

int releaseHeldKey(HeldKeys& held, const char* code, int virtualKey) {
    const int at = find(held, code);
    if (at < 0) {
        return virtualKey;
    }
    const int pressed = held.virtualKey[at];
    --held.count;
    if (at != held.count) {
        std::strcpy(held.code[at], held.code[held.count]);
        held.virtualKey[at] = held.virtualKey[held.count];
    }
    return pressed;
}

bool trackSides(const char* code, bool down, bool& repeat) {
    constexpr const char* LEFT[3] = {"ShiftLeft", "ControlLeft", "AltLeft"};
    constexpr const char* RIGHT[3] = {"ShiftRight", "ControlRight", "AltRight"};
    for (int which = 0; which < 3; ++which) {
        const bool left = std::strcmp(code, LEFT[which]) == 0;
        if (left || std::strcmp(code, RIGHT[which]) == 0) {
            return platform::trackModifierSide(static_cast<platform::Modifier>(which), left, down,
                                               repeat);
        }
    }
    return true;
}

bool keepFromBrowser(int virtualKey, const HeldModifiers& held, bool menuOpen) {
    if (held.control || held.meta) {
        return false;
    }
    if (menuOpen || held.alt) {
        return true;
    }
    return drawn::keyUsed(virtualKey);
}

} // namespace webplatform
