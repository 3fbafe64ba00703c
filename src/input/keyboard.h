// The per-frame keyboard snapshot and the key edge table.
#pragma once

#include "platform/keys.h"
#include "platform/platform.h"

#include <cstdint>

namespace input {

constexpr std::uint8_t EDGE_PRESSED = 0xF0; // down now, up at the previous update
constexpr std::uint8_t EDGE_HELD = 0x0F;    // down now and before
constexpr std::uint8_t EDGE_NONE = 0x00;    // up

// A key byte or edge entry is active when any of its upper four bits is
// set; the toggle bit (bit 0) never counts.
constexpr bool isActive(std::uint8_t value) {
    return (value & 0xF0) != 0;
}

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
