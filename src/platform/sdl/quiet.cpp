// The game shows a window and reads keys and a joystick, nothing more: it
// keeps SDL from the desktop services and caches it would otherwise reach.
#include "platform/sdl/quiet.h"

#include <SDL.h>

#include <cstdlib>

namespace sdlplatform {

void keepToTheWindow() {
    // SDL starts an input method and screen saver inhibition over D-Bus
    // with the video, connecting to the session and system buses or, when
    // there is no session bus, forking dbus-launch to start one. The game
    // takes no text, and the X server's own screen saver control still
    // applies. An address libdbus cannot use keeps it off for this process.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    // SDL's HID layer watches udev with a netlink socket of its own; inotify
    // on /dev finds a controller plugged in later just as well.
    setenv("SDL_HIDAPI_JOYSTICK_DISABLE_UDEV", "1", 0);
    // The window's pictures go straight into its own pixels, the X
    // server's shared memory. Left to itself SDL would back those pixels
    // with a GL texture, loading Mesa, which opens the GPU's device nodes
    // read and write and keeps a shader cache under ~/.cache.
    // SDL_FRAMEBUFFER_ACCELERATION still chooses otherwise.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
}

} // namespace sdlplatform
