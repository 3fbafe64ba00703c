// What the platforms share below the seam: the keyboard snapshot built
// from key messages, with no tap between two snapshots lost, and the
// queue of posted messages.
#include "platform/keyboard_snapshot.h"
#include "platform/keys.h"
#include "platform/message_queue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Key messages for one key and the snapshots between them: 'd' a press,
// 'r' an auto-repeat, 'u' a release, 'a' every key released (focus lost),
// '.' a snapshot, whose byte is the next one expected.
struct KeyCase {
    const char* what;
    const char* events;
    std::vector<int> snapshots;
};

TEST(Keyboard, SnapshotsShowEveryPressAndReleaseOnceWithTogglesPerPress) {
    const KeyCase cases[] = {
        {"held, repeated, released, pressed", "d.r.u.d.", {0x81, 0x81, 0x01, 0x80}},
        {"a tap between two snapshots", "du...", {0x81, 0x01, 0x01}},
        {"a held key released and pressed again", "d.ud..", {0x81, 0x00, 0x80}},
        {"a release, then a tap", "d.udu...", {0x81, 0x00, 0x80, 0x00}},
        {"focus lost forgets a tap", "dua.", {0x01}},
    };
    for (const KeyCase& c : cases) {
        platform::clearKeyboard();
        std::vector<int> seen;
        for (const char* e = c.events; *e != '\0'; ++e) {
            switch (*e) {
            case 'd':
            case 'r':
                platform::pressKey(platform::KEY_UP, *e == 'r');
                break;
            case 'u':
                platform::releaseKey(platform::KEY_UP);
                break;
            case 'a':
                platform::releaseAllKeys();
                break;
            default: {
                std::uint8_t keys[platform::KEY_COUNT];
                platform::getKeyboardState(keys);
                seen.push_back(keys[platform::KEY_UP]);
            }
            }
        }
        EXPECT_EQ(seen, c.snapshots) << c.what;
    }
    platform::clearKeyboard();
}

TEST(PostedMessages, ComeInOrderAndQuitComesLastEvenWhenTheQueueIsFull) {
    platform::clearPostedMessages();
    platform::Message m;
    m.kind = platform::MessageKind::Command;
    for (m.code = 1; m.code < 200; ++m.code) { // more than the queue holds
        platform::postMessage(m);
        if (m.code == 1) {
            platform::postQuitMessage(7);
        }
    }
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
