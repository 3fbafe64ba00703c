#include "platform/sdl/displays.h"

#include <SDL.h>

#include <cstdio>

namespace sdlplatform {

Displays displaysToTry() {
    Displays out{SDL_getenv("DISPLAY"), SDL_getenv("WAYLAND_DISPLAY"), false};
    // An empty name is no name.
    if (out.x11 != nullptr && out.x11[0] == '\0') {
        out.x11 = nullptr;
    }
    if (out.wayland != nullptr && out.wayland[0] == '\0') {
        out.wayland = nullptr;
    }
    // libwayland looks for a relative name only under XDG_RUNTIME_DIR, and
    // complains on stderr when that is not set.
    const char* runtime = SDL_getenv("XDG_RUNTIME_DIR");
    if (out.wayland != nullptr && out.wayland[0] != '/' &&
        (runtime == nullptr || runtime[0] == '\0')) {
        out.wayland = nullptr;
        out.waylandUnreachable = true;
    }
    return out;
}

void describeNoDisplay(const Displays& displays, char* out, std::size_t size) {
    std::snprintf(out, size, "no display to open a window on (%s)",
                  displays.waylandUnreachable ? "WAYLAND_DISPLAY is set but XDG_RUNTIME_DIR is not"
                                              : "neither DISPLAY nor WAYLAND_DISPLAY is set");
}

void describeUnopened(const Displays& displays, char* out, std::size_t size) {
    if (displays.x11 != nullptr && displays.wayland != nullptr) {
        std::snprintf(out, size,
                      "no display to open a window on (neither the X display '%s' nor the "
                      "Wayland display '%s' can be opened)",
                      displays.x11, displays.wayland);
    } else if (displays.x11 != nullptr) {
        std::snprintf(out, size,
                      "no display to open a window on (the X display '%s' cannot be opened)",
                      displays.x11);
    } else if (displays.wayland != nullptr) {
        std::snprintf(out, size,
                      "no display to open a window on (the Wayland display '%s' cannot be "
                      "opened)",
                      displays.wayland);
    } else {
        describeNoDisplay(displays, out, size);
    }
}

} // namespace sdlplatform
