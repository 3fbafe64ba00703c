// The state's layout: one list of every value, walked to count, write or
// read them, so that the three can never disagree.
#pragma once

#include <cstddef>
#include <cstdint>

namespace state {

// Writes values little-endian, floats as their bits: no padding, no
// pointer, the same bytes on every machine.
struct Writer {
    std::uint8_t* at;
    void u8(std::uint8_t& v) { *at++ = v; }
    void flag(bool& v) { *at++ = v ? 1 : 0; }
    void u16(std::uint16_t& v) { put(v, 2); }
    void i16(std::int16_t& v) { put(static_cast<std::uint16_t>(v), 2); }
    void u32(std::uint32_t& v) { put(v, 4); }
    void i32(std::int32_t& v) { put(static_cast<std::uint32_t>(v), 4); }
    void f32(float& v);
    void put(std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            *at++ = static_cast<std::uint8_t>(v >> 8 * i);
        }
    }
};

// Reads what a Writer wrote. A flag other than 0 or 1 marks the state bad.
struct Reader {
    const std::uint8_t* at;
    bool bad = false;
    void u8(std::uint8_t& v) { v = *at++; }
    void flag(bool& v) {
        bad = bad || *at > 1;
        v = *at++ != 0;
    }
    void u16(std::uint16_t& v) { v = static_cast<std::uint16_t>(get(2)); }
    void i16(std::int16_t& v) { v = static_cast<std::int16_t>(get(2)); }
    void u32(std::uint32_t& v) { v = get(4); }
    void i32(std::int32_t& v) { v = static_cast<std::int32_t>(get(4)); }
    void f32(float& v);
    std::uint32_t get(int bytes) {
        std::uint32_t v = 0;
        for (int i = 0; i < bytes; ++i) {
            v |= static_cast<std::uint32_t>(*at++) << 8 * i;
        }
        return v;
    }
};

// Counts the bytes.
struct Counter {
    std::size_t bytes = 0;
    void u8(std::uint8_t&) { bytes += 1; }
    void flag(bool&) { bytes += 1; }
    void u16(std::uint16_t&) { bytes += 2; }
    void i16(std::int16_t&) { bytes += 2; }
    void u32(std::uint32_t&) { bytes += 4; }
    void i32(std::int32_t&) { bytes += 4; }
    void f32(float&) { bytes += 4; }
};

// Every value of graphics, input, the game, the host and the shared
// keyboard, in layout order.
void walk(Writer& io);
void walk(Reader& io);
void walk(Counter& io);

// Whether the values now loaded are ones the game could have left: every
// index inside its table, counts that agree with their records, divisors
// in play that can divide, floats finite and in reach.
bool valuesSound();

} // namespace state
