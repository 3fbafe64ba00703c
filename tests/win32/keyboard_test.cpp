// The keyboard snapshot: the thread's key state, the keypad by position,
// and taps between two snapshots. Windows updates the key state itself as
// input arrives; here SetKeyboardState stands in for it.
#include "platform/key_events.h"
#include "win32_fixture.h"

namespace {

using win32test::Fetched;
using win32test::keyData;
using win32test::Win32Host;

class Win32Keyboard : public Win32Host {
  protected:
    void SetUp() override {
        Win32Host::SetUp();
        platform::forgetKeyEvents();
        setThreadState({});
    }

    // The key state Windows would have after the messages of a test.
    void setThreadState(std::initializer_list<int> down) {
        BYTE keys[256] = {};
        for (const int key : down) {
            keys[key] = 0x80;
        }
        SetKeyboardState(keys);
    }

    // A key message taken by the loop; returns what the host is told.
    platform::Message key(bool press, WPARAM virtualKey, int scanCode, bool extended,
                          bool repeat = false) {
        win32test::fetch(fetched, window, press ? WM_KEYDOWN : WM_KEYUP, virtualKey,
                         keyData(scanCode, extended, !press, repeat));
        return fetched.message;
    }

    bool down(int code) {
        std::uint8_t keys[platform::KEY_COUNT];
        platform::getKeyboardState(keys);
        snapshot = keys[code];
        return (keys[code] & 0x80) != 0;
    }

    Fetched fetched{};
    std::uint8_t snapshot = 0;
};

TEST_F(Win32Keyboard, TheKeypadCountsByPositionWhateverNumLockSays) {
    // Num Lock off: keypad 8 arrives as the Up arrow without the extended flag.
    platform::Message m = key(true, VK_UP, 0x48, false);
    EXPECT_EQ(m.kind, platform::MessageKind::KeyDown);
    EXPECT_EQ(m.code, VK_NUMPAD8);
    setThreadState({VK_UP});
    EXPECT_TRUE(down(VK_NUMPAD8));
    EXPECT_FALSE(down(VK_UP)); // Keyboard1's up stays still
    key(false, VK_UP, 0x48, false);
    setThreadState({});
    EXPECT_FALSE(down(VK_NUMPAD8));

    // Num Lock on: keypad 5 as itself.
    EXPECT_EQ(key(true, VK_NUMPAD5, 0x4C, false).code, VK_NUMPAD5);
    setThreadState({VK_NUMPAD5});
    EXPECT_TRUE(down(VK_NUMPAD5));
    key(false, VK_NUMPAD5, 0x4C, false);
    setThreadState({});
    EXPECT_FALSE(down(VK_NUMPAD5));

    // The arrow keys beside the keypad share its scan codes, extended.
    EXPECT_EQ(key(true, VK_UP, 0x48, true).code, VK_UP);
    setThreadState({VK_UP});
    EXPECT_TRUE(down(VK_UP));
    EXPECT_FALSE(down(VK_NUMPAD8));
    // The arrow and keypad 8 (Num Lock off) both held: both count.
    key(true, VK_UP, 0x48, false);
    EXPECT_TRUE(down(VK_UP));
    EXPECT_TRUE(down(VK_NUMPAD8));
}

TEST_F(Win32Keyboard, ATapBetweenTwoSnapshotsShowsOnceAndRepeatsAreNoPresses) {
    key(true, 'Q', 0x10, false);
    key(false, 'Q', 0x10, false); // released before the frame
    EXPECT_TRUE(down('Q'));
    EXPECT_FALSE(down('Q'));

    // Held: the auto-repeats are told as such and press nothing again.
    setThreadState({VK_RETURN});
    key(true, VK_RETURN, 0x1C, false);
    EXPECT_TRUE(down(VK_RETURN));
    const platform::Message repeat = key(true, VK_RETURN, 0x1C, false, true);
    EXPECT_TRUE(repeat.repeat);
    setThreadState({});
    key(false, VK_RETURN, 0x1C, false);
    EXPECT_FALSE(down(VK_RETURN));
    EXPECT_FALSE(down(VK_RETURN));

    // Alt's keys come as system key messages, and count the same.
    EXPECT_EQ(key(true, VK_MENU, 0x38, false).kind, platform::MessageKind::KeyDown);
    win32test::fetch(fetched, window, WM_SYSKEYDOWN, 'E', keyData(0x12, false, false));
    EXPECT_EQ(fetched.message.kind, platform::MessageKind::KeyDown);
    EXPECT_TRUE(down('E'));
}

TEST_F(Win32Keyboard, KeysLetGoWhereTheLoopDidNotSeeThemDoNotStick) {
    // Keypad 4 (Num Lock off) pressed, its release taken by a menu's own
    // loop: the thread's state has it up, so the snapshot does too.
    key(true, VK_LEFT, 0x4B, false);
    setThreadState({VK_LEFT});
    EXPECT_TRUE(down(VK_NUMPAD4));
    setThreadState({});
    EXPECT_FALSE(down(VK_NUMPAD4));
    EXPECT_FALSE(down(VK_LEFT));
    // The same arrow later pressed on its own is the arrow.
    key(true, VK_LEFT, 0x4B, true);
    setThreadState({VK_LEFT});
    EXPECT_TRUE(down(VK_LEFT));
    EXPECT_FALSE(down(VK_NUMPAD4));
}

TEST_F(Win32Keyboard, PressesTakenByAMenuOrABoxCountOnlyOncePressedAgain) {
    // Enter chose a menu item (or dismissed a message box) and is still
    // held as the frames resume: the press was the menu's.
    setThreadState({VK_RETURN});
    EXPECT_FALSE(down(VK_RETURN));
    EXPECT_FALSE(down(VK_RETURN));
    setThreadState({});
    EXPECT_FALSE(down(VK_RETURN));
    key(true, VK_RETURN, 0x1C, false);
    setThreadState({VK_RETURN});
    EXPECT_TRUE(down(VK_RETURN));
    // A key held into the menu, its press taken by the loop, still counts.
    key(true, VK_RIGHT, 0x4D, true);
    setThreadState({VK_RETURN, VK_RIGHT});
    SendMessageA(window, WM_ENTERMENULOOP, FALSE, 0);
    SendMessageA(window, WM_EXITMENULOOP, FALSE, 0);
    EXPECT_TRUE(down(VK_RIGHT));
    EXPECT_TRUE(down(VK_RETURN));
}

TEST_F(Win32Keyboard, WithTheKeyboardElsewhereNoKeyIsDown) {
    key(true, 'W', 0x11, false);
    key(true, VK_SPACE, 0x39, false);
    setThreadState({'W', VK_SPACE});
    EXPECT_TRUE(down('W'));
    key(true, 'Z', 0x2C, false); // pressed, not yet in a snapshot
    const HWND other = CreateWindowExA(0, "STATIC", "elsewhere", WS_VISIBLE | WS_POPUP, 400, 400,
                                       50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    SetFocus(other);
    EXPECT_FALSE(down('Z')); // forgotten
    EXPECT_FALSE(down('W'));
    EXPECT_FALSE(down(VK_SPACE));
    DestroyWindow(other);
    SetForegroundWindow(window);
    SetFocus(window);
    EXPECT_FALSE(down('Z')); // no stale press on coming back
    EXPECT_FALSE(down('W')); // held since before: counts once pressed again
    key(true, 'W', 0x11, false);
    EXPECT_TRUE(down('W'));
}

} // namespace
