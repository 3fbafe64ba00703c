// The mouse pointer in fullscreen: out of the picture's way once it rests.
#include "platform/sdl/internal.h"

namespace {

constexpr Uint32 IDLE_MILLISECONDS = 2000;

Uint32 lastMove = 0;
bool hidden = false;

} // namespace

namespace sdlplatform {

void showPointer() {
    if (hidden) {
        SDL_ShowCursor(SDL_ENABLE);
        hidden = false;
    }
}

void pointerMoved() {
    lastMove = SDL_GetTicks();
    showPointer();
}

void hideIdlePointer() {
    if (!hidden && drawn::isFullscreen() && SDL_GetTicks() - lastMove >= IDLE_MILLISECONDS) {
        SDL_ShowCursor(SDL_DISABLE);
        hidden = true;
    }
}

} // namespace sdlplatform
