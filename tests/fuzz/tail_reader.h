// Drawing parameters taken from the end of a fuzz input, backwards. The
// front of the input is the bitmap header, so the two uses disturb each
// other as little as they can; past the start every read is 0.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

struct TailReader {
    const std::uint8_t* data;
    std::size_t left;

    std::uint8_t byte() { return left == 0 ? 0 : data[--left]; }
    std::int16_t int16() {
        const auto low = static_cast<std::uint16_t>(byte());
        const auto high = static_cast<std::uint16_t>(byte());
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | high << 8));
    }
};

} // namespace fuzz
