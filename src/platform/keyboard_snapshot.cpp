// The keyboard snapshot and how key messages change it; the same on every
// platform that builds it from events, only the source of the messages
// differs.
#include "platform/keyboard_snapshot.h"

#include "platform/key_events.h"
#include "platform/modifier_sides.h"

#include <cstring>

namespace platform {
namespace {
std::uint8_t keys[KEY_COUNT];
}

std::uint8_t (&keyboardSnapshot())[KEY_COUNT] {
    return keys;
}

int getKeyboardState(std::uint8_t (&out)[KEY_COUNT]) {
    std::memcpy(out, keys, sizeof keys);
    applyKeyEvents(out);
    return 1;
}

void pressKey(int virtualKey, bool repeat) {
    std::uint8_t& key = keys[virtualKey & 0xFF];
    if (!repeat || (key & 0x80) == 0) {
        key = static_cast<std::uint8_t>((key | 0x80) ^ 0x01);
        noteKeyDown(virtualKey);
    }
}

void releaseKey(int virtualKey) {
    std::uint8_t& key = keys[virtualKey & 0xFF];
    if ((key & 0x80) != 0) {
        key = static_cast<std::uint8_t>(key & ~0x80);
        noteKeyUp(virtualKey);
    }
}

void releaseAllKeys() {
    for (std::uint8_t& key : keys) {
        key = static_cast<std::uint8_t>(key & ~0x80);
    }
    forgetKeyEvents();
}

void clearKeyboard() {
    std::memset(keys, 0, sizeof keys);
    forgetKeyEvents();
    forgetModifierSides();
}

void feedKeyboard(const Message& message, bool menuKeepsPresses) {
    switch (message.kind) {
    case MessageKind::KeyDown:
        if (!menuKeepsPresses) {
            pressKey(message.code, message.repeat);
        }
        return;
    case MessageKind::KeyUp:
        releaseKey(message.code);
        return;
    case MessageKind::FocusLost:
        releaseAllKeys();
        forgetModifierSides();
        return;
    default:
        return;
    }
}

} // namespace platform
