// Which displays the environment names, and what to say when none opens.
#pragma once

#include <cstddef>

namespace sdlplatform {

struct Displays {
    const char* x11;         // DISPLAY, or null
    const char* wayland;     // WAYLAND_DISPLAY when it can be reached, or null
    bool waylandUnreachable; // WAYLAND_DISPLAY names a socket nothing can find
};

Displays displaysToTry();

// "no display to open a window on (...)": why there is nothing to try.
void describeNoDisplay(const Displays& displays, char* out, std::size_t size);

// "no display to open a window on (...)": the displays that did not open.
void describeUnopened(const Displays& displays, char* out, std::size_t size);

} // namespace sdlplatform
