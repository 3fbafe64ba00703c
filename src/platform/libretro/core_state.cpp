// Save states: the game's state with the core's frame counter at its end.
#include "platform/libretro/api.h"
#include "platform/libretro/core.h"
#include "platform/libretro/internal.h"
#include "state/save_state.h"

namespace {

constexpr std::size_t COUNTER_BYTES = 8;

} // namespace

extern "C" {

std::size_t retro_serialize_size() {
    return state::stateSize(COUNTER_BYTES);
}

bool retro_serialize(void* data, std::size_t size) {
    const std::uint64_t frames = retroplatform::frameCount();
    std::uint8_t counter[COUNTER_BYTES];
    for (std::size_t i = 0; i < COUNTER_BYTES; ++i) {
        counter[i] = static_cast<std::uint8_t>(frames >> 8 * i);
    }
    return state::saveState(static_cast<std::uint8_t*>(data), size, counter, COUNTER_BYTES);
}

bool retro_unserialize(const void* data, std::size_t size) {
    std::uint8_t counter[COUNTER_BYTES];
    if (!state::loadState(static_cast<const std::uint8_t*>(data), size, counter, COUNTER_BYTES)) {
        return false;
    }
    std::uint64_t frames = 0;
    for (std::size_t i = 0; i < COUNTER_BYTES; ++i) {
        frames |= static_cast<std::uint64_t>(counter[i]) << 8 * i;
    }
    retroplatform::setFrameCount(frames);
    retrocore::logLoad(frames);
    return true;
}

} // extern "C"
