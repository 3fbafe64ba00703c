// The snapshot's storage, for the platforms that fill it.
#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace platform {

std::uint8_t (&keyboardSnapshot())[KEY_COUNT];

} // namespace platform
