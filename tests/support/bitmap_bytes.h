// Bitmap resources built in memory, for loader and drawing tests.
#pragma once

#include <cstdint>
#include <vector>

namespace testsupport {

// A resource of the accepted shape: 40-byte header, 256-entry palette whose
// entry k is (blue k, green 255 - k, red k / 2), then `width` * `height`
// indices with index (c + 3 * r) mod 256 at column c of stored row r.
inline std::vector<std::uint8_t> makeBitmapResource(std::int32_t width, std::int32_t height) {
    std::vector<std::uint8_t> bytes(1064, 0);
    auto put32 = [&bytes](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    };
    put32(0, 40);
    put32(4, static_cast<std::uint32_t>(width));
    put32(8, static_cast<std::uint32_t>(height));
    bytes[12] = 1;
    bytes[14] = 8;
    for (int k = 0; k < 256; ++k) {
        bytes[40 + 4 * k] = static_cast<std::uint8_t>(k);
        bytes[41 + 4 * k] = static_cast<std::uint8_t>(255 - k);
        bytes[42 + 4 * k] = static_cast<std::uint8_t>(k / 2);
        bytes[43 + 4 * k] = 0x77; // reserved: must never reach a pixel
    }
    if (width > 0 && height > 0) {
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                bytes.push_back(static_cast<std::uint8_t>((c + 3 * r) % 256));
            }
        }
    }
    return bytes;
}

} // namespace testsupport
