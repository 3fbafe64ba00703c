// A fresh game on the headless machine, a screen to run its frames on, and
// a sprite sheet whose cells tell apart what was drawn where.
#pragma once

#include "game/flow.h"
#include "gfx/surface.h"
#include "gfx/text.h"
#include "platform/headless/headless.h"
#include "platform/keyboard_snapshot.h"
#include "support/frame.h"

#include <algorithm>
#include <cstdint>

namespace testsupport {

// Every game and input value at program start, no key down, no joystick.
inline void freshProgram() {
    headless::reset();
    headless::setEchoMessages(false);
    game::resetToProgramStart();
}

// The framebuffer surface a frame is drawn into.
struct Screen {
    Framebuffer fb;
    gfx::DrawingContext dc = gfx::makeDrawingContext(fb.data());
    gfx::FramebufferSurface surface{fb.data(), &dc};

    Screen() { gfx::setTransparentBackground(dc); }
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    int frame() { return game::gameFrame(surface); }
    void frames(int n) {
        for (int i = 0; i < n; ++i) {
            frame();
        }
    }
};

// Keys pressed and released on the headless keyboard, as key messages do
// it on every platform; pressing a key already down changes nothing.
inline void keyDown(int key) {
    platform::pressKey(key, true);
}
inline void keyUp(int key) {
    platform::releaseKey(key);
}

// One frame with `key` newly down, then one with it released, so that the
// next press is a new one.
inline void tap(Screen& screen, int key) {
    keyDown(key);
    screen.frame();
    keyUp(key);
    screen.frame();
}

// What a test fills the screen with before drawing over it.
constexpr gfx::Pixel BACKGROUND = gfx::makePixel(10, 20, 30);

// The colours the painted sheet gives each cell.
constexpr gfx::Pixel witchFrameColour(int frame) {
    return gfx::makePixel(8 + 4 * frame, 40 + frame, 90);
}
constexpr gfx::Pixel starColour(int phase) {
    return phase == 0 ? gfx::makePixel(120, 20, 20) : gfx::makePixel(20, 120, 20);
}
constexpr gfx::Pixel orbColour(int colour) {
    return gfx::makePixel(30, 30, 60 + 20 * colour);
}
constexpr gfx::Pixel MENU_CURSOR_COLOUR = gfx::makePixel(77, 66, 55);

// A sprite sheet filled cell by cell with the colours above.
struct PaintedSheet : ScopedSheet {
    PaintedSheet() {
        for (int f = 0; f < 35; ++f) {
            if (f % 8 < 6 && (f < 24 || f >= 32)) {
                fill(32 * (f % 8), 32 * (4 - f / 8), 32, 32, witchFrameColour(f));
            }
        }
        fill(96, 16, 16, 16, starColour(0));
        fill(112, 16, 16, 16, starColour(1));
        for (int k = 0; k < 8; ++k) {
            fill(96 + 8 * (k % 4), 8 * (k / 4), 8, 8, orbColour(k));
        }
        fill(128, 0, 16, 16, MENU_CURSOR_COLOUR);
    }
    void fill(int u0, int v0, int w, int h, gfx::Pixel colour) {
        for (int v = v0; v < v0 + h; ++v) {
            std::fill_n(&at(u0, v), w, colour);
        }
    }
};

// A sprite pixel s blended over d by one of the four blend modes.
inline gfx::Pixel blended(gfx::Pixel s, gfx::Pixel d, int mode) {
    auto channel = [mode](int a, int b) {
        return mode == 1   ? (200 * a + 55 * b) / 255
               : mode == 2 ? std::min(255, a + b)
               : mode == 3 ? std::min(255, 2 * a)
                           : a;
    };
    return gfx::makePixel(channel(gfx::redOf(s), gfx::redOf(d)),
                          channel(gfx::greenOf(s), gfx::greenOf(d)),
                          channel(gfx::blueOf(s), gfx::blueOf(d)));
}

} // namespace testsupport
