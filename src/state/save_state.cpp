#include "state/save_state.h"

#include "state/layout.h"

#include <cstring>

namespace state {
namespace {

constexpr std::uint8_t MARK[4] = {'S', 'K', '9', '9'};
constexpr std::size_t HEADER_BYTES = 12; // mark, version, size

// The game's part of a state, to put back when a loaded one is refused.
constexpr std::size_t BACKUP_CAPACITY = 8192;
std::uint8_t backup[BACKUP_CAPACITY];

std::size_t valueBytes() {
    Counter counter;
    walk(counter);
    return counter.bytes;
}

void writeHeader(std::uint8_t* out, std::uint32_t size) {
    std::memcpy(out, MARK, sizeof MARK);
    Writer w{out + sizeof MARK};
    std::uint32_t version = VERSION;
    w.u32(version);
    w.u32(size);
}

} // namespace

std::size_t stateSize(std::size_t programBytes) {
    return HEADER_BYTES + valueBytes() + programBytes;
}

bool saveState(std::uint8_t* out, std::size_t size, const std::uint8_t* program,
               std::size_t programBytes) {
    const std::size_t bytes = stateSize(programBytes);
    if (out == nullptr || size < bytes) {
        return false;
    }
    writeHeader(out, static_cast<std::uint32_t>(bytes));
    Writer w{out + HEADER_BYTES};
    walk(w);
    if (programBytes > 0) {
        std::memcpy(w.at, program, programBytes);
    }
    std::memset(out + bytes, 0, size - bytes);
    return true;
}

bool loadState(const std::uint8_t* in, std::size_t size, std::uint8_t* program,
               std::size_t programBytes) {
    const std::size_t values = valueBytes();
    const std::size_t bytes = HEADER_BYTES + values + programBytes;
    if (in == nullptr || size != bytes || values > BACKUP_CAPACITY) {
        return false;
    }
    std::uint8_t expected[HEADER_BYTES];
    writeHeader(expected, static_cast<std::uint32_t>(bytes));
    if (std::memcmp(in, expected, HEADER_BYTES) != 0) {
        return false;
    }
    Writer keep{backup};
    walk(keep);
    Reader r{in + HEADER_BYTES};
    walk(r);
    if (r.bad || !valuesSound()) {
        Reader restore{backup};
        walk(restore);
        return false;
    }
    if (programBytes > 0) {
        std::memcpy(program, r.at, programBytes);
    }
    return true;
}

} // namespace state
