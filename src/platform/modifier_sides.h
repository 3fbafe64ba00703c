// Shift, Ctrl and Alt each have one virtual-key code for both sides of the
// keyboard: the code is down while either side is. For the platforms that
// are told of each side's key on its own.
#pragma once

namespace platform {

enum class Modifier { Shift, Control, Alt };

// Notes a press or release of one side of `modifier`. For a release, returns
// false when the other side keeps the code down (no release of the code);
// a press while the other side is down is marked as a repeat.
bool trackModifierSide(Modifier modifier, bool left, bool down, bool& repeat);

// Neither side of any modifier is down (the keyboard went elsewhere).
void forgetModifierSides();

} // namespace platform
