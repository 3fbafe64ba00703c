// The page's frame driver on the scripted platform: the pacing of
// animation frames, what holds the frames, input handled between them,
// the end of the game, and a joystick that shows up late.
#include "game/flow.h"
#include "game/values.h"
#include "input/controls.h"
#include "input/joystick.h"
#include "platform/keys.h"
#include "platform/web/frame_driver.h"
#include "shell/host_fixture.h"

namespace {

using platform::MessageKind;
using shelltest::keyDown;
using shelltest::keyUp;
using shelltest::mouse;
using shelltest::plain;
using webplatform::PageState;

constexpr PageState SHOWN{false, false};

class WebDriver : public shelltest::Host {
  protected:
    void SetUp() override {
        Host::SetUp();
        game::resetToProgramStart();
        webplatform::resetFrameDriver();
    }

    void TearDown() override {
        webplatform::resetFrameDriver();
        Host::TearDown();
    }

    void begin() {
        start();
        webplatform::beginFrames();
    }

    // An animation frame at `now` on the clock; returns the frames run.
    int animationFrameAt(std::uint32_t now, const PageState& page = SHOWN) {
        headless::setClock(now);
        const int before = presents();
        EXPECT_TRUE(webplatform::animationFrame(page));
        return presents() - before;
    }

    bool keyShownDown(int key) {
        std::uint8_t keys[platform::KEY_COUNT];
        platform::getKeyboardState(keys);
        return (keys[key] & 0x80) != 0;
    }
};

TEST_F(WebDriver, AFrameRunsOnceThirtyMillisecondsHavePassedSinceTheLastBegan) {
    headless::setFrameCost(5);
    headless::setClock(1000);
    begin();
    // At 60 animation frames a second: every other one runs a frame.
    EXPECT_EQ(animationFrameAt(1000), 1); // 1000 to 1005
    EXPECT_EQ(animationFrameAt(1017), 0);
    EXPECT_EQ(animationFrameAt(1029), 0);
    EXPECT_EQ(animationFrameAt(1030), 1);
    EXPECT_EQ(animationFrameAt(1047), 0);
    EXPECT_EQ(animationFrameAt(1064), 1);
    // Never a sleep: the page would freeze.
    EXPECT_EQ(headless::sleepCalls(), 0);
}

TEST_F(WebDriver, NoWaitRunsAFrameAtEveryAnimationFrameAndSlowFramesAreNotMadeUp) {
    headless::setFrameCost(5);
    begin();
    shell::runCommand(res::CMD_NO_WAIT);
    for (std::uint32_t t = 0; t < 100; t += 16) {
        EXPECT_EQ(animationFrameAt(t), 1) << "at " << t;
    }
    // Paced again, with frames slower than 30 ms: one at each animation
    // frame, and never two to catch up.
    shell::runCommand(res::CMD_NO_WAIT);
    headless::setFrameCost(45);
    EXPECT_EQ(animationFrameAt(200), 1);
    EXPECT_EQ(animationFrameAt(250), 1);
    EXPECT_EQ(animationFrameAt(600), 1);
}

TEST_F(WebDriver, TheClockWrappingDoesNotStopTheFrames) {
    headless::setFrameCost(5);
    headless::setClock(0xFFFFFFF0u);
    begin();
    EXPECT_EQ(animationFrameAt(0xFFFFFFF0u), 1);
    EXPECT_EQ(animationFrameAt(0xFFFFFFFFu), 0);
    EXPECT_EQ(animationFrameAt(14), 1); // 30 ms after the last began
}

TEST_F(WebDriver, NoFrameWhileHiddenOrUnderAMessageAndNoCatchUpAfter) {
    begin();
    EXPECT_EQ(animationFrameAt(0), 1);
    EXPECT_EQ(animationFrameAt(40, PageState{true, false}), 0);
    EXPECT_EQ(animationFrameAt(5000, PageState{true, false}), 0);
    EXPECT_EQ(animationFrameAt(5040, PageState{false, true}), 0);
    EXPECT_EQ(animationFrameAt(9000), 1);
    EXPECT_EQ(animationFrameAt(9016), 0);
}

TEST_F(WebDriver, AnOpenMenuHoldsTheFramesAndClosingItResumesAtOnce) {
    begin();
    EXPECT_EQ(animationFrameAt(0), 1);
    webplatform::deliver(keyDown(platform::KEY_F10));
    EXPECT_FALSE(shell::framesRunning());
    EXPECT_EQ(animationFrameAt(100), 0);
    EXPECT_EQ(animationFrameAt(500), 0);
    webplatform::deliver(keyDown(platform::KEY_ESCAPE)); // closes the menu only
    EXPECT_TRUE(shell::framesRunning());
    EXPECT_EQ(animationFrameAt(510), 1);
    EXPECT_FALSE(webplatform::ended());
}

TEST_F(WebDriver, AKeyTappedBetweenTwoAnimationFramesReachesTheGame) {
    begin();
    EXPECT_EQ(animationFrameAt(0), 1);
    ASSERT_EQ(game::gameState, game::Title);
    webplatform::deliver(keyDown(platform::KEY_RETURN));
    webplatform::deliver(keyUp(platform::KEY_RETURN));
    EXPECT_EQ(animationFrameAt(30), 1);
    EXPECT_EQ(game::gameState, game::Setup);
}

TEST_F(WebDriver, AMenuCommandRunsAsSoonAsTheMenuHasClosed) {
    begin();
    EXPECT_EQ(animationFrameAt(0), 1);
    // A click on the second title opens its pop-up; a click on its second
    // item chooses double size, run before the next animation frame.
    const menubar::MenuPopupLayout& size = menubar::menuPopup(1);
    const menubar::MenuItemLayout& twice = size.items[1];
    const int x = size.titleX + 2;
    webplatform::deliver(mouse(MessageKind::MouseDown, x, 5));
    webplatform::deliver(mouse(MessageKind::MouseUp, x, 5));
    ASSERT_FALSE(shell::framesRunning());
    webplatform::deliver(mouse(MessageKind::MouseDown, size.x + 10, twice.y + 2));
    webplatform::deliver(mouse(MessageKind::MouseUp, size.x + 10, twice.y + 2));
    EXPECT_EQ(shell::host.sizeMode, 2);
    EXPECT_EQ(shell::host.clientWidth, 640);
    EXPECT_TRUE(shell::framesRunning());
}

TEST_F(WebDriver, LosingTheKeyboardReleasesEveryKey) {
    begin();
    webplatform::deliver(keyDown(platform::KEY_UP));
    EXPECT_TRUE(keyShownDown(platform::KEY_UP));
    webplatform::deliver(plain(MessageKind::FocusLost));
    EXPECT_FALSE(keyShownDown(platform::KEY_UP));
}

TEST_F(WebDriver, EscapeEndsTheGameAndTheFramesStop) {
    begin();
    EXPECT_EQ(animationFrameAt(0), 1);
    webplatform::deliver(keyDown(platform::KEY_ESCAPE));
    EXPECT_TRUE(webplatform::ended());
    EXPECT_EQ(webplatform::exitCode(), 0);
    EXPECT_TRUE(headless::window().destroyed);
    headless::setClock(100);
    EXPECT_FALSE(webplatform::animationFrame(SHOWN));
    // Nothing reaches a game that has ended.
    webplatform::deliver(keyDown(platform::KEY_F12));
    EXPECT_EQ(shell::host.sizeMode, 1);
    EXPECT_EQ(presents(), 1);
}

TEST_F(WebDriver, AJoystickThatShowsUpOnTheTitleScreenIsPlayerOnes) {
    begin();
    ASSERT_EQ(input::joystickCount, 0);
    ASSERT_EQ(game::playerSlots[0].scheme, input::Keyboard1);
    headless::JoystickScript& stick = headless::joystick();
    stick.deviceCount = 1;
    stick.caps = platform::JoystickCaps{0, 65535, 0, 65535};
    stick.position = platform::JoystickPosition{32768, 32768, 0};
    webplatform::joystickAppeared();
    EXPECT_EQ(input::joystickCount, 1);
    EXPECT_EQ(input::quarterX, 16383);
    EXPECT_EQ(game::playerSlots[0].scheme, input::Joystick);
    // Found once: a later one changes no choice made since.
    game::playerSlots[0].scheme = input::Keyboard2;
    webplatform::joystickAppeared();
    EXPECT_EQ(game::playerSlots[0].scheme, input::Keyboard2);
}

TEST_F(WebDriver, AJoystickThatShowsUpAfterTheTitleScreenIsOnlyFound) {
    begin();
    game::gameState = game::Setup;
    headless::joystick().deviceCount = 1;
    headless::joystick().caps = platform::JoystickCaps{0, 65535, 0, 65535};
    webplatform::joystickAppeared();
    EXPECT_EQ(input::joystickCount, 1);
    EXPECT_EQ(game::playerSlots[0].scheme, input::Keyboard1);
}

} // namespace
