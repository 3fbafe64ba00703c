// The first joystick of the multimedia joystick service.
#include "platform/win32/internal.h"

#include <mmsystem.h>

namespace {

// The position request: every axis, the hat and the buttons, inside the
// driver's dead zone.
constexpr DWORD POSITION_FLAGS = JOY_RETURNALL | JOY_USEDEADZONE;
static_assert(POSITION_FLAGS == 0x8FF);
static_assert(sizeof(JOYINFOEX) == 52);
static_assert(sizeof(JOYCAPSA) == 404);

} // namespace

namespace platform {

std::uint32_t joystickDeviceCount() {
    return static_cast<std::uint32_t>(joyGetNumDevs());
}

int readJoystickCaps(JoystickCaps& caps) {
    JOYCAPSA native{};
    const MMRESULT result = joyGetDevCapsA(JOYSTICKID1, &native, sizeof native);
    caps = JoystickCaps{native.wXmin, native.wXmax, native.wYmin, native.wYmax};
    return result == JOYERR_NOERROR ? 1 : 0;
}

int readJoystickPosition(JoystickPosition& position) {
    JOYINFOEX native{};
    native.dwSize = sizeof native;
    native.dwFlags = POSITION_FLAGS;
    if (joyGetPosEx(JOYSTICKID1, &native) != JOYERR_NOERROR) {
        return 0;
    }
    position = JoystickPosition{native.dwXpos, native.dwYpos,
                                native.dwButtons & (JOY_BUTTON1 | JOY_BUTTON2)};
    return 1;
}

} // namespace platform
