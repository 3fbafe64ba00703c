// Writes an Image as a PNG file: 8-bit RGBA, no interlacing, the image
// data compressed by a small deflate of its own (the fixed codes, matches
// with the pixel on the left and the row above), so no zlib is needed.
#pragma once

#include "image.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace icon {

// The whole file's bytes; empty for an image without pixels.
std::vector<std::uint8_t> encodePng(const Image& image);

// The checksums PNG needs: CRC-32 of each chunk, Adler-32 of the zlib stream.
std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size);
std::uint32_t adler32(const std::uint8_t* bytes, std::size_t size);

} // namespace icon
