// The window: an SDL window whose own pixels get the frame and the menu
// picture laid over it; at the player's wish a borderless fullscreen one
// over its display.
#include "platform/drawn/window.h"
#include "platform/sdl/displays.h"
#include "platform/sdl/internal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct WindowState {
    SDL_Window* window;
    SDL_Surface* staging; // for a window whose pixels are not 0x00RRGGBB
    int width;            // outer size
    int height;
    int windowedX; // where the window was before fullscreen
    int windowedY;
};

WindowState state{};
// Out of fullscreen, SDL may place the window before it knows the window
// manager's frame again, and the frame rather than the window then lands at
// the old corner: once the frame is known, or half a second on without
// one, the window is placed again.
bool placing = false;
Uint32 placeBy = 0;
constexpr Uint32 FRAME_WAIT_MILLISECONDS = 500;

bool fail(char (&error)[256], const char* what) {
    std::snprintf(error, sizeof error, "%s (%s)", what, SDL_GetError());
    return false;
}

void release() {
    if (state.staging != nullptr) {
        SDL_FreeSurface(state.staging);
    }
    if (state.window != nullptr) {
        SDL_DestroyWindow(state.window);
    }
    state = WindowState{};
}

bool directlyDrawable(const SDL_Surface* surface) {
    const SDL_PixelFormat* f = surface->format;
    return f->BytesPerPixel == 4 && f->Rmask == 0x00FF0000u && f->Gmask == 0x0000FF00u &&
           f->Bmask == 0x000000FFu;
}

// The picture goes straight into the window's own pixels (the X server's
// shared memory), which costs one copy per frame and needs no GL driver.
bool present(const drawn::WindowPicture& picture, bool newFrame) {
    if (state.window == nullptr) {
        return false;
    }
    if (newFrame) {
        sdlplatform::hideIdlePointer();
    }
    SDL_Surface* surface = SDL_GetWindowSurface(state.window);
    if (surface == nullptr) {
        return false;
    }
    SDL_Surface* target = surface;
    if (!directlyDrawable(surface)) {
        if (state.staging != nullptr &&
            (state.staging->w != surface->w || state.staging->h != surface->h)) {
            SDL_FreeSurface(state.staging);
            state.staging = nullptr;
        }
        if (state.staging == nullptr) {
            state.staging = SDL_CreateRGBSurfaceWithFormat(0, surface->w, surface->h, 32,
                                                           SDL_PIXELFORMAT_RGB888);
        }
        if (state.staging == nullptr) {
            return false;
        }
        target = state.staging;
    }
    if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) {
        return false;
    }
    const menubar::WindowPixels pixels{static_cast<std::uint32_t*>(target->pixels), target->w,
                                       target->h, target->pitch / 4};
    menubar::composeWindow(pixels, picture.frame,
                           drawn::framePlacement(picture, target->w, target->h), picture.menu);
    if (SDL_MUSTLOCK(target)) {
        SDL_UnlockSurface(target);
    }
    if (target != surface && SDL_BlitSurface(target, nullptr, surface, nullptr) != 0) {
        return false;
    }
    return SDL_UpdateWindowSurface(state.window) == 0;
}

