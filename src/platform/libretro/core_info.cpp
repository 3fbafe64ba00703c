// What the core says about itself, and what it asks of the frontend.
#include "platform/libretro/core.h"
#include "platform/libretro/internal.h"

#include <array>
#include <iterator>

namespace {

using namespace retro;

constexpr ControllerDescription RETROPAD[] = {{"RetroPad", DEVICE_JOYPAD}};
constexpr ControllerInfo CONTROLLERS[] = {
    {RETROPAD, 1}, {RETROPAD, 1}, {RETROPAD, 1}, {nullptr, 0}};
static_assert(std::size(CONTROLLERS) == retroplatform::PORTS + 1, "a RetroPad per player's port");

// The buttons each player's pad uses, by what they do in the game.
struct Named {
    unsigned device;
    unsigned index;
    unsigned id;
    const char* description;
};
constexpr Named PLAYER_BUTTONS[] = {
    {DEVICE_JOYPAD, 0, PAD_UP, "Up"},
    {DEVICE_JOYPAD, 0, PAD_DOWN, "Down"},
    {DEVICE_JOYPAD, 0, PAD_LEFT, "Left"},
    {DEVICE_JOYPAD, 0, PAD_RIGHT, "Right"},
    {DEVICE_JOYPAD, 0, PAD_B, "Maho"},
    {DEVICE_JOYPAD, 0, PAD_A, "Maho"},
    {DEVICE_JOYPAD, 0, PAD_START, "Start"},
    {DEVICE_JOYPAD, 0, PAD_SELECT, "Player on/off (setup)"},
    {DEVICE_JOYPAD, 0, PAD_Y, "Change witch (setup)"},
    {DEVICE_ANALOG, ANALOG_LEFT, ANALOG_X, "Steer left/right"},
    {DEVICE_ANALOG, ANALOG_LEFT, ANALOG_Y, "Steer up/down"},
};
constexpr std::size_t PER_PLAYER = std::size(PLAYER_BUTTONS);

// The three players' buttons, then the end mark.
constexpr std::size_t NAMED = retroplatform::PORTS * PER_PLAYER;
constexpr std::array<InputDescriptor, NAMED + 1> DESCRIPTORS = [] {
    std::array<InputDescriptor, NAMED + 1> all{};
    for (unsigned port = 0; port < retroplatform::PORTS; ++port) {
        for (std::size_t i = 0; i < PER_PLAYER; ++i) {
            const Named& b = PLAYER_BUTTONS[i];
            all[port * PER_PLAYER + i] =
                InputDescriptor{port, b.device, b.index, b.id, b.description};
        }
    }
    return all;
}();

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
    environment(ENV_SET_INPUT_DESCRIPTORS, const_cast<InputDescriptor*>(DESCRIPTORS.data()));
    // Fixed size, no pointer, the same bytes on every machine.
    std::uint64_t quirks = 0;
    environment(ENV_SET_SERIALIZATION_QUIRKS, &quirks);
    return true;
}

} // namespace retrocore

extern "C" void retro_get_system_info(SystemInfo* info) {
    *info = SystemInfo{"Sorvi Kadra99", SORVI_VERSION, "", false, false};
}
