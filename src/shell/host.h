// The host: the window, the framebuffer surface, the message loop with its
// frame tick and pacing, and the frames-per-second overlay.
#pragma once

#include "gfx/surface.h"
#include "platform/platform.h"

#include <cstdint>

namespace shell {

constexpr const char* WINDOW_TITLE = "Sorvi Kadra99 ver0.8";
constexpr const char* WINDOW_CLASS = "sorvi_k";
constexpr int ICON_ID = 106;

constexpr std::uint32_t FRAME_MILLISECONDS = 30;
constexpr std::uint32_t MENU_WAIT_MILLISECONDS = 100;
constexpr std::size_t FRAMEBUFFER_BYTES = 307200;

struct HostValues {
    std::int32_t clientWidth;
    std::int32_t clientHeight;
    std::int32_t sizeMode;  // 1 normal, 2 double
    std::int32_t frameWait; // 1: a frame sleeps out the rest of its 30 ms
    std::int32_t running;   // 0 while a menu is open
    std::int32_t showFps;
    std::int32_t fpsFrames;
    float fpsLastTime;
    float fpsValue;
};

constexpr HostValues INITIAL_HOST_VALUES{320, 240, 1, 1, 1, 0, 0, 0.0f, 0.0f};

extern HostValues host;
extern gfx::FramebufferSurface surface;

// Puts the host values, the surface record and the menu back to their
// program-start state (for tests; the program starts there).
void resetHost();

// The program: start-up, then the message loop. Returns the exit code.
int runProgram(const platform::Module& module);

// Start-up up to the message loop: window, accelerators, surface, game.
// Returns 0 when the loop may run, else the exit code to end with.
int startUp(const platform::Module& module);

void fitWindowToClient();
int createFramebufferSurface();
void clearFramebuffer();
int presentFrame();
void drawFpsOverlay(gfx::DrawingContext& context);
void frameTick();
void destroyHost();

// One fetch of the loop: a message handled, or a frame run when none was
// waiting. Returns 0 once the quit message has been fetched.
int messageLoopStep(platform::Message& message);
int runMessageLoop();

// "%7.02f fps" of `value` into `out`.
void formatFps(char (&out)[32], float value);

} // namespace shell
