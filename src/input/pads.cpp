#include "input/pads.h"

#include "input/keyboard.h"

#include <algorithm>

namespace input {

platform::PadState padStates[platform::PAD_COUNT] = {};
std::uint8_t padMahoEdges[platform::PAD_COUNT] = {};

namespace {

using enum platform::VirtualKey;

// The buttons that stand for each menu key; the directions also come from
// the stick.
struct MenuButton {
    int key;
    std::uint16_t buttons;
};
constexpr MenuButton MENU_BUTTONS[] = {
    {KEY_UP, platform::PAD_UP},        {KEY_DOWN, platform::PAD_DOWN},
    {KEY_LEFT, platform::PAD_LEFT},    {KEY_RIGHT, platform::PAD_RIGHT},
    {KEY_RETURN, platform::PAD_START}, {KEY_SHIFT, platform::PAD_SELECT},
    {KEY_SPACE, platform::PAD_WEST},
};

constexpr std::uint16_t MAHO_BUTTONS = platform::PAD_SOUTH | platform::PAD_EAST;

// The pad's buttons with the stick's directions added.
std::uint16_t heldOn(const platform::PadState& pad) {
    std::uint16_t held = pad.buttons;
    if (pad.stickX >= STICK_PUSH) {
        held |= platform::PAD_RIGHT;
    }
    if (pad.stickX <= -STICK_PUSH) {
        held |= platform::PAD_LEFT;
    }
    if (pad.stickY >= STICK_PUSH) {
        held |= platform::PAD_DOWN;
    }
    if (pad.stickY <= -STICK_PUSH) {
        held |= platform::PAD_UP;
    }
    return held;
}

} // namespace

void takePadSnapshot() {
    platform::readPads(padStates);
}

bool padsHoldMenuKey(int key) {
    for (const MenuButton& entry : MENU_BUTTONS) {
        if (entry.key != key) {
            continue;
        }
        for (const platform::PadState& pad : padStates) {
            if ((heldOn(pad) & entry.buttons) != 0) {
                return true;
            }
        }
    }
    return false;
}

void addPadControls(int slot, ControlState& state) {
    const std::uint16_t held = heldOn(padStates[slot]);
    const auto push = [held](std::uint16_t button, std::uint8_t& byte) {
        if ((held & button) != 0) {
            byte = 0xF0;
        }
    };
    push(platform::PAD_UP, state.up);
    push(platform::PAD_DOWN, state.down);
    push(platform::PAD_LEFT, state.left);
    push(platform::PAD_RIGHT, state.right);

    std::uint8_t& edge = padMahoEdges[slot];
    const bool down = (held & MAHO_BUTTONS) != 0;
    edge = !down ? EDGE_NONE : edge == EDGE_NONE ? EDGE_PRESSED : EDGE_HELD;
    // EDGE_PRESSED > EDGE_HELD > EDGE_NONE: a new press of either counts.
    state.maho = std::max(state.maho, edge);
}

} // namespace input
