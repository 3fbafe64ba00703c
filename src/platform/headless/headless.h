// Controls of the headless platform: what a test or the replay runner sets
// in place of a real keyboard, joystick, clock and screen.
#pragma once

#include "menubar/layout.h"
#include "platform/platform.h"

#include <cstdint>

namespace headless {

// Puts the fake machine back into its start state: no keys down, no
// joystick or pads, clock at 0, no messages recorded, messages echoed to stderr.
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

// --- Pads ---
// What each port's pad holds; none by default, as on the desktop.
platform::PadState (&pads())[platform::PAD_COUNT];

// --- Time ---
void setClock(std::uint32_t milliseconds);
void setCalendarSeconds(std::uint32_t seconds);
// Each sleep advances the clock by its length and is counted.
int sleepCalls();
std::uint32_t lastSleep();

// --- Window, message queue and pixel memory ---
enum class WindowCall : std::uint8_t {
    RegisterClass,
    CreateWindow,
    ShowWindow,
    SetWindowSize, // a, b: the outer size (the client area and the drawn menu bar above it)
    DestroyWindow,
    PresentFrame, // a, b: the client size
    PresentMenu,  // a, b: the picture's size
    CreatePixelMemory,
    ReleasePixelMemory,
};
struct WindowCallRecord {
    WindowCall call;
    int a;
    int b;
};
constexpr int MAX_RECORDED_WINDOW_CALLS = 256;

// Calls in order (the first MAX_RECORDED_WINDOW_CALLS) and counts of each.
int windowCallCount();
const WindowCallRecord& windowCall(int index);
int windowCallsOf(WindowCall call);

struct WindowView {
    bool created;
    bool shown;
    bool destroyed;
    int width; // outer size
    int height;
    char title[64];
    char className[32];
    bool hasIcon;
    std::uint32_t icon[platform::ICON_SIZE * platform::ICON_SIZE];
};
const WindowView& window();

// The last picture presented (bottom row first) and the last menu picture.
const std::uint32_t* lastFrame();
// As wide as a double-size window's bar.
constexpr int MAX_MENU_PICTURE_PIXELS = 2 * platform::FRAME_WIDTH * menubar::MENU_PICTURE_HEIGHT;
const std::uint32_t* lastMenuPicture();
int lastMenuWidth();
int lastMenuHeight();

// Makes createWindow fail with `reason`; nullptr lets it succeed again.
void failCreateWindow(const char* reason);
// Makes createPixelMemory fail.
void failPixelMemory(bool fail);
// Pixel memory blocks made and not yet released.
int livePixelBlocks();

// Scripted messages: a message becomes waiting once `afterPresents` frames
// have been presented. A blocking wait takes the next one at once, however
// many frames it waits for. With nothing left, a blocking wait, or a poll
// after 100,000 frames, returns Quit with SCRIPT_ENDED, so a script that
// never closes the window cannot hang a test.
constexpr int MAX_SCRIPTED_MESSAGES = 256;
constexpr int SCRIPT_ENDED = 99;
void queueMessage(const platform::Message& message, int afterPresents = 0);
// Milliseconds each presented frame takes: the clock moves on by it.
void setFrameCost(std::uint32_t milliseconds);
// How often a poll and a blocking wait asked the script for a message.
int peekCalls();
int getCalls();

} // namespace headless
