// The Win32 platform in-process on real Windows messages: the window, its
// native menu, the framebuffer, the keyboard snapshot and the multimedia
// services. Each test has a window of its own, the host started on it.
#include "game/values.h"
#include "input/controls.h"
#include "input/joystick.h"
#include "res/menu.h"
#include "shell/host.h"
#include "win32_host.h"

#include <dbt.h>
#include <gtest/gtest.h>
#include <imm.h>
#include <mmsystem.h>

#include <string>
#include <vector>

namespace {

using win32test::clientPixels;
using win32test::held;
using win32test::Win32Host;

// --- The window and its menu ---

TEST_F(Win32Host, AFixedFrameWithTheIconAndAPaintThatValidates) {
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX), DWORD{WS_MINIMIZEBOX});
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetClassLongPtrA(window, GCLP_HICON), 0);
    // A paint left invalid would come back at once, for ever.
    InvalidateRect(window, nullptr, FALSE);
    SendMessageA(window, WM_PAINT, 0, 0);
    EXPECT_EQ(GetUpdateRect(window, nullptr, FALSE), FALSE);
}

TEST_F(Win32Host, AnOpenMenuStopsTheFramesAndMarksOnlyThePopupThatOpens) {
    SendMessageA(window, WM_ENTERMENULOOP, FALSE, 0);
    EXPECT_FALSE(shell::framesRunning());
    SendMessageA(window, WM_EXITMENULOOP, FALSE, 0);
    EXPECT_TRUE(shell::framesRunning());

    auto open = [&](int index) {
        SendMessageA(window, WM_INITMENUPOPUP,
                     reinterpret_cast<WPARAM>(GetSubMenu(GetMenu(window), index)), index);
    };
    // The marks of show fps, no wait, 320*240 and 640*480: "1" checked.
    auto marks = [&] {
        std::string out;
        for (const int id :
             {res::CMD_SHOW_FPS, res::CMD_NO_WAIT, res::CMD_SIZE_NORMAL, res::CMD_SIZE_DOUBLE}) {
            out += (GetMenuState(GetMenu(window), id, MF_BYCOMMAND) & MF_CHECKED) != 0 ? '1' : '0';
        }
        return out;
    };
    open(0);
    open(1);
    EXPECT_EQ(marks(), "0010");
    command(res::CMD_SHOW_FPS);
    command(res::CMD_NO_WAIT);
    command(res::CMD_SIZE_DOUBLE);
    open(1);
    EXPECT_EQ(marks(), "0001"); // the File pop-up's marks wait until it opens
    open(0);
    EXPECT_EQ(marks(), "1101");
}

TEST_F(Win32Host, EscapeTearsDownTheWindowAndTheFramebufferAndQuitsWithZeroOnce) {
    EXPECT_EQ(platform::translateAccelerator(key(WM_KEYDOWN, 'Q', 0x10)), 0); // no accelerator
    const win32platform::FramebufferObjects objects = win32platform::framebufferObjects();
    EXPECT_EQ(platform::translateAccelerator(key(WM_KEYDOWN, VK_ESCAPE, 0x01)), 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(shell::surface.pixels, nullptr);
    EXPECT_EQ(GetObjectType(objects.bitmap), 0u); // deleted
    EXPECT_EQ(GetObjectType(objects.context), 0u);
    platform::destroyWindow(); // once gone, nothing more happens
    MSG quit;
    ASSERT_NE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE), 0);
    EXPECT_EQ(quit.wParam, 0u);
    EXPECT_EQ(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE), 0);
}

// --- The framebuffer ---

TEST_F(Win32Host, TheGameDrawsIntoAMappedDibSectionThatReachesTheClientAreaByNearestPixel) {
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectA(win32platform::framebufferObjects().bitmap, sizeof dib, &dib),
              static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmBits, static_cast<void*>(shell::surface.pixels));
    EXPECT_NE(dib.dshSection, nullptr); // over a file mapping

    for (const int size : {1, 2}) {
        command(size == 1 ? res::CMD_SIZE_NORMAL : res::CMD_SIZE_DOUBLE);
        shell::frameStep();
        const std::uint32_t* frame = shell::surface.pixels; // the bottom row first
        const std::vector<std::uint32_t> shown = clientPixels(window, 320 * size, 240 * size);
        int differing = 0;
        std::size_t black = 0;
        for (int y = 0; y < 240 * size; ++y) {
            for (int x = 0; x < 320 * size; ++x) {
                const std::uint32_t wanted = frame[(239 - y / size) * 320 + x / size] & 0xFFFFFF;
                differing += (shown[y * 320 * size + x] & 0xFFFFFF) != wanted;
                black += wanted == 0;
            }
        }
        EXPECT_EQ(differing, 0) << "size " << size;
        EXPECT_LT(black, shown.size() / 2) << "size " << size; // the title's sky, not nothing
    }
}

