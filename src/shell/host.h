// The host: the program around the game. It owns the window, the
// framebuffer surface and the host values, and offers each platform the
// same steps: start up, take a message, run the frame tick when it is due,
// say whether a menu holds the frames. A blocking driver over the steps
// (runMessageLoop) serves the desktop platforms; the browser's animation
// frames call them one by one.
#pragma once

#include "gfx/surface.h"
#include "platform/platform.h"

#include <cstddef>
#include <cstdint>

namespace shell {

constexpr const char* WINDOW_TITLE = "Sorvi Kadra99 ver0.8";
constexpr const char* WINDOW_CLASS = "sorvi_k";
constexpr int ICON_ID = 106;

constexpr std::uint32_t FRAME_MILLISECONDS = 30;
constexpr std::uint32_t MENU_WAIT_MILLISECONDS = 100;
constexpr std::size_t FRAMEBUFFER_BYTES = platform::FRAME_BYTES;

struct HostValues {
    std::int32_t clientWidth;
    std::int32_t clientHeight;
    std::int32_t sizeMode;      // 1 normal, 2 double
    std::int32_t frameWait;     // 1: a frame sleeps out the rest of its 30 ms
    std::int32_t framesRunning; // 0 while a menu of the window is open
    std::int32_t showFps;
    std::int32_t fpsFrames;
    float fpsLastTime;
    float fpsValue;
};

constexpr HostValues INITIAL_HOST_VALUES{
    platform::FRAME_WIDTH, platform::FRAME_HEIGHT, 1, 1, 1, 0, 0, 0.0f, 0.0f};

extern HostValues host;
extern gfx::FramebufferSurface surface;

// Puts the host values and the surface back to their program-start state
// (for tests and the replay runner; the program starts there).
void resetHost();

// Every value of the game, its input, its drawing and the host back to
// how the program starts, for a program that stays loaded from one game
// to the next (a libretro core). The window must be gone.
void resetProgram();

// --- Start-up and teardown (host.cpp) ---

// The program: start-up, then the message loop. Returns the exit code.
int runProgram(const platform::Module& module);

// Start-up up to the message loop: window, accelerators, surface, game.
// Returns 0 when it got through, else the exit code to end with. The
// window may have been closed meanwhile (from a picture's message box):
// then windowAlive() is false and there is no loop to run.
int startUp(const platform::Module& module);

void fitWindowToClient();
int createFramebufferSurface();
// Releases the pictures and the surface; the window's destroy message runs it.
void destroyHost();
// Whether the window is there: from start-up until its destroy message.
bool windowAlive();

// --- The frame (frame.cpp) ---

void clearFramebuffer();
int presentFrame();
void drawFpsOverlay(gfx::DrawingContext& context);
// "%7.02f fps" of `value` into `out`.
void formatFps(char (&out)[32], float value);

// One frame of the game, if frames are running: clock, clear, gameFrame,
// overlay, present. Returns how many milliseconds from now until the next
// frame is due: the rest of its 30 ms when paced (0 once they are spent),
// 0 with "no wait", and 100 while a menu holds the frames (then nothing
// runs and the clock is not read).
std::uint32_t frameStep();

// The blocking frame tick: frameStep, then a sleep for as long as it asks.
void frameTick();

// --- Messages (message_loop.cpp) ---

// Whether idle time runs frames; false while a menu is open.
bool framesRunning();

// One message taken from the queue: the accelerator table first, then the
// window.
void handleMessage(const platform::Message& message);

// One fetch of the loop: a message handled, or a frame tick when none was
// waiting (waiting for one while a menu holds the frames). Returns 0 once
// the quit message has been fetched.
int messageLoopStep(platform::Message& message);

// Runs the loop until the quit message; returns its exit code.
int runMessageLoop();

} // namespace shell
