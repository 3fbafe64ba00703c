// A frontend has no message boxes: the text goes to its log.
#include "platform/libretro/internal.h"
#include "platform/platform.h"

#include <cstdio>

namespace platform {

void showMessageBox(const char* text, const char* caption) {
    const retroplatform::Frontend& f = retroplatform::frontend();
    if (f.log != nullptr) {
        f.log(retro::LOG_ERROR, "%s%s\n", caption, text);
    } else {
        std::fprintf(stderr, "%s%s\n", caption, text);
    }
}

} // namespace platform
