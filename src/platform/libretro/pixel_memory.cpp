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
