// Save states: every value that a frame reads, as bytes in one fixed,
// versioned layout. The same state and the same input give the same
// frames, byte for byte, which is what rewinding, running ahead and
// netplay's rollback rely on.
#pragma once

#include <cstddef>
#include <cstdint>

namespace state {

// Bumped whenever the layout changes: a state of another version is refused.
constexpr std::uint32_t VERSION = 1;

// The bytes of a state that carries `programBytes` of the program's own
// (what its platform keeps between frames, such as a frame counter).
std::size_t stateSize(std::size_t programBytes);

// Writes the state, with the program's block at its end, into `out`, which
// must hold stateSize(programBytes) bytes; any bytes past them are zeroed.
// Returns false, writing nothing, when `size` is too small.
bool saveState(std::uint8_t* out, std::size_t size, const std::uint8_t* program,
               std::size_t programBytes);

// Loads a state made by saveState with the same program block size, and
// copies its program block into `program`. Returns false and changes
// nothing when the size, the mark or the version differ, or when the values
// are not ones the game could have left (an index outside its table, a
// count that disagrees with its records, a float that is not finite).
bool loadState(const std::uint8_t* in, std::size_t size, std::uint8_t* program,
               std::size_t programBytes);

} // namespace state
