#include "platform/sdl/internal.h"

#include <cstdio>

namespace platform {

void showMessageBox(const char* text, const char* caption) {
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption, text,
                                 sdlplatform::window()) != 0) {
        // No way to show a box (no display, no dialog support): say it on stderr.
        std::fprintf(stderr, "%s: %s\n", caption, text);
    }
}

} // namespace platform
