// The first game controller, its axes reported over 0..65535 as the game's
// calibration expects. A pad SDL knows (its own mapping database, plus
// SDL_GAMECONTROLLERCONFIG from the environment) goes through the
// GameController API: the left stick and the D-pad both steer, the south
// face button is button 1 and the east one button 2. Any other device is
// read raw: axes 0 and 1, buttons 0 and 1.
#include "platform/sdl/internal.h"

#include <initializer_list>

namespace {

SDL_GameController* pad = nullptr;
SDL_Joystick* stick = nullptr; // the open device (the pad's own joystick for a pad)
bool started = false;

constexpr std::uint32_t AXIS_LOW = 0;
constexpr std::uint32_t AXIS_HIGH = 65535;

bool start() {
    if (!started) {
        started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
        if (started) {
            // The game polls the device itself once per frame; only its
            // arrival and departure come as events.
            for (const Uint32 type :
                 {SDL_JOYAXISMOTION, SDL_JOYBALLMOTION, SDL_JOYHATMOTION, SDL_JOYBUTTONDOWN,
                  SDL_JOYBUTTONUP, SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERBUTTONDOWN,
                  SDL_CONTROLLERBUTTONUP, SDL_CONTROLLERDEVICEADDED, SDL_CONTROLLERDEVICEREMOVED,
                  SDL_CONTROLLERDEVICEREMAPPED}) {
                SDL_EventState(type, SDL_IGNORE);
            }
        }
    }
    return started;
}

void close() {
    if (pad != nullptr) {
        SDL_GameControllerClose(pad);
    } else if (stick != nullptr) {
        SDL_JoystickClose(stick);
    }
    pad = nullptr;
    stick = nullptr;
}

bool open() {
    if (stick != nullptr && SDL_JoystickGetAttached(stick) == SDL_FALSE) {
        close(); // unplugged: the next device plugged in takes its place
    }
    if (stick == nullptr && start() && SDL_NumJoysticks() > 0) {
        if (SDL_IsGameController(0) == SDL_TRUE) {
            pad = SDL_GameControllerOpen(0);
            stick = pad != nullptr ? SDL_GameControllerGetJoystick(pad) : nullptr;
        }
        if (stick == nullptr) {
            stick = SDL_JoystickOpen(0);
        }
    }
    return stick != nullptr;
}

std::uint32_t fromAxis(Sint16 value) {
    return static_cast<std::uint32_t>(value + 32768);
}

// A D-pad direction held puts its axis at the far end, over the stick.
std::uint32_t padAxis(SDL_GameControllerAxis axis, SDL_GameControllerButton low,
                      SDL_GameControllerButton high) {
    if (SDL_GameControllerGetButton(pad, low) != 0) {
        return AXIS_LOW;
    }
    if (SDL_GameControllerGetButton(pad, high) != 0) {
        return AXIS_HIGH;
    }
    return fromAxis(SDL_GameControllerGetAxis(pad, axis));
}

} // namespace

namespace sdlplatform {

void joystickDevicesChanged() {
    if (stick != nullptr && SDL_JoystickGetAttached(stick) == SDL_FALSE) {
        close();
    }
}

} // namespace sdlplatform

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
    caps = JoystickCaps{AXIS_LOW, AXIS_HIGH, AXIS_LOW, AXIS_HIGH};
    return 1;
}

int readJoystickPosition(JoystickPosition& position) {
    if (!open()) {
        return 0;
    }
    SDL_JoystickUpdate();
    if (SDL_JoystickGetAttached(stick) == SDL_FALSE) {
        close();
        return 0;
    }
    if (pad != nullptr) {
        position.x = padAxis(SDL_CONTROLLER_AXIS_LEFTX, SDL_CONTROLLER_BUTTON_DPAD_LEFT,
                             SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        position.y = padAxis(SDL_CONTROLLER_AXIS_LEFTY, SDL_CONTROLLER_BUTTON_DPAD_UP,
                             SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        position.buttons =
            (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_A) != 0 ? 1u : 0u) |
            (SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_B) != 0 ? 2u : 0u);
        return 1;
    }
    position.x = fromAxis(SDL_JoystickGetAxis(stick, 0));
    position.y = fromAxis(SDL_JoystickGetAxis(stick, 1));
    position.buttons = (SDL_JoystickGetButton(stick, 0) != 0 ? 1u : 0u) |
                       (SDL_JoystickGetButton(stick, 1) != 0 ? 2u : 0u);
    return 1;
}

} // namespace platform
