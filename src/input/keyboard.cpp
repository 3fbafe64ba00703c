#include "input/keyboard.h"

namespace input {

std::uint8_t KeyboardState[platform::KEY_COUNT] = {};
std::uint8_t KeyEdgeTable[platform::KEY_COUNT] = {};

void takeKeyboardSnapshot() {
    platform::getKeyboardState(KeyboardState);
}

void updateKeyEdge(int key) {
    const int k = key & 0xFF;
    const bool down = isActive(KeyboardState[k]);
    if (down && KeyEdgeTable[k] == 0) {
        KeyEdgeTable[k] = EDGE_PRESSED;
    } else if (down) {
        KeyEdgeTable[k] = EDGE_HELD;
    } else {
        KeyEdgeTable[k] = EDGE_NONE;
    }
}

void updateMenuKeyEdges() {
    constexpr int MENU_KEYS[] = {VK_RETURN, VK_SPACE, VK_SHIFT, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT};
    for (int key : MENU_KEYS) {
        updateKeyEdge(key);
    }
}

void updatePlayKeyEdges() {
    constexpr int BUTTON_KEYS[] = {VK_RETURN, VK_SPACE, VK_NUMPAD5, VK_NUMPAD9, VK_Q, VK_E};
    for (int key : BUTTON_KEYS) {
        updateKeyEdge(key);
    }
    // Raw copies: an arrow held in the last frame of play counts as held,
    // not newly pressed, when the menus resume.
    KeyEdgeTable[VK_UP] = KeyboardState[VK_UP];
    KeyEdgeTable[VK_DOWN] = KeyboardState[VK_DOWN];
}

} // namespace input
