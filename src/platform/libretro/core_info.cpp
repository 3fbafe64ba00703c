// What the core says about itself, and what it asks of the frontend.
#include "platform/libretro/core.h"
#include "platform/libretro/internal.h"

namespace {

using namespace retro;

constexpr ControllerDescription RETROPAD[] = {{"RetroPad", DEVICE_JOYPAD}};
constexpr ControllerInfo CONTROLLERS[] = {
    {RETROPAD, 1}, {RETROPAD, 1}, {RETROPAD, 1}, {nullptr, 0}};

// The buttons each player's pad uses, by what they do in the game.
#define SORVI_PORT(p)                                                                              \
    {p, DEVICE_JOYPAD, 0, PAD_UP, "Up"}, {p, DEVICE_JOYPAD, 0, PAD_DOWN, "Down"},                  \
        {p, DEVICE_JOYPAD, 0, PAD_LEFT, "Left"}, {p, DEVICE_JOYPAD, 0, PAD_RIGHT, "Right"},        \
        {p, DEVICE_JOYPAD, 0, PAD_B, "Maho"}, {p, DEVICE_JOYPAD, 0, PAD_A, "Maho"},                \
        {p, DEVICE_JOYPAD, 0, PAD_START, "Start"},                                                 \
        {p, DEVICE_JOYPAD, 0, PAD_SELECT, "Player on/off (setup)"},                                \
        {p, DEVICE_JOYPAD, 0, PAD_Y, "Change witch (setup)"},                                      \
        {p, DEVICE_ANALOG, ANALOG_LEFT, ANALOG_X, "Steer left/right"}, {                           \
        p, DEVICE_ANALOG, ANALOG_LEFT, ANALOG_Y, "Steer up/down"                                   \
    }
constexpr InputDescriptor DESCRIPTORS[] = {
    SORVI_PORT(0), SORVI_PORT(1), SORVI_PORT(2), {0, 0, 0, 0, nullptr}};
#undef SORVI_PORT

#ifndef SORVI_VERSION
#error "SORVI_VERSION: the project's version, set by the build"
#endif

} // namespace

namespace retrocore {

void announce(EnvironmentFunction environment) {
    if (environment == nullptr) {
        return;
    }
    bool noGame = true;
    environment(ENV_SET_SUPPORT_NO_GAME, &noGame);
    environment(ENV_SET_CONTROLLER_INFO, const_cast<ControllerInfo*>(CONTROLLERS));
    retroplatform::Frontend& f = retroplatform::frontend();
    LogCallback log{nullptr};
    if (environment(ENV_GET_LOG_INTERFACE, &log) && log.log != nullptr) {
        f.log = log.log;
    }
    f.inputBitmasks = f.inputBitmasks || environment(ENV_GET_INPUT_BITMASKS, nullptr);
}

bool prepareGame(EnvironmentFunction environment) {
    if (environment == nullptr) {
        return false;
    }
    PixelFormat format = PIXEL_XRGB8888;
    if (!environment(ENV_SET_PIXEL_FORMAT, &format)) {
        return false;
    }
    environment(ENV_SET_INPUT_DESCRIPTORS, const_cast<InputDescriptor*>(DESCRIPTORS));
    // Fixed size, no pointer, the same bytes on every machine.
    std::uint64_t quirks = 0;
    environment(ENV_SET_SERIALIZATION_QUIRKS, &quirks);
    return true;
}

} // namespace retrocore

extern "C" void retro_get_system_info(SystemInfo* info) {
    *info = SystemInfo{"Sorvi Kadra99", SORVI_VERSION, "", false, false};
}
