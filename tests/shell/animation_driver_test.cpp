// The host driven by a page's animation frames, on the scripted platform:
// the pacing, what holds the frames, input between them, the end of the
// game.
#include "game/flow.h"
#include "host_fixture.h"
#include "platform/keys.h"
#include "shell/animation_driver.h"

namespace {

using platform::MessageKind;
using shell::PageState;
using shelltest::keyDown;
using shelltest::mouse;

class WebDriver : public shelltest::Host {
  protected:
    void SetUp() override {
        Host::SetUp();
        game::resetToProgramStart();
        shell::resetAnimationDriver();
        start();
        shell::beginFrames();
    }

    // An animation frame at `now` on the clock; returns the frames run.
    int animationFrameAt(std::uint32_t now, const PageState& page = PageState{false, false}) {
        headless::setClock(now);
        const int before = presents();
        EXPECT_TRUE(shell::animationFrame(page));
        return presents() - before;
    }

    // Input from the page between animation frames, taken at the next one
    // (a hidden page's, so that no frame runs).
    void deliver(const platform::Message& message) {
        headless::queueMessage(message);
        shell::animationFrame(PageState{true, false});
    }

    // Animation frames at `hertz` from `from` for `milliseconds`, at the
    // whole milliseconds the page's clock reads; returns the frames run.
    int framesAtRate(int hertz, std::uint32_t from, std::uint32_t milliseconds) {
        int frames = 0;
        for (std::uint32_t k = 0; k * 1000 / hertz < milliseconds; ++k) {
            const int ran = animationFrameAt(from + k * 1000 / hertz);
            EXPECT_LE(ran, 1);
            frames += ran;
        }
        return frames;
    }
};

TEST_F(WebDriver, FramesKeepTo30MillisecondsOnAnyDisplayAndWithNoWaitRunAtEveryAnimationFrame) {
    headless::setFrameCost(5);
    // Across the clock's wrap, 3 s of each display: 100 frames, not the 90
    // of a frame due 30 ms after the last began (every other one at 60 Hz).
    std::uint32_t t = 0xFFFFF000u;
    for (const int hertz : {50, 60, 75, 120, 144}) {
        headless::setClock(t);
        shell::beginFrames();
        EXPECT_EQ(framesAtRate(hertz, t, 3000), 100) << hertz << " Hz";
        t += 3100;
    }
    shell::runCommand(res::CMD_NO_WAIT);
    EXPECT_EQ(framesAtRate(144, t, 1000), 144);
    // Paced again: frames slower than 30 ms run one an animation frame,
    // with none made up.
    shell::runCommand(res::CMD_NO_WAIT);
    headless::setFrameCost(45);
    EXPECT_EQ(framesAtRate(20, t + 1100, 1000), 20);
    EXPECT_EQ(headless::sleepCalls(), 0); // a sleep would freeze the page
}

TEST_F(WebDriver, AFrameLateByUpTo100MillisecondsIsMadeUpAndALaterOneStartsTheGridAgain) {
    EXPECT_EQ(framesAtRate(60, 0, 300), 10);
    // 90 ms late (a busy machine): one frame an animation frame until the
    // grid is caught up, so the second holds its 10 frames as well.
    EXPECT_EQ(framesAtRate(60, 390, 210), 10);
    // 150 ms late: the grid starts again at the late frame, no burst.
    const int ran[][2] = {{750, 1}, {766, 0}, {783, 1}, {800, 0}, {816, 1}};
    for (const auto& [at, frames] : ran) {
        EXPECT_EQ(animationFrameAt(at), frames) << at << " ms";
    }
}

TEST_F(WebDriver, NoFrameWhileHiddenUnderAMessageOrInAMenuAndNoCatchUpAfter) {
    EXPECT_EQ(animationFrameAt(0), 1);
    EXPECT_EQ(animationFrameAt(40, PageState{true, false}), 0);
    EXPECT_EQ(animationFrameAt(5000, PageState{false, true}), 0);
    EXPECT_EQ(animationFrameAt(9000), 1);
    EXPECT_EQ(animationFrameAt(9016), 0);
    deliver(keyDown(platform::KEY_F10));
    EXPECT_EQ(animationFrameAt(9100), 0);
    deliver(keyDown(platform::KEY_ESCAPE)); // closes the menu only
    EXPECT_EQ(animationFrameAt(9110), 1);
    EXPECT_FALSE(shell::ended());
}

TEST_F(WebDriver, InputIsTakenBeforeTheNextFrameAndQuitEndsTheFrames) {
    // Size, then its second item: the command runs before any frame.
    const menubar::MenuPopupLayout& size = menubar::menuPopup(1);
    const int clicks[][2] = {{size.titleX + 2, 5}, {size.x + 10, size.items[1].y + 2}};
    for (const auto& [x, y] : clicks) {
        deliver(mouse(MessageKind::MouseDown, x, y));
        deliver(mouse(MessageKind::MouseUp, x, y));
    }
    EXPECT_EQ(shell::host.clientWidth, 640);
    deliver(keyDown(platform::KEY_ESCAPE));
    EXPECT_TRUE(shell::ended());
    EXPECT_EQ(shell::exitCode(), 0);
    headless::setClock(100);
    EXPECT_FALSE(shell::animationFrame(PageState{false, false}));
    deliver(keyDown(platform::KEY_F11)); // nothing reaches a game that has ended
    EXPECT_EQ(shell::host.clientWidth, 640);
    EXPECT_EQ(presents(), 0);
}

} // namespace
