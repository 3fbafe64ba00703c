// The frame tick: one frame of the game, its fps overlay, the present and
// the pacing to 30 ms.
#include "game/flow.h"
#include "game/text.h"
#include "shell/host.h"

#include <cstdio>
#include <cstring>

namespace shell {

void clearFramebuffer() {
    std::memset(surface.pixels, 0, sizeof(gfx::Pixel) * gfx::FRAME_PIXELS);
}

int presentFrame() {
    return platform::presentFrame(surface.pixels, host.clientWidth, host.clientHeight);
}

void formatFps(char (&out)[32], float value) {
    std::snprintf(out, sizeof out, "%7.02f fps", static_cast<double>(value));
}

void drawFpsOverlay(gfx::DrawingContext& context) {
    const double t =
        static_cast<double>(platform::millisecondClock()) * static_cast<double>(0.001f);
    ++host.fpsFrames;
    if (t - static_cast<double>(host.fpsLastTime) > 1.0) {
        host.fpsValue =
            static_cast<float>(host.fpsFrames / (t - static_cast<double>(host.fpsLastTime)));
        host.fpsLastTime = static_cast<float>(t);
        host.fpsFrames = 0;
    }
    char text[32];
    formatFps(text, host.fpsValue);
    game::drawText(context, 0, 0, game::TextPeach, text);
}

std::uint32_t frameStep() {
    if (host.framesRunning == 0) {
        return MENU_WAIT_MILLISECONDS;
    }
    const std::uint32_t t0 = platform::millisecondClock();
    clearFramebuffer();
    game::gameFrame(surface);
    if (host.showFps == 1) {
        drawFpsOverlay(*surface.drawingContext);
    }
    presentFrame();
    // Wrapping unsigned difference read as signed: a clock that wraps
    // mid-frame still gives the right remainder.
    const auto remaining =
        static_cast<std::int32_t>(t0 + FRAME_MILLISECONDS - platform::millisecondClock());
    return remaining > 0 && host.frameWait == 1 ? static_cast<std::uint32_t>(remaining) : 0;
}

void frameTick() {
    const std::uint32_t wait = frameStep();
    if (wait > 0) {
        platform::sleepMilliseconds(wait);
    }
}

} // namespace shell
