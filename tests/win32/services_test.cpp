// The multimedia services: the joystick the game finds at start-up, and
// the clock and sleep that pace a frame to 30 ms.
#include "input/controls.h"
#include "input/joystick.h"
#include "win32_fixture.h"

#include <mmsystem.h>

namespace {

using win32test::Win32Host;

TEST_F(Win32Host, SlotOneIsOnTheJoystickExactlyWhenTheFirstStickAnswers) {
    platform::JoystickPosition position{};
    const bool answers = platform::readJoystickPosition(position) == 1;
    platform::JoystickCaps caps{};
    if (!answers) {
        // No stick (as under Wine, where the service counts devices that
        // are not there): the game keeps the keyboard.
        EXPECT_EQ(input::joystickCount, 0);
        EXPECT_EQ(game::playerSlots[0].scheme, input::Keyboard1);
        return;
    }
    EXPECT_EQ(platform::readJoystickCaps(caps), 1);
    EXPECT_EQ(static_cast<std::uint32_t>(input::joystickCount), platform::joystickDeviceCount());
    EXPECT_EQ(game::playerSlots[0].scheme, input::Joystick);
    EXPECT_EQ(input::axisXMax, caps.xMax);
    EXPECT_EQ(position.buttons & ~3u, 0u);
}

TEST_F(Win32Host, PacedFramesTakeThirtyMillisecondsAndUnpacedOnesDoNot) {
    timeBeginPeriod(1);
    constexpr int FRAMES = 10;
    DWORD start = timeGetTime();
    for (int i = 0; i < FRAMES; ++i) {
        shell::frameTick();
    }
    const DWORD paced = timeGetTime() - start;
    SendMessageA(window, WM_COMMAND, res::CMD_NO_WAIT, 0);
    start = timeGetTime();
    for (int i = 0; i < FRAMES; ++i) {
        shell::frameTick();
    }
    const DWORD unpaced = timeGetTime() - start;
    timeEndPeriod(1);
    EXPECT_GE(paced, 30u * FRAMES - 5); // the clock's own millisecond of rounding
    EXPECT_LT(paced, 30u * FRAMES * 4); // a loaded machine runs late, not this late
    EXPECT_LT(unpaced, paced);
}

} // namespace
