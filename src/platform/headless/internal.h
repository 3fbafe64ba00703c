// Start-state resets of the headless services, gathered by headless::reset().
#pragma once

namespace headless {
void resetMessages();
void resetKeyboard();
void resetJoystick();
void resetPads();
void resetClock();
void resetWindow();
} // namespace headless
