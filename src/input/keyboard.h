// The per-frame keyboard snapshot and the key edge table.
#pragma once

#include "input/controls.h"
#include "platform/keys.h"
#include "platform/platform.h"

#include <array>
#include <cstdint>
#include <iterator>

namespace input {

constexpr std::uint8_t EDGE_PRESSED = 0xF0; // down now, up at the previous update
constexpr std::uint8_t EDGE_HELD = 0x0F;    // down now and before
constexpr std::uint8_t EDGE_NONE = 0x00;    // up

// A key byte or edge entry is active when any of its upper four bits is
// set; the toggle bit (bit 0) never counts.
constexpr bool isActive(std::uint8_t value) {
    return (value & 0xF0) != 0;
}

// The keys the menu screens edge-track, in the order they are updated.
constexpr int MENU_KEYS[] = {platform::KEY_RETURN, platform::KEY_SPACE, platform::KEY_SHIFT,
                             platform::KEY_UP,     platform::KEY_DOWN,  platform::KEY_LEFT,
                             platform::KEY_RIGHT};

// The maho and second keys of the keyboard schemes, layout by layout:
// the keys play edge-tracks.
constexpr auto BUTTON_KEYS = [] {
    std::array<int, 2 * std::size(KEY_LAYOUTS)> keys{};
    for (std::size_t i = 0; i < std::size(KEY_LAYOUTS); ++i) {
        keys[2 * i] = KEY_LAYOUTS[i].maho;
        keys[2 * i + 1] = KEY_LAYOUTS[i].second;
    }
    return keys;
}();

// Every key the game reads: the menu keys and the keys of the layouts.
constexpr auto GAME_KEYS = [] {
    std::array<std::uint8_t, std::size(MENU_KEYS) + 6 * std::size(KEY_LAYOUTS)> keys{};
    std::size_t n = 0;
    for (const int key : MENU_KEYS) {
        keys[n++] = static_cast<std::uint8_t>(key);
    }
    for (const KeyLayout& layout : KEY_LAYOUTS) {
        for (const int key :
             {layout.up, layout.down, layout.left, layout.right, layout.maho, layout.second}) {
            keys[n++] = static_cast<std::uint8_t>(key);
        }
    }
    return keys;
}();

// The snapshot taken at the start of every frame: bit 7 down, bit 0 toggle.
extern std::uint8_t KeyboardState[platform::KEY_COUNT];

// Edge state of the keys the screens read, by virtual-key code.
extern std::uint8_t KeyEdgeTable[platform::KEY_COUNT];

// Copies the machine's keyboard into KeyboardState.
void takeKeyboardSnapshot();

// The edge rule for one key (taken modulo 256), against the entry's value
// at its previous update.
void updateKeyEdge(int key);

// Enter, Space, Shift, Up, Down, Left, Right, in that order; a key counts
// as down while it or its button on any pad is.
void updateMenuKeyEdges();

// The six button keys of the keyboard schemes; Up and Down get raw copies.
void updatePlayKeyEdges();

} // namespace input
