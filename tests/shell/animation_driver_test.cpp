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
};

TEST_F(WebDriver, FramesArePacedFromTheirStartOrWithNoWaitRunAtEveryAnimationFrame) {
    headless::setFrameCost(5);
    const std::uint32_t t = 0xFFFFFFECu; // the second frame is due past the clock's wrap
    headless::setClock(t);
    shell::beginFrames();
    // At 60 animation frames a second, every other one runs a frame.
    const int ran[][2] = {{0, 1}, {17, 0}, {29, 0}, {30, 1}, {47, 0}, {64, 1}};
    for (const auto& [after, frames] : ran) {
        EXPECT_EQ(animationFrameAt(t + after), frames) << after << " ms on";
    }
    shell::runCommand(res::CMD_NO_WAIT);
    for (std::uint32_t after = 100; after < 160; after += 16) {
        EXPECT_EQ(animationFrameAt(t + after), 1) << after << " ms on";
    }
    // Paced again, frames slower than 30 ms run one an animation frame, with
    // none made up.
    shell::runCommand(res::CMD_NO_WAIT);
    headless::setFrameCost(45);
    for (const std::uint32_t after : {200u, 250u, 600u}) {
        EXPECT_EQ(animationFrameAt(t + after), 1) << after << " ms on";
    }
    EXPECT_EQ(headless::sleepCalls(), 0); // a sleep would freeze the page
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
