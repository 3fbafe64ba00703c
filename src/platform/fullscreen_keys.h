// The keys and commands that switch fullscreen, the same on every platform
// that has it: Alt+Enter toggles it, and in fullscreen F11, F12 and the two
// size commands first give back the window, then do as ever.
#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace platform {

enum class FullscreenSwitch : std::uint8_t {
    None,    // nothing to do with fullscreen
    Toggle,  // Alt+Enter: switch; nothing else may see the message
    Swallow, // Alt+Enter held (auto-repeat): no switch, and nothing else may see it
    Leave,   // leave fullscreen first; the message then goes on
};

// What `message`, just taken from the platform, does to fullscreen.
FullscreenSwitch fullscreenSwitch(const Message& message, bool fullscreen);

} // namespace platform
