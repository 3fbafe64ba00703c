#include "game/text.h"
#include "gfx/glyphs.h"
#include "host_fixture.h"
#include "res/menu.h"

#include <algorithm>
#include <string>

namespace {

using headless::WindowCall;
using platform::MessageKind;
using shelltest::Host;
using shelltest::plain;

// --- Start-up and exit codes ---

TEST_F(Host, StartsUpInOrderAndAQuitEndsTheProgramWithZero) {
    headless::queueMessage(plain(MessageKind::Close), 3);
    EXPECT_EQ(shell::runProgram(platform::programModule()), 0);

    const WindowCall expected[] = {WindowCall::RegisterClass, WindowCall::CreateWindow,
                                   WindowCall::ShowWindow,    WindowCall::SetWindowSize,
                                   WindowCall::PresentMenu,   WindowCall::CreatePixelMemory,
                                   WindowCall::PresentFrame};
    ASSERT_GE(headless::windowCallCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(headless::windowCall(i).call, expected[i]) << "call " << i;
    }
    // Created at 320 by 240 outer, then fitted so the client area is 320 by 240.
    EXPECT_EQ(headless::windowCall(1).a, 320);
    EXPECT_EQ(headless::windowCall(1).b, 240);
    EXPECT_EQ(headless::windowCall(3).a, 320);
    EXPECT_EQ(headless::windowCall(3).b, 240 + menubar::MENU_BAR_HEIGHT);
    EXPECT_EQ(headless::windowCall(5).a, 307200);

    EXPECT_STREQ(headless::window().title, "Sorvi Kadra99 ver0.8");
    EXPECT_STREQ(headless::window().className, "sorvi_k");
    EXPECT_TRUE(headless::window().hasIcon);
    EXPECT_EQ(presents(), 3);
    // Torn down inside the destroy message: pixels and both images gone.
    EXPECT_TRUE(headless::window().destroyed);
    EXPECT_EQ(headless::livePixelBlocks(), 0);
    EXPECT_EQ(gfx::SpriteSheet.pixels, nullptr);
    EXPECT_EQ(gfx::Backdrop.pixels, nullptr);
    EXPECT_EQ(shell::surface.pixels, nullptr);
}

TEST_F(Host, GameIsReadyAndTextTransparentBeforeTheFirstFrame) {
    start();
    EXPECT_EQ(headless::peekCalls(), 0);
    EXPECT_NE(gfx::SpriteSheet.pixels, nullptr);
    EXPECT_NE(gfx::Backdrop.pixels, nullptr);
    ASSERT_NE(shell::surface.drawingContext, nullptr);
    EXPECT_TRUE(shell::surface.drawingContext->transparent);
    EXPECT_EQ(shell::surface.drawingContext->pixels, shell::surface.pixels);
}

TEST_F(Host, NoPixelMemoryEndsWithOneBeforeTheGameAndTheLoop) {
    headless::failPixelMemory(true);
    testing::internal::CaptureStderr();
    EXPECT_EQ(shell::runProgram(platform::programModule()), 1);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(headless::peekCalls() + headless::getCalls(), 0);
    EXPECT_EQ(presents(), 0);
    EXPECT_EQ(gfx::SpriteSheet.pixels, nullptr); // gameInit never ran
}

TEST_F(Host, NoWindowSaysWhyInOneLineAndEndsWithOne) {
    headless::failCreateWindow("no display to open a window on");
    testing::internal::CaptureStderr();
    EXPECT_EQ(shell::runProgram(platform::programModule()), 1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("no display to open a window on"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(headless::windowCallsOf(WindowCall::CreatePixelMemory), 0);
    EXPECT_EQ(headless::peekCalls() + headless::getCalls(), 0);
}

TEST_F(Host, CloseAfterAScriptedRunLeavesNoFrameAfterTeardown) {
    // Frames stop at the quit message: the loop fetches it before it would
    // find the queue empty.
    headless::queueMessage(plain(MessageKind::Close), 5);
    EXPECT_EQ(shell::runProgram(platform::programModule()), 0);
    EXPECT_EQ(presents(), 5);
    const int last = headless::windowCallCount() - 1;
    EXPECT_EQ(headless::windowCall(last).call, WindowCall::DestroyWindow);
    EXPECT_EQ(headless::windowCall(last - 1).call, WindowCall::ReleasePixelMemory);
}

// --- Pacing ---

TEST_F(Host, AFrameSleepsOutTheRestOfItsThirtyMilliseconds) {
    start();
    struct Case {
        std::uint32_t cost;
        int sleeps;
        std::uint32_t length;
    } const cases[] = {{0, 1, 30}, {29, 1, 1}, {30, 0, 0}, {31, 0, 0}, {500, 0, 0}};
    for (const Case& c : cases) {
        headless::setClock(1000000);
        headless::setFrameCost(c.cost);
        const int before = headless::sleepCalls();
        shell::frameTick();
        EXPECT_EQ(headless::sleepCalls() - before, c.sleeps) << "cost " << c.cost;
        if (c.sleeps > 0) {
            EXPECT_EQ(headless::lastSleep(), c.length) << "cost " << c.cost;
        }
    }
}

// The step a browser's animation frames call: it runs the frame and says
// when the next is due, and never sleeps itself.
TEST_F(Host, AFrameStepSaysWhenTheNextFrameIsDueWithoutSleeping) {
    start();
    headless::setFrameCost(12);
    EXPECT_EQ(shell::frameStep(), 18u);
    EXPECT_EQ(presents(), 1);
    shell::runCommand(res::CMD_NO_WAIT);
    EXPECT_EQ(shell::frameStep(), 0u);
    EXPECT_EQ(presents(), 2);
    shell::host.framesRunning = 0;
    const std::uint32_t before = platform::millisecondClock();
    EXPECT_EQ(shell::frameStep(), 100u);
    EXPECT_EQ(presents(), 2);
    EXPECT_EQ(platform::millisecondClock(), before);
    EXPECT_EQ(headless::sleepCalls(), 0);
}

TEST_F(Host, PacingSurvivesTheClockWrapping) {
    start();
    headless::setClock(0xFFFFFFF0u);
    headless::setFrameCost(20); // the clock wraps to 4 during the frame
    shell::frameTick();
    EXPECT_EQ(headless::sleepCalls(), 1);
    EXPECT_EQ(headless::lastSleep(), 10u);
}

TEST_F(Host, NoWaitNeverSleepsWhileRunning) {
    start();
    shell::runCommand(res::CMD_NO_WAIT);
    ASSERT_EQ(shell::host.frameWait, 0);
    headless::setFrameCost(1);
    for (int i = 0; i < 50; ++i) {
        step();
    }
    EXPECT_EQ(presents(), 50);
    EXPECT_EQ(headless::sleepCalls(), 0);
}

// --- The menu pauses the game ---

TEST_F(Host, NothingAdvancesWhileAMenuIsOpenAndNothingIsMadeUpAfter) {
    start();
    headless::setFrameCost(10);
    for (int i = 0; i < 3; ++i) {
        step();
    }
    ASSERT_EQ(presents(), 3);
    deliver(shelltest::keyDown(platform::KEY_F10));
    ASSERT_EQ(shell::host.framesRunning, 0);

    // A minute passes with the menu open and the mouse moving about.
    headless::setClock(platform::millisecondClock() + 60000);
    for (int i = 0; i < 20; ++i) {
        deliver(shelltest::mouse(MessageKind::MouseMove, 200, 150));
    }
    EXPECT_EQ(presents(), 3);
    EXPECT_EQ(headless::getCalls(), 20);

    deliver(shelltest::keyDown(platform::KEY_ESCAPE));
    EXPECT_EQ(shell::host.framesRunning, 1);
    EXPECT_TRUE(shell::windowAlive()); // Escape closed the menu, not the program
    const int sleepsBefore = headless::sleepCalls();
    step();
    EXPECT_EQ(presents(), 4);
    EXPECT_EQ(headless::sleepCalls() - sleepsBefore, 1);
    EXPECT_EQ(headless::lastSleep(), 20u); // an ordinary frame, no catch-up
}

TEST_F(Host, ATickWithTheMenuOpenOnlyWaits) {
    start();
    shell::host.framesRunning = 0;
    shell::frameTick();
    EXPECT_EQ(presents(), 0);
    EXPECT_EQ(headless::lastSleep(), 100u);
}

// --- The frames-per-second overlay ---

void expectTextAtTopLeft(const char* text, const std::uint32_t* pixels) {
    const gfx::Pixel peach = gfx::pixelFromColourRef(game::TextPeach);
    int x = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        const gfx::Glyph& glyph = gfx::findGlyph(static_cast<unsigned char>(*c));
        for (int line = 0; line < 16; ++line) {
            for (int column = 0; column < glyph.width; ++column) {
                if ((glyph.rows[line] >> (15 - column) & 1u) != 0) {
                    const int row = 239 - line;
                    ASSERT_EQ(pixels[row * 320 + x + column], peach)
                        << "'" << *c << "' " << column << "," << line;
                }
            }
        }
        x += glyph.width;
    }
}

TEST_F(Host, FpsFormatIsRightAlignedInSevenWithTwoDecimals) {
    char text[32];
    shell::formatFps(text, 33.333f);
    EXPECT_STREQ(text, "  33.33 fps");
    shell::formatFps(text, 0.0f);
    EXPECT_STREQ(text, "   0.00 fps");
    shell::formatFps(text, 123456.0f);
    EXPECT_STREQ(text, "123456.00 fps");
}

TEST_F(Host, TheFirstOverlayFrameShowsZeroThenTheTrueRate) {
    start();
    headless::setClock(3600000); // an hour after the clock's start
    shell::runCommand(res::CMD_SHOW_FPS);
    shell::frameTick();
    EXPECT_FLOAT_EQ(shell::host.fpsValue, static_cast<float>(1.0 / (3600000 * double(0.001f))));
    // The clock is scaled by the single-precision constant, then stored as a float.
    EXPECT_EQ(shell::host.fpsLastTime, 3600.000244140625f);
    expectTextAtTopLeft("   0.00 fps", headless::lastFrame());

    headless::setFrameCost(0);
    for (int i = 0; i < 34; ++i) {
        shell::frameTick(); // 30 ms apiece
    }
    // 34 frames over 1.02 s, less the float rounding of the last update time.
    EXPECT_NEAR(shell::host.fpsValue, 33.3, 0.05);
    EXPECT_EQ(shell::host.fpsFrames, 0);
    expectTextAtTopLeft("  33.3", headless::lastFrame());
}

TEST_F(Host, TheOverlayCountsOnlyItsOwnFramesSoTheFirstRateAfterReenablingIsLow) {
    start();
    headless::setClock(3600000);
    shell::runCommand(res::CMD_SHOW_FPS);
    for (int i = 0; i < 40; ++i) {
        shell::frameTick();
    }
    shell::runCommand(res::CMD_SHOW_FPS); // off for three seconds of frames
    for (int i = 0; i < 100; ++i) {
        shell::frameTick();
    }
    shell::runCommand(res::CMD_SHOW_FPS);
    shell::frameTick();
    const float low = shell::host.fpsValue;
    EXPECT_LT(low, 10.0f);
    EXPECT_GT(low, 0.0f);
    for (int i = 0; i < 40; ++i) {
        shell::frameTick();
    }
    EXPECT_NEAR(shell::host.fpsValue, 33.3, 0.1);
}

TEST_F(Host, AResetFramePresentsBlackWithOnlyTheOverlay) {
    start();
    game::gameState = game::Reset;
    shell::frameTick();
    const std::uint32_t* frame = headless::lastFrame();
    for (int i = 0; i < 320 * 240; ++i) {
        ASSERT_EQ(frame[i], 0u) << i;
    }
    game::gameState = game::Reset;
    shell::runCommand(res::CMD_SHOW_FPS);
    shell::frameTick();
    int lit = 0;
    for (int i = 0; i < 320 * 240; ++i) {
        const bool overlayArea = i / 320 >= 224 && i % 320 < 88;
        ASSERT_TRUE(frame[i] == 0 || overlayArea) << i;
        lit += frame[i] != 0;
    }
    EXPECT_GT(lit, 20);
}

} // namespace
