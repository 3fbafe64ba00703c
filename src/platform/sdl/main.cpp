// The windowed program's entry: the host shell on the SDL platform.
#include "platform/sdl/quiet.h"
#include "shell/host.h"

#include <SDL.h>

int main(int, char**) {
    sdlplatform::keepToTheWindow();
    const int code = shell::runProgram(platform::programModule());
    SDL_Quit();
    return code;
}
