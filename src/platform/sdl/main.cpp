// The windowed program's entry: the host shell on the SDL platform.
#include "shell/host.h"

#include <SDL.h>

int main(int, char**) {
    const int code = shell::runProgram(platform::programModule());
    SDL_Quit();
    return code;
}
