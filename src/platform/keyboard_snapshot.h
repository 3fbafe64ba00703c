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

// The keyboard's feed: what a message just taken from the queue does to
// the snapshot. Presses count unless an open menu keeps them to itself;
// releases always count, so no key sticks; losing the focus releases
// every key and forgets which side of Shift, Ctrl and Alt was down, since
// no release can come from elsewhere.
void feedKeyboard(const Message& message, bool menuKeepsPresses);

} // namespace platform
