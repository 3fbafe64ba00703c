#include "platform/web/keymap.h"

#include "platform/drawn/window.h"
#include "platform/key_positions.h"

#include <cstring>

namespace webplatform {
namespace {

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
    const platform::KeyPosition* at = platform::keyAtCode(code);
    // Only a letter key's label counts; what other keys type does not.
    const bool letterKey =
        at != nullptr && at->key >= platform::KEY_A && at->key <= platform::KEY_Z;
    const bool oneCharacter = key != nullptr && key[0] != '\0' && key[1] == '\0';
    return platform::virtualKeyOf(at, letterKey && oneCharacter ? key[0] : '\0');
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
    return platform::trackSide(platform::keyAtCode(code), down, repeat);
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
