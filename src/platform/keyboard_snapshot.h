// The keyboard snapshot built from key messages, for the platforms that
// have no keyboard state of their own to read.
#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace platform {

// The keys' present state, as the messages so far left it.
std::uint8_t (&keyboardSnapshot())[KEY_COUNT];

// A press sets bit 7 and flips bit 0 (an auto-repeat of a key already
// down changes nothing); a release clears bit 7.
void pressKey(int virtualKey, bool repeat);
void releaseKey(int virtualKey);
// Clears bit 7 of every key, toggles kept (the keyboard went elsewhere).
void releaseAllKeys();
// No key down, no toggle set, no event noted.
void clearKeyboard();

} // namespace platform
