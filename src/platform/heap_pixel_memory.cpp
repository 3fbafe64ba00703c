// Pixel memory from the heap, for the platforms whose pictures need no
// memory of a special kind.
#include "platform/platform.h"

#include <cstdlib>

namespace platform {

void* createPixelMemory(std::size_t bytes) {
    return std::calloc(bytes, 1);
}

void releasePixelMemory(void* block) {
    std::free(block);
}

} // namespace platform
