#include "input/keyboard.h"

#include "input/pads.h"

namespace input {

using enum platform::VirtualKey;

std::uint8_t KeyboardState[platform::KEY_COUNT] = {};
std::uint8_t KeyEdgeTable[platform::KEY_COUNT] = {};

void takeKeyboardSnapshot() {
    platform::getKeyboardState(KeyboardState);
}

namespace {

void applyEdgeRule(int k, bool down) {
    if (down && KeyEdgeTable[k] == 0) {
        KeyEdgeTable[k] = EDGE_PRESSED;
    } else if (down) {
        KeyEdgeTable[k] = EDGE_HELD;
    } else {
        KeyEdgeTable[k] = EDGE_NONE;
    }
}

} // namespace

void updateKeyEdge(int key) {
    const int k = key & 0xFF;
    applyEdgeRule(k, isActive(KeyboardState[k]));
}

void updateMenuKeyEdges() {
    // Any player's pad works the menus as the keys do.
    for (int key : MENU_KEYS) {
        applyEdgeRule(key, isActive(KeyboardState[key]) || padsHoldMenuKey(key));
    }
}

void updatePlayKeyEdges() {
    for (int key : BUTTON_KEYS) {
        updateKeyEdge(key);
    }
    // Raw copies: an arrow held in the last frame of play counts as held,
    // not newly pressed, when the menus resume.
    KeyEdgeTable[KEY_UP] = KeyboardState[KEY_UP];
    KeyEdgeTable[KEY_DOWN] = KeyboardState[KEY_DOWN];
}

} // namespace input
