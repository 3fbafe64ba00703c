#include "input/controls.h"

#include "input/joystick.h"
#include "input/keyboard.h"
#include "input/pads.h"

#include <cstring>

namespace input {
ControlState controlStates[CONTROL_SLOTS] = {};

void readControlState(int slot, std::int32_t scheme) {
    ControlState& state = controlStates[slot];
    if (scheme >= Keyboard1 && scheme <= Keyboard3) {
        const KeyLayout& keys = KEY_LAYOUTS[scheme];
        state.up = KeyboardState[keys.up];
        state.down = KeyboardState[keys.down];
        state.left = KeyboardState[keys.left];
        state.right = KeyboardState[keys.right];
        state.maho = KeyEdgeTable[keys.maho];
        state.second = KeyEdgeTable[keys.second];
    } else if (scheme == Joystick) {
        pollJoystick(state);
    }
    addPadControls(slot, state);
}

void resetInput() {
    std::memset(KeyboardState, 0, sizeof KeyboardState);
    std::memset(KeyEdgeTable, 0, sizeof KeyEdgeTable);
    std::memset(controlStates, 0, sizeof controlStates);
    std::memset(padStates, 0, sizeof padStates);
    std::memset(padMahoEdges, 0, sizeof padMahoEdges);
    resetJoystick();
}

} // namespace input
