#include "platform/libretro/internal.h"

namespace retroplatform {
namespace {
Frontend callbacks{};
unsigned devices[PORTS] = {retro::DEVICE_JOYPAD, retro::DEVICE_JOYPAD, retro::DEVICE_JOYPAD};
} // namespace

Frontend& frontend() {
    return callbacks;
}

void setPortDevice(unsigned port, unsigned device) {
    if (port < PORTS) {
        devices[port] = device;
    }
}

unsigned portDevice(unsigned port) {
    return port < PORTS ? devices[port] : retro::DEVICE_NONE;
}

void resetPlatform() {
    callbacks = Frontend{};
    for (unsigned& device : devices) {
        device = retro::DEVICE_JOYPAD;
    }
    setFrameCount(0);
    resetWindow();
}

} // namespace retroplatform
