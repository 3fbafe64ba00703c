// Full-colour drawing surfaces and their reduction to palette pictures.
#pragma once

#include "bmp_writer.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace artgen {

// Pure black is the game's transparent colour; nothing visible may use it.
constexpr Rgb TRANSPARENT{0, 0, 0};

inline bool operator==(Rgb a, Rgb b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}
inline bool isTransparent(Rgb c) {
    return c == TRANSPARENT;
}

// A picture of full colours, top row first, black everywhere at the start.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

Canvas makeCanvas(int width, int height);

// A fault in an art source, with the place it was found.
struct ArtError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Numbers the colours in the order they first appear (black always first)
// and fails when the picture needs more than `maxColours`.
IndexedPicture toIndexed(const Canvas& canvas, int maxColours);

// Integer division rounding halves away from zero; the generator's output
// must not depend on floating-point details of the build.
long long roundDiv(long long numerator, long long denominator);

} // namespace artgen
