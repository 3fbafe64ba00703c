// Decoding of the game's 8-bit texts (Shift-JIS) and the menu's UTF-8.
#pragma once

#include <cstdint>

namespace gfx {

struct Decoded {
    std::uint32_t codepoint;
    int length; // bytes taken; 0 only at the terminating NUL
};

// The character at `text`: ASCII, half-width katakana and the double-byte
// characters the game's texts hold; anything else is the replacement
// character. Never reads past a NUL.
Decoded decodeShiftJis(const char* text);

// The character at `text` in UTF-8; malformed bytes give the replacement
// character one byte at a time. Never reads past a NUL.
Decoded decodeUtf8(const char* text);

} // namespace gfx
