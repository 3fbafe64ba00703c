// The first joystick of the multimedia joystick service; its
// point-of-view hat (the D-pad of most pads) steers as the stick does.
#include "platform/win32/internal.h"

#include <mmsystem.h>

// Declared by newer SDKs only.
extern "C" MMRESULT WINAPI joyConfigChanged(DWORD flags);

namespace {

// The position request: every axis, the hat and the buttons, inside the
// driver's dead zone.
constexpr DWORD POSITION_FLAGS = JOY_RETURNALL | JOY_USEDEADZONE;
static_assert(POSITION_FLAGS == 0x8FF);
static_assert(sizeof(JOYINFOEX) == 52);
static_assert(sizeof(JOYCAPSA) == 404);

// The axes' ends and whether there is a hat, as last read: a device
// without one may report anything for it.
platform::JoystickCaps range{};
bool hasHat = false;

// Hundredths of a degree.
constexpr DWORD FULL_TURN = 36000;
constexpr DWORD EIGHTH_TURN = FULL_TURN / 8;

// The eight directions clockwise from forward: -1 left or up, 1 right or down.
constexpr int HAT_X[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int HAT_Y[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

} // namespace

namespace win32platform {

void joystickDevicesChanged() {
    // The service otherwise keeps the devices it found first.
    joyConfigChanged(0);
}

void steerWithHat(platform::JoystickPosition& position, const platform::JoystickCaps& axes,
                  DWORD pov) {
    if (pov >= FULL_TURN) {
        return; // centred (JOY_POVCENTERED)
    }
    const DWORD direction = (pov + EIGHTH_TURN / 2) / EIGHTH_TURN % 8;
    if (HAT_X[direction] != 0) {
        position.x = HAT_X[direction] < 0 ? axes.xMin : axes.xMax;
    }
    if (HAT_Y[direction] != 0) {
        position.y = HAT_Y[direction] < 0 ? axes.yMin : axes.yMax;
    }
}

} // namespace win32platform

namespace platform {

std::uint32_t joystickDeviceCount() {
    return static_cast<std::uint32_t>(joyGetNumDevs());
}

int readJoystickCaps(JoystickCaps& caps) {
    JOYCAPSA native{};
    const MMRESULT result = joyGetDevCapsA(JOYSTICKID1, &native, sizeof native);
    caps = JoystickCaps{native.wXmin, native.wXmax, native.wYmin, native.wYmax};
    range = caps;
    hasHat = result == JOYERR_NOERROR && (native.wCaps & JOYCAPS_HASPOV) != 0;
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
    if (hasHat) {
        win32platform::steerWithHat(position, range, native.dwPOV);
    }
    return 1;
}

} // namespace platform
