#include "gfx/colour.h"

namespace gfx {

Pixel& mixColour(Pixel& first, int firstWeight, const Pixel& second, int secondWeight) {
    const unsigned a = static_cast<unsigned>(firstWeight) & 0xFF;
    const unsigned b = static_cast<unsigned>(secondWeight) & 0xFF;
    const Pixel f = first;
    const Pixel s = second;
    Pixel result = f & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned sum = ((f >> shift & 0xFF) * a + (s >> shift & 0xFF) * b) / 255;
        result |= static_cast<Pixel>(sum > 255 ? 255 : sum) << shift;
    }
    first = result;
    return first;
}

} // namespace gfx
