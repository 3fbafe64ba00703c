// Controls of the headless platform: what a test or the replay runner sets
// in place of a real keyboard, joystick, clock and screen.
#pragma once

#include "platform/platform.h"

#include <cstdint>

namespace headless {

// Puts the fake machine back into its start state: no keys down, no
// joystick, clock at 0, no messages recorded, messages echoed to stderr.
void reset();

// --- Message boxes ---
struct MessageRecord {
    char text[64];
    char caption[32];
};
constexpr int MAX_RECORDED_MESSAGES = 16;

int messageCount();
const MessageRecord& message(int index);
void setEchoMessages(bool echo);

// --- Keyboard ---
void setKeyboardState(const std::uint8_t (&keys)[platform::KEY_COUNT]);
std::uint8_t (&keyboardState())[platform::KEY_COUNT];

// --- Joystick ---
struct JoystickScript {
    std::uint32_t deviceCount = 0;
    platform::JoystickCaps caps{};
    int capsResult = 1;
    platform::JoystickPosition position{};
    int positionResult = 1;
};
JoystickScript& joystick();
int joystickPositionReads();

// --- Time ---
void setClock(std::uint32_t milliseconds);
void setCalendarSeconds(std::uint32_t seconds);
// Each sleep advances the clock by its length and is counted.
int sleepCalls();
std::uint32_t lastSleep();

} // namespace headless
