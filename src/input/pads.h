// The players' own pads: any pad works the menus as the menu keys do, and
// in play pad i adds to player i's controls, whatever her scheme.
#pragma once

#include "input/controls.h"
#include "platform/platform.h"

#include <cstdint>

namespace input {

// The pads as this frame's snapshot took them.
extern platform::PadState padStates[platform::PAD_COUNT];

// Each pad's Maho buttons by the edge rule, updated in play frames only
// (as the play keys' edges are).
extern std::uint8_t padMahoEdges[platform::PAD_COUNT];

// A stick counts as pushed once it is this far from its centre: a quarter
// of its whole range, the joystick's dead zone.
constexpr int STICK_PUSH = 16384;

// Copies the pads into padStates; taken with the keyboard snapshot.
void takePadSnapshot();

// Whether any pad holds the button that stands for menu key `key` (the
// arrows, Enter, Shift, Space); false for every other key.
bool padsHoldMenuKey(int key);

// Adds pad `slot` to that slot's controls: a held direction reads 0xF0, and
// its Maho edge wins over the scheme's when stronger. Updates the pad's edge.
void addPadControls(int slot, ControlState& state);

} // namespace input
