// What the platforms share below the seam: the keyboard snapshot built
// from key messages, with no tap between two snapshots lost, and the
// queue of posted messages.
#include "platform/key_events.h"
#include "platform/keyboard_snapshot.h"
#include "platform/keys.h"
#include "platform/message_queue.h"

#include <gtest/gtest.h>

namespace {

using platform::KEY_RETURN;
using platform::KEY_UP;

class Keyboard : public ::testing::Test {
  protected:
    void SetUp() override { platform::clearKeyboard(); }
    void TearDown() override { platform::clearKeyboard(); }

    static std::uint8_t snapshot(int key) {
        std::uint8_t keys[platform::KEY_COUNT];
        platform::getKeyboardState(keys);
        return keys[key];
    }
};

TEST_F(Keyboard, APressShowsWhileHeldAndItsToggleFlipsOncePerPress) {
    platform::pressKey(KEY_UP, false);
    EXPECT_EQ(snapshot(KEY_UP), 0x81);
    platform::pressKey(KEY_UP, true); // auto-repeat
    EXPECT_EQ(snapshot(KEY_UP), 0x81);
    platform::releaseKey(KEY_UP);
    EXPECT_EQ(snapshot(KEY_UP), 0x01);
    platform::pressKey(KEY_UP, false);
    EXPECT_EQ(snapshot(KEY_UP), 0x80);
}

TEST_F(Keyboard, ATapBetweenTwoSnapshotsShowsOnceAsDown) {
    platform::pressKey(KEY_RETURN, false);
    platform::releaseKey(KEY_RETURN);
    EXPECT_EQ(snapshot(KEY_RETURN), 0x81) << "the tap is seen";
    EXPECT_EQ(snapshot(KEY_RETURN), 0x01) << "and its release in the next snapshot";
    EXPECT_EQ(snapshot(KEY_RETURN), 0x01);
}

TEST_F(Keyboard, AReleaseAndPressOfAHeldKeyShowTheReleaseFirst) {
    platform::pressKey(KEY_UP, false);
    EXPECT_EQ(snapshot(KEY_UP) & 0x80, 0x80);
    platform::releaseKey(KEY_UP);
    platform::pressKey(KEY_UP, false);
    EXPECT_EQ(snapshot(KEY_UP) & 0x80, 0) << "the release is not lost";
    EXPECT_EQ(snapshot(KEY_UP) & 0x80, 0x80) << "nor the new press";
    platform::releaseKey(KEY_UP);
    platform::pressKey(KEY_UP, false);
    platform::releaseKey(KEY_UP);
    EXPECT_EQ(snapshot(KEY_UP) & 0x80, 0);
    EXPECT_EQ(snapshot(KEY_UP) & 0x80, 0x80) << "a press seen late is still seen";
    EXPECT_EQ(snapshot(KEY_UP) & 0x80, 0);
}

TEST_F(Keyboard, LosingTheKeyboardReleasesEveryKeyAndForgetsTaps) {
    platform::pressKey(KEY_UP, false);
    platform::pressKey(KEY_RETURN, false);
    platform::releaseKey(KEY_RETURN);
    platform::releaseAllKeys();
    EXPECT_EQ(snapshot(KEY_UP), 0x01) << "toggle kept";
    EXPECT_EQ(snapshot(KEY_RETURN), 0x01);
}

TEST_F(Keyboard, TapsNotedFromAnotherSourceAdjustItsSnapshot) {
    // As on a platform that reads the keys' state from the system and only
    // notes the key messages it sees.
    std::uint8_t keys[platform::KEY_COUNT] = {};
    platform::noteKeyDown(KEY_RETURN);
    platform::noteKeyUp(KEY_RETURN);
    keys[KEY_RETURN] = 0x01;
    platform::applyKeyEvents(keys);
    EXPECT_EQ(keys[KEY_RETURN], 0x81);
    keys[KEY_RETURN] = 0x01; // the system's state at the next snapshot
    platform::applyKeyEvents(keys);
    EXPECT_EQ(keys[KEY_RETURN], 0x01);
}

platform::Message numbered(int n) {
    platform::Message m;
    m.kind = platform::MessageKind::Command;
    m.code = n;
    return m;
}

TEST(PostedMessages, ComeInOrderAndQuitComesLastEvenWhenTheQueueIsFull) {
    platform::clearPostedMessages();
    platform::postMessage(numbered(1));
    platform::postQuitMessage(7);
    for (int n = 2; n < 200; ++n) {
        platform::postMessage(numbered(n)); // more than the queue holds
    }
    platform::Message m;
    int expected = 1;
    while (platform::takePostedMessage(m) && m.kind == platform::MessageKind::Command) {
        EXPECT_EQ(m.code, expected++);
    }
    EXPECT_GT(expected, 50) << "the queue holds a good many";
    EXPECT_EQ(m.kind, platform::MessageKind::Quit);
    EXPECT_EQ(m.code, 7);
    EXPECT_FALSE(platform::takePostedMessage(m)) << "quit comes once";
}

} // namespace
