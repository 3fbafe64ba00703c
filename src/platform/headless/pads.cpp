#include "platform/headless/headless.h"
#include "platform/headless/internal.h"

namespace {
platform::PadState scripted[platform::PAD_COUNT];
}

namespace platform {

void readPads(PadState (&pads)[PAD_COUNT]) {
    for (int i = 0; i < PAD_COUNT; ++i) {
        pads[i] = scripted[i];
    }
}

} // namespace platform

namespace headless {

platform::PadState (&pads())[platform::PAD_COUNT] {
    return scripted;
}

void resetPads() {
    for (platform::PadState& pad : scripted) {
        pad = platform::PadState{};
    }
}

} // namespace headless
