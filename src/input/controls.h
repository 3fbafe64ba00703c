// Control schemes: how each player's keys or joystick fill their controls.
#pragma once

#include "platform/keys.h"

#include <cstdint>

namespace input {

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
    {platform::KEY_UP, platform::KEY_DOWN, platform::KEY_LEFT, platform::KEY_RIGHT,
     platform::KEY_RETURN, platform::KEY_SPACE}, // Keyboard1
    {platform::KEY_NUMPAD8, platform::KEY_NUMPAD2, platform::KEY_NUMPAD4, platform::KEY_NUMPAD6,
     platform::KEY_NUMPAD5, platform::KEY_NUMPAD9}, // Keyboard2
    {platform::KEY_W, platform::KEY_Z, platform::KEY_A, platform::KEY_S, platform::KEY_Q,
     platform::KEY_E}, // Keyboard3
};

constexpr int CONTROL_SLOTS = 3;

extern ControlState controlStates[CONTROL_SLOTS];

// Fills controlStates[slot] by `scheme`, the slot's control scheme, then
// adds the slot's own pad.
void readControlState(int slot, std::int32_t scheme);

// Puts the keyboard tables, the control states and the joystick values back
// to their program-start state.
void resetInput();

} // namespace input
