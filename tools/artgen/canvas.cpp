#include "canvas.h"

#include <map>
#include <tuple>

namespace artgen {

Canvas makeCanvas(int width, int height) {
    Canvas c;
    c.width = width;
    c.height = height;
    c.pixels.assign(static_cast<std::size_t>(width) * height, TRANSPARENT);
    return c;
}

IndexedPicture toIndexed(const Canvas& canvas, int maxColours) {
    IndexedPicture p = makePicture(canvas.width, canvas.height);
    std::map<std::tuple<int, int, int>, std::uint8_t> indexOf;
    auto number = [&](Rgb c) {
        const auto key = std::make_tuple(c.r, c.g, c.b);
        const auto found = indexOf.find(key);
        if (found != indexOf.end()) {
            return found->second;
        }
        if (static_cast<int>(p.palette.size()) >= maxColours) {
            throw ArtError("picture needs more than " + std::to_string(maxColours) + " colours");
        }
        const auto index = static_cast<std::uint8_t>(p.palette.size());
        p.palette.push_back(c);
        indexOf.emplace(key, index);
        return index;
    };
    number(TRANSPARENT);
    for (std::size_t i = 0; i < canvas.pixels.size(); ++i) {
        p.indices[i] = number(canvas.pixels[i]);
    }
    p.palette.resize(static_cast<std::size_t>(maxColours), TRANSPARENT);
    return p;
}

long long roundDiv(long long numerator, long long denominator) {
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const long long half = denominator / 2;
    return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}

} // namespace artgen
