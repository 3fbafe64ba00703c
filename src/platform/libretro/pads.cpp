// The RetroPads on the first three ports, one per player.
#include "platform/libretro/internal.h"
#include "platform/platform.h"

namespace {

using namespace retro;

struct ButtonOf {
    unsigned id;
    std::uint16_t button;
};
constexpr ButtonOf BUTTONS[] = {
    {PAD_UP, platform::PAD_UP},       {PAD_DOWN, platform::PAD_DOWN},
    {PAD_LEFT, platform::PAD_LEFT},   {PAD_RIGHT, platform::PAD_RIGHT},
    {PAD_B, platform::PAD_SOUTH},     {PAD_A, platform::PAD_EAST},
    {PAD_Y, platform::PAD_WEST},      {PAD_X, platform::PAD_NORTH},
    {PAD_START, platform::PAD_START}, {PAD_SELECT, platform::PAD_SELECT},
};

platform::PadState readPad(unsigned port) {
    const retroplatform::Frontend& f = retroplatform::frontend();
    platform::PadState pad{};
    if (f.input == nullptr) {
        return pad;
    }
    const unsigned device = retroplatform::portDevice(port) & DEVICE_MASK;
    if (device != DEVICE_JOYPAD && device != DEVICE_ANALOG) {
        return pad;
    }
    // All buttons in one call where the frontend offers it.
    const auto mask =
        static_cast<std::uint16_t>(f.inputBitmasks ? f.input(port, DEVICE_JOYPAD, 0, PAD_MASK) : 0);
    for (const ButtonOf& b : BUTTONS) {
        const bool held = f.inputBitmasks ? ((mask >> b.id) & 1) != 0
                                          : f.input(port, DEVICE_JOYPAD, 0, b.id) != 0;
        if (held) {
            pad.buttons = static_cast<std::uint16_t>(pad.buttons | b.button);
        }
    }
    pad.stickX = f.input(port, DEVICE_ANALOG, ANALOG_LEFT, ANALOG_X);
    pad.stickY = f.input(port, DEVICE_ANALOG, ANALOG_LEFT, ANALOG_Y);
    return pad;
}

} // namespace

namespace platform {

void readPads(PadState (&pads)[PAD_COUNT]) {
    for (unsigned port = 0; port < PAD_COUNT; ++port) {
        pads[port] = readPad(port);
    }
}

} // namespace platform
