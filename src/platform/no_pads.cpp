// The pads of a platform that has none: its players' controllers are the
// keyboard and the joystick.
#include "platform/platform.h"

namespace platform {

void readPads(PadState (&pads)[PAD_COUNT]) {
    for (PadState& pad : pads) {
        pad = PadState{};
    }
}

} // namespace platform
