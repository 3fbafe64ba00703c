// Counts every trip to the heap the test program makes.
//
// Release builds replace the global operator new and delete (every form)
// and interpose glibc's malloc family in this executable, forwarding to
// glibc's own entry points. Under AddressSanitizer both belong to the
// sanitizer, so there the counts come from its allocation hooks instead,
// which see every malloc, calloc, realloc and operator new alike.
#pragma once

#include <cstdint>

namespace alloccount {

struct Counts {
    std::uint64_t allocations; // new, new[], malloc, calloc, realloc, aligned forms
    std::uint64_t releases;    // delete, delete[], free of a real block
};

Counts now();

// Which of the two counting methods this build uses.
const char* method();

// False when this build cannot count (no method could be installed).
bool counting();

} // namespace alloccount
