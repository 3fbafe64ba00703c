// Presses and releases between two keyboard snapshots. A snapshot taken
// once a frame would miss a key tapped between two frames; every platform
// notes its key messages here so that each press and each release shows in
// at least one snapshot.
#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace platform {

// A key went down (not an auto-repeat) or up.
void noteKeyDown(int virtualKey);
void noteKeyUp(int virtualKey);

// Adjusts `keys`, the keys' present state, into the next snapshot: a key
// pressed since the last one shows as down even if already released, and a
// key that was shown down and released since shows as up even if pressed
// again (that press then shows in the snapshot after). Toggle bits are
// left as they are.
void applyKeyEvents(std::uint8_t (&keys)[KEY_COUNT]);

// Forgets every noted event (every key was released at once).
void forgetKeyEvents();

// What the rule remembers between two snapshots; save states carry it.
struct KeyEventMemory {
    bool pressed[KEY_COUNT];
    bool released[KEY_COUNT];
    bool noted; // any of the two since the last snapshot
    // The last snapshot given out: which keys it showed down.
    std::uint8_t lastShown[KEY_COUNT];
};
KeyEventMemory& keyEventMemory();

} // namespace platform