bool open(const platform::WindowClass& windowClass, const char* title, int width, int height,
          char (&error)[256]) {
    // The X11 class, which desktops match with the installed entry.
    setenv("SDL_VIDEO_X11_WMCLASS", windowClass.className, 1);
    SDL_SetHint(SDL_HINT_APP_NAME, windowClass.className);
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    const char* wanted = SDL_getenv("SDL_VIDEODRIVER");
    const sdlplatform::Displays displays = sdlplatform::displaysToTry();
    if (wanted == nullptr && displays.x11 == nullptr && displays.wayland == nullptr) {
        // Nothing to connect to; probing would only add the drivers' own noise.
        sdlplatform::describeNoDisplay(displays, error, sizeof error);
        return false;
    }
    if (wanted == nullptr) {
        // Only the kind of display there is, so a failure says why in one line.
        if (displays.wayland == nullptr) {
            SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
        } else if (displays.x11 == nullptr) {
            SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland");
        }
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        if (wanted == nullptr) {
            sdlplatform::describeUnopened(displays, error, sizeof error);
            return false;
        }
        return fail(error, "no display to open a window on");
    }
    // Without a display SDL falls back to drivers that show nothing; a
    // window nobody can see is no window, unless asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) &&
        (wanted == nullptr || std::strcmp(wanted, driver) != 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        sdlplatform::describeUnopened(displays, error, sizeof error);
        return false;
    }
    state.window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                                    height, SDL_WINDOW_HIDDEN);
    if (state.window == nullptr) {
        return fail(error, "the window could not be created");
    }
    if (windowClass.icon != nullptr) {
        SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<std::uint32_t*>(windowClass.icon), platform::ICON_SIZE, platform::ICON_SIZE,
            32, platform::ICON_SIZE * 4, SDL_PIXELFORMAT_ARGB8888);
        if (icon != nullptr) {
            SDL_SetWindowIcon(state.window, icon);
            SDL_FreeSurface(icon);
        }
    }
    // Keys are read as keys; no text entry, so no input method pops up.
    SDL_StopTextInput();
    state.width = width;
    state.height = height;
    return true;
}

void show() {
    SDL_ShowWindow(state.window);
    SDL_RaiseWindow(state.window);
    drawn::repaint();
}

void resize(int width, int height) {
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(state.window, &x, &y);
    SDL_SetWindowSize(state.window, width, height);
    int nowX = 0;
    int nowY = 0;
    SDL_GetWindowPosition(state.window, &nowX, &nowY);
    if (nowX != x || nowY != y) {
        SDL_SetWindowPosition(state.window, x, y);
    }
    state.width = width;
    state.height = height;
}

// The desktop's own mode on the display the window is on: no mode switch.
bool fullscreen(bool on, int& screenWidth, int& screenHeight) {
    if (!on) {
        SDL_SetWindowFullscreen(state.window, 0);
        SDL_SetWindowSize(state.window, state.width, state.height);
        SDL_SetWindowPosition(state.window, state.windowedX, state.windowedY);
        placing = true;
        placeBy = SDL_GetTicks() + FRAME_WAIT_MILLISECONDS;
        sdlplatform::showPointer();
        return true;
    }
    SDL_GetWindowPosition(state.window, &state.windowedX, &state.windowedY);
    if (SDL_SetWindowFullscreen(state.window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        return false;
    }
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(state.window);
    if (display >= 0 && SDL_GetDesktopDisplayMode(display, &mode) == 0) {
        screenWidth = mode.w;
        screenHeight = mode.h;
    } else {
        SDL_GetWindowSize(state.window, &screenWidth, &screenHeight);
    }
    sdlplatform::pointerMoved();
    return true;
}

constexpr drawn::Hooks HOOKS{
    open,    show,       resize, present, sdlplatform::pollEvent, sdlplatform::waitForEvent,
    release, fullscreen, true,   0};

} // namespace

namespace sdlplatform {

SDL_Window* window() {
    return state.window;
}

void settlePlace() {
    if (!placing || state.window == nullptr) {
        return;
    }
    int top = 0;
    int left = 0;
    const bool framed =
        SDL_GetWindowBordersSize(state.window, &top, &left, nullptr, nullptr) == 0 &&
        (top > 0 || left > 0);
    if (!framed && !SDL_TICKS_PASSED(SDL_GetTicks(), placeBy)) {
        return;
    }
    placing = false;
    SDL_SetWindowPosition(state.window, state.windowedX, state.windowedY);
}

} // namespace sdlplatform

namespace platform {

int registerWindowClass(const WindowClass& windowClass) {
    return drawn::registerDrawnWindow(windowClass, HOOKS);
}

} // namespace platform
