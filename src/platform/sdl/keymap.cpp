// SDL keys to the virtual-key codes the game and the menu read. SDL's
// scancodes are the keys' USB usages, which the shared key table knows.
#include "platform/key_positions.h"
#include "platform/sdl/internal.h"

namespace sdlplatform {

static_assert(SDL_SCANCODE_A == 0x04 && SDL_SCANCODE_KP_8 == 0x60 && SDL_SCANCODE_RALT == 0xE6,
              "SDL's scancodes are USB usages");

const platform::KeyPosition* keyAt(SDL_Scancode scancode) {
    return platform::keyAtUsage(scancode);
}

int virtualKeyOf(SDL_Scancode scancode, SDL_Keycode keycode) {
    const char typed = keycode >= SDLK_a && keycode <= SDLK_z ? static_cast<char>(keycode) : 0;
    return platform::virtualKeyOf(keyAt(scancode), typed);
}

} // namespace sdlplatform
