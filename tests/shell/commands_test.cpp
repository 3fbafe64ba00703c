#include "host_fixture.h"
#include "res/menu.h"

#include <cstring>

namespace {

using headless::WindowCall;
using platform::MessageKind;
using shelltest::Host;
using shelltest::keyDown;
using shelltest::keyUp;
using shelltest::plain;

struct Marks {
    bool showFps, noWait, normal, twice;
};

// Opens each pop-up as the menu would and reads its marks.
Marks marksWhenOpened() {
    shell::windowProcedure(shelltest::initMenuPopup(0));
    shell::windowProcedure(shelltest::initMenuPopup(1));
    return Marks{shelltest::menuItemChecked(res::CMD_SHOW_FPS),
                 shelltest::menuItemChecked(res::CMD_NO_WAIT),
                 shelltest::menuItemChecked(res::CMD_SIZE_NORMAL),
                 shelltest::menuItemChecked(res::CMD_SIZE_DOUBLE)};
}

void expectMarks(const Marks& m, bool showFps, bool noWait, bool normal, bool twice) {
    EXPECT_EQ(m.showFps, showFps);
    EXPECT_EQ(m.noWait, noWait);
    EXPECT_EQ(m.normal, normal);
    EXPECT_EQ(m.twice, twice);
}

TEST_F(Host, CheckMarksFollowTheSettingsEachTimeAPopupOpens) {
    start();
    expectMarks(marksWhenOpened(), false, false, true, false);
    shell::runCommand(res::CMD_SHOW_FPS);
    expectMarks(marksWhenOpened(), true, false, true, false);
    shell::runCommand(res::CMD_NO_WAIT);
    EXPECT_EQ(shell::host.frameWait, 0);
    expectMarks(marksWhenOpened(), true, true, true, false);
    shell::runCommand(res::CMD_NO_WAIT); // twice restores pacing
    EXPECT_EQ(shell::host.frameWait, 1);
    shell::runCommand(res::CMD_SIZE_DOUBLE);
    expectMarks(marksWhenOpened(), true, false, false, true);
    shell::runCommand(res::CMD_SHOW_FPS);
    shell::runCommand(res::CMD_SIZE_NORMAL);
    expectMarks(marksWhenOpened(), false, false, true, false);
}

TEST_F(Host, MarksOnlyTouchItemsOfThePopupThatOpens) {
    start();
    shell::host.showFps = 1;
    shell::windowProcedure(shelltest::initMenuPopup(1));
    EXPECT_FALSE(shelltest::menuItemChecked(res::CMD_SHOW_FPS));
    EXPECT_TRUE(shelltest::menuItemChecked(res::CMD_SIZE_NORMAL));
    EXPECT_EQ(platform::checkMenuItem(1, res::CMD_SHOW_FPS, true), -1);
    EXPECT_EQ(platform::checkMenuItem(0, res::CMD_SHOW_FPS, true), 0);
    EXPECT_EQ(platform::checkMenuItem(0, res::CMD_SHOW_FPS, false), 1);
}

TEST_F(Host, SizeCommandsResizeOnlyWhenTheSizeChangesAndRestoreExactly) {
    start();
    const int initialWidth = headless::window().width;
    const int initialHeight = headless::window().height;
    const int resizes = headless::windowCallsOf(WindowCall::SetWindowSize);

    deliver(keyDown(platform::KEY_F12));
    EXPECT_EQ(shell::host.sizeMode, 2);
    EXPECT_EQ(shell::host.clientWidth, 640);
    EXPECT_EQ(shell::host.clientHeight, 480);
    EXPECT_EQ(headless::window().width, 640);
    EXPECT_EQ(headless::window().height, 480 + menubar::MENU_BAR_HEIGHT);
    step();
    EXPECT_EQ(headless::windowCall(headless::windowCallCount() - 1).a, 640); // the copy's size

    deliver(keyDown(platform::KEY_F12)); // already double: nothing
    EXPECT_EQ(headless::windowCallsOf(WindowCall::SetWindowSize), resizes + 1);

    deliver(keyDown(platform::KEY_F11));
    EXPECT_EQ(shell::host.sizeMode, 1);
    EXPECT_EQ(headless::window().width, initialWidth);
    EXPECT_EQ(headless::window().height, initialHeight);
    deliver(keyDown(platform::KEY_F11));
    EXPECT_EQ(headless::windowCallsOf(WindowCall::SetWindowSize), resizes + 2);
}

TEST_F(Host, UnknownCommandsDoNothing) {
    start();
    const shell::HostValues before = shell::host;
    shell::windowProcedure(plain(MessageKind::Command, 40000));
    shell::windowProcedure(plain(MessageKind::Command, 40007));
    EXPECT_EQ(std::memcmp(&before, &shell::host, sizeof before), 0);
    EXPECT_TRUE(shell::windowAlive());
}

class EveryGameState : public Host, public ::testing::WithParamInterface<int> {};

TEST_P(EveryGameState, F9ResetsAndTheNextFrameShowsTheTitle) {
    start();
    game::gameState = GetParam();
    deliver(keyDown(platform::KEY_F9));
    EXPECT_EQ(game::gameState, game::Reset);
    EXPECT_TRUE(headless::keyboardState()[platform::KEY_F9] & 0x80); // still down
    step();
    EXPECT_EQ(game::gameState, game::Title);
}

TEST_P(EveryGameState, EscapeEndsTheProgramAtOnceWithZero) {
    start();
    game::gameState = GetParam();
    headless::queueMessage(keyDown(platform::KEY_ESCAPE));
    EXPECT_EQ(shell::runMessageLoop(), 0);
    EXPECT_EQ(presents(), 0);
    EXPECT_FALSE(shell::windowAlive());
}

INSTANTIATE_TEST_SUITE_P(Host, EveryGameState, ::testing::Range(0, 6));

TEST_F(Host, AcceleratorsWantTheirKeyWithoutModifiers) {
    start();
    game::gameState = game::Setup;
    deliver(keyDown(platform::KEY_F9, platform::KEYMOD_SHIFT));
    deliver(keyDown(platform::KEY_F9, platform::KEYMOD_CONTROL));
    EXPECT_EQ(game::gameState, game::Setup);
    deliver(keyDown(platform::KEY_ESCAPE, platform::KEYMOD_SHIFT));
    EXPECT_TRUE(shell::windowAlive());
    deliver(keyDown(platform::KEY_F9, 0, true)); // auto-repeat counts
    EXPECT_EQ(game::gameState, game::Reset);
}

TEST_F(Host, AltF4AndTheCloseBoxCloseTheWindow) {
    start();
    headless::queueMessage(keyDown(platform::KEY_F4, platform::KEYMOD_ALT));
    EXPECT_EQ(shell::runMessageLoop(), 0);
    EXPECT_FALSE(shell::windowAlive());
}

TEST_F(Host, ASecondCloseAfterTheWindowIsGoneChangesNothing) {
    start();
    shell::windowProcedure(plain(MessageKind::Close));
    shell::windowProcedure(plain(MessageKind::Close));
    EXPECT_EQ(headless::windowCallsOf(WindowCall::DestroyWindow), 1);
    EXPECT_EQ(headless::windowCallsOf(WindowCall::ReleasePixelMemory), 1);
    EXPECT_EQ(step(), 0); // the quit message, once
}

// --- The keyboard snapshot ---

TEST_F(Host, KeysFollowTheirMessagesWithTheToggleBit) {
    start();
    auto& keys = headless::keyboardState();
    deliver(keyDown(platform::KEY_UP));
    EXPECT_EQ(keys[platform::KEY_UP], 0x81);
    deliver(keyDown(platform::KEY_UP, 0, true));
    EXPECT_EQ(keys[platform::KEY_UP], 0x81); // auto-repeat is no new press
    deliver(keyUp(platform::KEY_UP));
    EXPECT_EQ(keys[platform::KEY_UP], 0x01);
    deliver(keyDown(platform::KEY_UP));
    EXPECT_EQ(keys[platform::KEY_UP], 0x80);
}

TEST_F(Host, LosingFocusReleasesEveryKey) {
    start();
    auto& keys = headless::keyboardState();
    deliver(keyDown(platform::KEY_LEFT));
    deliver(keyDown('W'));
    deliver(keyDown(101));
    deliver(plain(MessageKind::FocusLost));
    EXPECT_EQ(keys[platform::KEY_LEFT], 0x01);
    EXPECT_EQ(keys['W'], 0x01);
    EXPECT_EQ(keys[101], 0x01);
}

TEST_F(Host, WithTheMenuOpenPressesAreTheMenusAndReleasesStillCount) {
    start();
    auto& keys = headless::keyboardState();
    deliver(keyDown(platform::KEY_UP)); // held into the menu
    deliver(keyDown(platform::KEY_F10));
    ASSERT_EQ(drawn::menu.mode, menubar::MenuMode::Bar);
    deliver(keyDown(platform::KEY_RETURN));
    deliver(keyDown('Q'));
    EXPECT_EQ(keys[platform::KEY_RETURN], 0);
    EXPECT_EQ(keys['Q'], 0);
    deliver(keyUp(platform::KEY_UP));
    EXPECT_EQ(keys[platform::KEY_UP] & 0x80, 0);
    // Escape in an open menu closes the menu only.
    deliver(keyDown(platform::KEY_ESCAPE));
    EXPECT_EQ(drawn::menu.mode, menubar::MenuMode::Closed);
    EXPECT_TRUE(shell::windowAlive());
    EXPECT_EQ(shell::host.framesRunning, 1);
}

TEST_F(Host, AChosenCommandRunsAfterTheMenuHasClosed) {
    start();
    deliver(keyDown(platform::KEY_MENU));
    deliver(keyUp(platform::KEY_MENU)); // Alt alone: the bar
    ASSERT_EQ(shell::host.framesRunning, 0);
    deliver(keyDown(platform::KEY_RIGHT)); // ｻｲｽﾞ
    deliver(keyDown(platform::KEY_DOWN));  // its pop-up, 等倍
    deliver(keyDown(platform::KEY_DOWN));  // ２倍
    ASSERT_EQ(drawn::menu.mode, menubar::MenuMode::Popup);
    deliver(keyDown(platform::KEY_RETURN));
    EXPECT_EQ(shell::host.framesRunning, 1);
    EXPECT_EQ(shell::host.sizeMode, 1); // not yet
    step();
    EXPECT_EQ(shell::host.sizeMode, 2);
    EXPECT_EQ(presents(), 0); // the command came before any frame
}

TEST_F(Host, AltFThenXEndsTheProgram) {
    start();
    headless::queueMessage(keyDown(platform::KEY_MENU));
    headless::queueMessage(keyDown('F', platform::KEYMOD_ALT));
    headless::queueMessage(keyUp('F'));
    headless::queueMessage(keyUp(platform::KEY_MENU));
    headless::queueMessage(keyDown('X'));
    EXPECT_EQ(shell::runMessageLoop(), 0);
    EXPECT_FALSE(shell::windowAlive());
}

TEST_F(Host, TheMenuPictureFollowsTheWindowWidth) {
    start();
    EXPECT_EQ(headless::lastMenuWidth(), 320);
    deliver(keyDown(platform::KEY_F12));
    EXPECT_EQ(headless::lastMenuWidth(), 640);
    EXPECT_EQ(headless::lastMenuHeight(), menubar::MENU_PICTURE_HEIGHT);
}

} // namespace
