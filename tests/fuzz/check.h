// What a fuzz target does when a property fails: says which, then aborts,
// so libFuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "fuzz property failed: %s\n", property);
        std::abort();
    }
}

} // namespace fuzz
