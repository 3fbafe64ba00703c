// Control schemes: how each player's keys or joystick fill their controls.
#pragma once

#include "platform/keys.h"

#include <cstdint>

namespace input {

using enum platform::VirtualKey;

enum ControlScheme : std::int32_t {
    Keyboard1 = 0,
    Keyboard2 = 1,
    Keyboard3 = 2,
    Joystick = 3,
};

// One player's controls this frame. Directions hold raw key bytes (or 0xF0
// from the stick); maho and second hold edge values.
struct ControlState {
    std::uint8_t up;
    std::uint8_t down;
    std::uint8_t left;
    std::uint8_t right;
    std::uint8_t maho;
    std::uint8_t second;
};

// The keys of the three keyboard schemes, by virtual-key code.
struct KeyLayout {
    int up, down, left, right, maho, second;
};

constexpr KeyLayout KEY_LAYOUTS[] = {
    {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_RETURN, VK_SPACE},                 // Keyboard1
    {VK_NUMPAD8, VK_NUMPAD2, VK_NUMPAD4, VK_NUMPAD6, VK_NUMPAD5, VK_NUMPAD9}, // Keyboard2
    {VK_W, VK_Z, VK_A, VK_S, VK_Q, VK_E},                                     // Keyboard3
};

constexpr int CONTROL_SLOTS = 3;

extern ControlState controlStates[CONTROL_SLOTS];

// Fills controlStates[slot] from the scheme of playerSlots[slot].
void readControlState(int slot);

// Puts the keyboard tables, the control states and the joystick values back
// to their program-start state.
void resetInput();

} // namespace input