// --- The keyboard snapshot ---

TEST_F(Win32Host, TheKeypadCountsByPositionWhateverNumLockSays) {
    // The arrows beside the keypad share its scan codes, extended. Each row:
    // the key sent, its scan code, extended, the key it counts as, one it does not.
    const int cases[][5] = {
        {VK_UP, 0x48, 0, VK_NUMPAD8, VK_UP},         // keypad 8, Num Lock off
        {VK_UP, 0x48, 1, VK_UP, VK_NUMPAD8},         // the Up arrow
        {VK_UP, 0x48, 0, VK_NUMPAD8, VK_UP},         // keypad 8 again: nothing stale
        {VK_NUMPAD5, 0x4C, 0, VK_NUMPAD5, VK_CLEAR}, // Num Lock on
    };
    for (const auto& [sent, scanCode, extended, code, notDown] : cases) {
        EXPECT_EQ(key(WM_KEYDOWN, sent, scanCode, extended != 0).code, code);
        held({sent});
        EXPECT_TRUE(down(code)) << code;
        EXPECT_FALSE(down(notDown)) << code;
        // Let go where the loop did not see it (a menu's own loop took the
        // release): the thread's state has it up, so the snapshot does too.
        held({});
        EXPECT_FALSE(down(code)) << code;
    }
    // The arrow and keypad 8 both held: both count.
    key(WM_KEYDOWN, VK_UP, 0x48, true);
    key(WM_KEYDOWN, VK_UP, 0x48, false);
    held({VK_UP});
    EXPECT_TRUE(down(VK_UP));
    EXPECT_TRUE(down(VK_NUMPAD8));
}

TEST_F(Win32Host, KeyMessagesReachTheSnapshotAndRepeatsAreNoPresses) {
    key(WM_KEYDOWN, 'Q', 0x10);
    key(WM_KEYUP, 'Q', 0x10); // released before the frame
    EXPECT_TRUE(down('Q'));
    // Alt's keys come as system key messages, and count the same.
    EXPECT_EQ(key(WM_SYSKEYDOWN, 'E', 0x12).kind, platform::MessageKind::KeyDown);
    EXPECT_TRUE(down('E'));

    held({VK_RETURN});
    key(WM_KEYDOWN, VK_RETURN, 0x1C);
    EXPECT_TRUE(down(VK_RETURN));
    EXPECT_TRUE(key(WM_KEYDOWN, VK_RETURN, 0x1C, false, true).repeat);
    held({});
    key(WM_KEYUP, VK_RETURN, 0x1C);
    EXPECT_FALSE(down(VK_RETURN)); // the repeat was no tap
}

TEST_F(Win32Host, PressesTakenByAMenuOrABoxCountOnlyOncePressedAgain) {
    // Enter chose a menu item (or dismissed a message box) and is still
    // held as the frames resume: the press was the menu's.
    held({VK_RETURN});
    EXPECT_FALSE(down(VK_RETURN));
    EXPECT_FALSE(down(VK_RETURN));
    key(WM_KEYDOWN, VK_RETURN, 0x1C);
    EXPECT_TRUE(down(VK_RETURN));
    // A key held into the menu, its press taken by the game's loop, still counts.
    key(WM_KEYDOWN, VK_RIGHT, 0x4D, true);
    held({VK_RETURN, VK_RIGHT});
    SendMessageA(window, WM_ENTERMENULOOP, FALSE, 0);
    SendMessageA(window, WM_EXITMENULOOP, FALSE, 0);
    EXPECT_TRUE(down(VK_RIGHT));
    EXPECT_TRUE(down(VK_RETURN));
}

