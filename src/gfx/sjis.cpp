#include "gfx/sjis.h"

#include "gfx/glyphs.h"

namespace gfx {
namespace {

struct DoubleByte {
    std::uint16_t code;
    std::uint32_t codepoint;
};

// The double-byte characters that occur in the game's texts.
constexpr DoubleByte DOUBLE_BYTES[] = {
    {0x81A8, 0x2192}, // →
    {0x81A9, 0x2190}, // ←
    {0x81AA, 0x2191}, // ↑
    {0x81AB, 0x2193}, // ↓
};

bool isLeadByte(unsigned b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool isTrailByte(unsigned b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

} // namespace

Decoded decodeShiftJis(const char* text) {
    const unsigned first = static_cast<unsigned char>(text[0]);
    if (first == 0) {
        return {0, 0};
    }
    if (first < 0x80) {
        return {first, 1};
    }
    if (first >= 0xA1 && first <= 0xDF) {
        return {0xFF61 + (first - 0xA1), 1};
    }
    if (isLeadByte(first)) {
        const unsigned second = static_cast<unsigned char>(text[1]);
        if (!isTrailByte(second)) {
            return {REPLACEMENT_CHARACTER, 1};
        }
        const unsigned code = first << 8 | second;
        for (const DoubleByte& d : DOUBLE_BYTES) {
            if (d.code == code) {
                return {d.codepoint, 2};
            }
        }
        return {REPLACEMENT_CHARACTER, 2};
    }
    return {REPLACEMENT_CHARACTER, 1};
}

Decoded decodeUtf8(const char* text) {
    const unsigned first = static_cast<unsigned char>(text[0]);
    if (first == 0) {
        return {0, 0};
    }
    if (first < 0x80) {
        return {first, 1};
    }
    int extra = 0;
    std::uint32_t cp = 0;
    if ((first & 0xE0) == 0xC0) {
        extra = 1;
        cp = first & 0x1F;
    } else if ((first & 0xF0) == 0xE0) {
        extra = 2;
        cp = first & 0x0F;
    } else if ((first & 0xF8) == 0xF0) {
        extra = 3;
        cp = first & 0x07;
    } else {
        return {REPLACEMENT_CHARACTER, 1};
    }
    for (int i = 1; i <= extra; ++i) {
        const unsigned b = static_cast<unsigned char>(text[i]);
        if ((b & 0xC0) != 0x80) {
            return {REPLACEMENT_CHARACTER, 1};
        }
        cp = cp << 6 | (b & 0x3F);
    }
    return {cp, extra + 1};
}

} // namespace gfx
