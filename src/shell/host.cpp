#include "shell/host.h"

#include "game/flow.h"
#include "gfx/images.h"
#include "input/keyboard.h"
#include "shell/icon.h"
#include "shell/window_procedure.h"

#include <cstdio>

namespace shell {

HostValues host = INITIAL_HOST_VALUES;
gfx::FramebufferSurface surface{};

namespace {

// The text state over the surface's pixels.
gfx::DrawingContext drawing{};
bool alive = false;
IconPixels iconPixels;

} // namespace

void resetHost() {
    host = INITIAL_HOST_VALUES;
    surface = gfx::FramebufferSurface{};
    drawing = gfx::DrawingContext{};
    alive = false;
}

void resetProgram() {
    game::resetToProgramStart();
    resetHost();
}

bool windowAlive() {
    return alive;
}

void fitWindowToClient() {
    platform::setClientSize(host.clientWidth, host.clientHeight);
}

int createFramebufferSurface() {
    void* block = platform::createPixelMemory(FRAMEBUFFER_BYTES);
    if (block == nullptr) {
        return 0;
    }
    auto* pixels = static_cast<gfx::Pixel*>(block);
    drawing = gfx::makeDrawingContext(pixels);
    surface = gfx::FramebufferSurface{pixels, &drawing};
    return 1;
}

void destroyHost() {
    alive = false;
    gfx::releaseImages();
    drawing = gfx::DrawingContext{};
    surface.drawingContext = nullptr;
    platform::releasePixelMemory(surface.pixels);
    surface.pixels = nullptr;
}

int startUp(const platform::Module& module) {
    const bool hasIcon = loadIcon(module, ICON_ID, iconPixels) != 0;
    platform::registerWindowClass(platform::WindowClass{
        WINDOW_CLASS, windowProcedure, ICON_ID, hasIcon ? iconPixels : nullptr, &res::MENU,
        input::GAME_KEYS.data(), static_cast<int>(input::GAME_KEYS.size())});
    if (platform::createWindow(WINDOW_TITLE, host.clientWidth, host.clientHeight) == 0) {
        std::fprintf(stderr, "sorvi-kadra99: cannot open the game window: %s\n",
                     platform::windowError());
        return 1;
    }
    alive = true;
    platform::showWindow();
    fitWindowToClient();
    platform::loadAccelerators(res::ACCELERATORS);
    if (createFramebufferSurface() == 0) {
        std::fprintf(stderr, "sorvi-kadra99: not enough memory for the game picture\n");
        return 1;
    }
    game::gameInit(module);
    if (!alive) {
        // Closed while a picture's message box waited (a box owned by no
        // window leaves the window usable): the teardown has run, so the
        // pictures loaded after it go too, and nothing is left to run.
        gfx::releaseImages();
        return 0;
    }
    gfx::setTransparentBackground(*surface.drawingContext);
    return 0;
}

int runProgram(const platform::Module& module) {
    const int failed = startUp(module);
    if (failed != 0) {
        return failed;
    }
    // A window closed during start-up ended the program as any quit does.
    return windowAlive() ? runMessageLoop() : 0;
}

} // namespace shell