TEST_F(Win32Host, WithTheKeyboardElsewhereNoKeyIsDownNorStaysPressed) {
    key(WM_KEYDOWN, 'W', 0x11);
    held({'W'});
    EXPECT_TRUE(down('W'));
    key(WM_KEYDOWN, 'Z', 0x2C); // pressed, not yet in a snapshot
    const HWND other = CreateWindowExA(0, "STATIC", "elsewhere", WS_VISIBLE | WS_POPUP, 400, 400,
                                       50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    SetFocus(other);
    EXPECT_FALSE(down('Z')); // forgotten
    EXPECT_FALSE(down('W'));
    DestroyWindow(other);
    SetForegroundWindow(window);
    SetFocus(window);
    EXPECT_FALSE(down('Z')); // no stale press on coming back
    EXPECT_FALSE(down('W')); // held since before: counts once pressed again
    key(WM_KEYDOWN, 'W', 0x11);
    EXPECT_TRUE(down('W'));
}

TEST_F(Win32Host, EveryKeyArrivesAsItselfWithNoInputMethodAndIsUpOnlyWhenWindowsSaysSo) {
    // An input method would take letters and Space as VK_PROCESSKEY, and
    // the snapshot would hide them: the window has none to give them to.
    EXPECT_EQ(ImmGetContext(window), nullptr);

    // Both Shift keys, then one let go: Windows still holds Shift down, so
    // every snapshot shows it down (one with it up would make the next a
    // fresh press).
    held({VK_SHIFT, VK_LSHIFT});
    key(WM_KEYDOWN, VK_SHIFT, 0x2A);
    held({VK_SHIFT, VK_LSHIFT, VK_RSHIFT});
    key(WM_KEYDOWN, VK_SHIFT, 0x36, false, true);
    EXPECT_TRUE(down(VK_SHIFT));
    held({VK_SHIFT, VK_RSHIFT});
    key(WM_KEYUP, VK_SHIFT, 0x2A);
    EXPECT_TRUE(down(VK_SHIFT));
    EXPECT_TRUE(down(VK_SHIFT));
    held({});
    key(WM_KEYUP, VK_SHIFT, 0x36);
    EXPECT_FALSE(down(VK_SHIFT));
    // Tapped between two snapshots, it still shows once.
    key(WM_KEYDOWN, VK_SHIFT, 0x2A);
    key(WM_KEYUP, VK_SHIFT, 0x2A);
    EXPECT_TRUE(down(VK_SHIFT));
    EXPECT_FALSE(down(VK_SHIFT));
}

// --- The multimedia services ---

TEST(Win32Joystick, TheHatSteersAsTheStickAtItsEnds) {
    const platform::JoystickCaps range{10, 1000, 20, 2000};
    // Each row: the hat's angle in hundredths of a degree, then X and Y.
    const std::uint32_t cases[][3] = {
        {JOY_POVCENTERED, 500, 600},
        {0xFFFFFFFF, 500, 600}, // centred: the stick's own
        {JOY_POVFORWARD, 500, 20},
        {JOY_POVRIGHT, 1000, 600},
        {JOY_POVBACKWARD, 500, 2000},
        {JOY_POVLEFT, 10, 600},
        {4500, 1000, 20},
        {13500, 1000, 2000},
        {22500, 10, 2000},
        {31500, 10, 20},
        {35900, 500, 20},
        {2249, 500, 20},
        {2250, 1000, 20},
        {29249, 10, 600},
    };
    for (const auto& [pov, x, y] : cases) {
        platform::JoystickPosition position{500, 600, 3};
        win32platform::steerWithHat(position, range, pov);
        EXPECT_EQ(position.x, x) << pov;
        EXPECT_EQ(position.y, y) << pov;
        EXPECT_EQ(position.buttons, 3u) << pov;
    }
}

TEST_F(Win32Host, ADeviceChangeCalibratesAgainAndAPulledJoystickLeavesNothingHeld) {
    // As if a pad had been found and was steering up with button 1 down;
    // then it is pulled out. Under Wine no joystick answers.
    input::joystickCount = 1;
    input::quarterX = input::quarterY = 16383;
    input::controlStates[0] = input::ControlState{0xF0, 0, 0, 0, 0xF0, 0};
    SendMessageA(window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    EXPECT_EQ(input::joystickCount, 0);
    input::pollJoystick(input::controlStates[0]);
    EXPECT_EQ(input::controlStates[0].up, 0);
    EXPECT_EQ(input::controlStates[0].maho, 0);
}

TEST_F(Win32Host, SlotOneIsOnTheJoystickExactlyWhenTheFirstStickAnswers) {
    // Under Wine none answers, though the service counts 16 devices.
    platform::JoystickPosition position{};
    const bool answers = platform::readJoystickPosition(position) == 1;
    EXPECT_EQ(input::joystickCount,
              answers ? static_cast<int>(platform::joystickDeviceCount()) : 0);
    EXPECT_EQ(game::playerSlots[0].scheme, answers ? input::Joystick : input::Keyboard1);
}

TEST_F(Win32Host, PacedFramesTakeThirtyMillisecondsAndUnpacedOnesDoNot) {
    timeBeginPeriod(1);
    DWORD took[2] = {};
    for (DWORD& time : took) {
        const DWORD start = timeGetTime();
        for (int i = 0; i < 10; ++i) {
            shell::frameTick();
        }
        time = timeGetTime() - start;
        command(res::CMD_NO_WAIT);
    }
    timeEndPeriod(1);
    EXPECT_GE(took[0], 300u - 5); // the clock's own millisecond of rounding
    EXPECT_LT(took[0], 300u * 4); // a loaded machine runs late, not this late
    EXPECT_LT(took[1], took[0]);
}

} // namespace
