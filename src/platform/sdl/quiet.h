// What SDL would reach beyond the window, kept off before it starts.
#pragma once

namespace sdlplatform {

// Keeps SDL from services the game does not need: D-Bus, a second udev
// netlink socket, the GL driver and its shader cache. Call before SDL
// starts anything.
void keepToTheWindow();

} // namespace sdlplatform
