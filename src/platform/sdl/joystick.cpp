// The first game controller through SDL's joystick service, its axes
// reported over 0..65535 as the game's calibration expects.
#include "platform/sdl/internal.h"

namespace {

SDL_Joystick* stick = nullptr;
bool started = false;

bool start() {
    if (!started) {
        started = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
        if (started) {
            // The game polls the stick itself once per frame.
            SDL_JoystickEventState(SDL_IGNORE);
        }
    }
    return started;
}

bool open() {
    if (stick == nullptr && start() && SDL_NumJoysticks() > 0) {
        stick = SDL_JoystickOpen(0);
    }
    return stick != nullptr;
}

std::uint32_t axis(int index) {
    return static_cast<std::uint32_t>(SDL_JoystickGetAxis(stick, index) + 32768);
}

} // namespace

namespace platform {

std::uint32_t joystickDeviceCount() {
    if (!start()) {
        return 0;
    }
    const int count = SDL_NumJoysticks();
    return count > 0 ? static_cast<std::uint32_t>(count) : 0;
}

int readJoystickCaps(JoystickCaps& caps) {
    if (!open()) {
        return 0;
    }
    caps = JoystickCaps{0, 65535, 0, 65535};
    return 1;
}

int readJoystickPosition(JoystickPosition& position) {
    if (!open()) {
        return 0;
    }
    SDL_JoystickUpdate();
    if (SDL_JoystickGetAttached(stick) == SDL_FALSE) {
        return 0;
    }
    position.x = axis(0);
    position.y = axis(1);
    position.buttons = (SDL_JoystickGetButton(stick, 0) != 0 ? 1u : 0u) |
                       (SDL_JoystickGetButton(stick, 1) != 0 ? 2u : 0u);
    return 1;
}

} // namespace platform
