#include "platform/key_positions.h"

#include "platform/modifier_sides.h"

#include <cstring>

namespace platform {
namespace {

constexpr KeyPosition at(int usage, const char* code, VirtualKey key,
                         KeySide side = KeySide::None) {
    return KeyPosition{static_cast<std::uint16_t>(usage), code, key, side};
}

constexpr KeyPosition KEY_POSITIONS[] = {
    at(0x04, "KeyA", KEY_A),
    at(0x05, "KeyB", KEY_B),
    at(0x06, "KeyC", KEY_C),
    at(0x07, "KeyD", KEY_D),
    at(0x08, "KeyE", KEY_E),
    at(0x09, "KeyF", KEY_F),
    at(0x0A, "KeyG", KEY_G),
    at(0x0B, "KeyH", KEY_H),
    at(0x0C, "KeyI", KEY_I),
    at(0x0D, "KeyJ", KEY_J),
    at(0x0E, "KeyK", KEY_K),
    at(0x0F, "KeyL", KEY_L),
    at(0x10, "KeyM", KEY_M),
    at(0x11, "KeyN", KEY_N),
    at(0x12, "KeyO", KEY_O),
    at(0x13, "KeyP", KEY_P),
    at(0x14, "KeyQ", KEY_Q),
    at(0x15, "KeyR", KEY_R),
    at(0x16, "KeyS", KEY_S),
    at(0x17, "KeyT", KEY_T),
    at(0x18, "KeyU", KEY_U),
    at(0x19, "KeyV", KEY_V),
    at(0x1A, "KeyW", KEY_W),
    at(0x1B, "KeyX", KEY_X),
    at(0x1C, "KeyY", KEY_Y),
    at(0x1D, "KeyZ", KEY_Z),
    // The digit row by position: on some layouts its keys type symbols.
    at(0x1E, "Digit1", KEY_1),
    at(0x1F, "Digit2", KEY_2),
    at(0x20, "Digit3", KEY_3),
    at(0x21, "Digit4", KEY_4),
    at(0x22, "Digit5", KEY_5),
    at(0x23, "Digit6", KEY_6),
    at(0x24, "Digit7", KEY_7),
    at(0x25, "Digit8", KEY_8),
    at(0x26, "Digit9", KEY_9),
    at(0x27, "Digit0", KEY_0),
    at(0x28, "Enter", KEY_RETURN),
    at(0x29, "Escape", KEY_ESCAPE),
    at(0x2A, "Backspace", KEY_BACK),
    at(0x2B, "Tab", KEY_TAB),
    at(0x2C, "Space", KEY_SPACE),
    at(0x3A, "F1", KEY_F1),
    at(0x3B, "F2", KEY_F2),
    at(0x3C, "F3", KEY_F3),
    at(0x3D, "F4", KEY_F4),
    at(0x3E, "F5", KEY_F5),
    at(0x3F, "F6", KEY_F6),
    at(0x40, "F7", KEY_F7),
    at(0x41, "F8", KEY_F8),
    at(0x42, "F9", KEY_F9),
    at(0x43, "F10", KEY_F10),
    at(0x44, "F11", KEY_F11),
    at(0x45, "F12", KEY_F12),
    at(0x48, "Pause", KEY_PAUSE),
    at(0x49, "Insert", KEY_INSERT),
    at(0x4A, "Home", KEY_HOME),
    at(0x4B, "PageUp", KEY_PRIOR),
    at(0x4C, "Delete", KEY_DELETE),
    at(0x4D, "End", KEY_END),
    at(0x4E, "PageDown", KEY_NEXT),
    at(0x4F, "ArrowRight", KEY_RIGHT),
    at(0x50, "ArrowLeft", KEY_LEFT),
    at(0x51, "ArrowDown", KEY_DOWN),
    at(0x52, "ArrowUp", KEY_UP),
    at(0x54, "NumpadDivide", KEY_DIVIDE),
    at(0x55, "NumpadMultiply", KEY_MULTIPLY),
    at(0x56, "NumpadSubtract", KEY_SUBTRACT),
    at(0x57, "NumpadAdd", KEY_ADD),
    at(0x58, "NumpadEnter", KEY_RETURN),
    at(0x59, "Numpad1", KEY_NUMPAD1),
    at(0x5A, "Numpad2", KEY_NUMPAD2),
    at(0x5B, "Numpad3", KEY_NUMPAD3),
    at(0x5C, "Numpad4", KEY_NUMPAD4),
    at(0x5D, "Numpad5", KEY_NUMPAD5),
    at(0x5E, "Numpad6", KEY_NUMPAD6),
    at(0x5F, "Numpad7", KEY_NUMPAD7),
    at(0x60, "Numpad8", KEY_NUMPAD8),
    at(0x61, "Numpad9", KEY_NUMPAD9),
    at(0x62, "Numpad0", KEY_NUMPAD0),
    at(0x63, "NumpadDecimal", KEY_DECIMAL),
    at(0xE0, "ControlLeft", KEY_CONTROL, KeySide::Left),
    at(0xE1, "ShiftLeft", KEY_SHIFT, KeySide::Left),
    at(0xE2, "AltLeft", KEY_MENU, KeySide::Left),
    at(0xE4, "ControlRight", KEY_CONTROL, KeySide::Right),
    at(0xE5, "ShiftRight", KEY_SHIFT, KeySide::Right),
    at(0xE6, "AltRight", KEY_MENU, KeySide::Right),
};

bool isLetter(int key) {
    return key >= KEY_A && key <= KEY_Z;
}

} // namespace

const KeyPosition* keyAtUsage(int usage) {
    for (const KeyPosition& position : KEY_POSITIONS) {
        if (position.usage == usage) {
            return &position;
        }
    }
    return nullptr;
}

const KeyPosition* keyAtCode(const char* code) {
    if (code == nullptr) {
        return nullptr;
    }
    for (const KeyPosition& position : KEY_POSITIONS) {
        if (std::strcmp(position.code, code) == 0) {
            return &position;
        }
    }
    return nullptr;
}

int virtualKeyOf(const KeyPosition* at, char typed) {
    if (at != nullptr && !isLetter(at->key)) {
        return at->key;
    }
    if (typed >= 'a' && typed <= 'z') {
        return KEY_A + (typed - 'a');
    }
    if (isLetter(typed)) {
        return typed;
    }
    return at != nullptr ? at->key : 0;
}

bool trackSide(const KeyPosition* at, bool down, bool& repeat) {
    if (at == nullptr || at->side == KeySide::None) {
        return true;
    }
    const Modifier modifier = at->key == KEY_SHIFT     ? Modifier::Shift
                              : at->key == KEY_CONTROL ? Modifier::Control
                                                       : Modifier::Alt;
    return trackModifierSide(modifier, at->side == KeySide::Left, down, repeat);
}

} // namespace platform
