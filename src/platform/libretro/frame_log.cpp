#include "platform/frame.h"
#include "platform/libretro/core.h"

#include <cstdio>
#include <cstdlib>

namespace retrocore {
namespace {
std::FILE* log = nullptr;
}

void openFrameLog() {
    closeFrameLog();
    const char* path = std::getenv("SORVI_FRAME_LOG");
    if (path != nullptr && *path != '\0') {
        log = std::fopen(path, "a");
    }
}

void logFrame(std::uint64_t frame, const std::uint32_t* picture) {
    if (log == nullptr) {
        return;
    }
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a over the pixels' words
    for (int i = 0; i < platform::FRAME_PIXELS; ++i) {
        hash = (hash ^ picture[i]) * 1099511628211ull;
    }
    std::fprintf(log, "%llu %016llx\n", static_cast<unsigned long long>(frame),
                 static_cast<unsigned long long>(hash));
    std::fflush(log);
}

void logLoad(std::uint64_t frame) {
    if (log != nullptr) {
        std::fprintf(log, "load %llu\n", static_cast<unsigned long long>(frame));
        std::fflush(log);
    }
}

void closeFrameLog() {
    if (log != nullptr) {
        std::fclose(log);
        log = nullptr;
    }
}

} // namespace retrocore
