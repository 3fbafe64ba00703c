// The window: an SDL window whose own pixels get the frame and the menu
// picture laid over it; at the player's wish a borderless fullscreen one,
// the frame scaled by a whole factor and centred on black.
#include "menubar/window.h"
#include "menubar/compose.h"
#include "menubar/layout.h"
#include "platform/sdl/displays.h"
#include "platform/sdl/internal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int FRAME_WIDTH = 320;
constexpr int FRAME_HEIGHT = 240;
constexpr int BAR_HEIGHT = menubar::MENU_BAR_HEIGHT;

struct WindowState {
    SDL_Window* window;
    SDL_Surface* staging; // for a window whose pixels are not 0x00RRGGBB
    int width;            // outer size
    int height;
    int clientWidth;
    int clientHeight;
    const std::uint32_t* frame; // the last frame presented, until its memory goes
    menubar::MenuPicture menu;
    bool fullscreen;
    int windowedX; // where the window was before fullscreen
    int windowedY;
};

platform::WindowClass windowClass{};
WindowState state{};
bool destroying = false;
char error[256] = "";

int fail(const char* what) {
    std::snprintf(error, sizeof error, "%s (%s)", what, SDL_GetError());
    return 0;
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
bool render() {
    if (state.window == nullptr) {
        return false;
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
    if (state.fullscreen) {
        // The bar shows only while a menu is open, over the black border.
        const menubar::MenuPicture noMenu{};
        menubar::composeWindow(pixels, state.frame, menubar::centredPlacement(target->w, target->h),
                               menubar::menuOpen() ? state.menu : noMenu);
    } else {
        menubar::composeWindow(pixels, state.frame, BAR_HEIGHT, state.clientWidth,
                               state.clientHeight, state.menu);
    }
    if (SDL_MUSTLOCK(target)) {
        SDL_UnlockSurface(target);
    }
    if (target != surface && SDL_BlitSurface(target, nullptr, surface, nullptr) != 0) {
        return false;
    }
    return SDL_UpdateWindowSurface(state.window) == 0;
}

// The drawn menu bar's picture, laid over the top of the window.
void showMenuPicture(const std::uint32_t* pixels, int width, int height) {
    if (state.window == nullptr) {
        return;
    }
    // The drawn menu keeps its picture until it hands over the next one.
    state.menu = menubar::measureMenuPicture(pixels, width, height);
    render();
}

} // namespace

namespace sdlplatform {

SDL_Window* window() {
    return state.window;
}

void redraw() {
    render();
}

void forgetFrame(const void* memory) {
    if (memory != nullptr && memory == state.frame) {
        state.frame = nullptr;
    }
}

bool isFullscreen() {
    return state.fullscreen;
}

void leaveFullscreen() {
    if (state.window == nullptr || !state.fullscreen) {
        return;
    }
    SDL_SetWindowFullscreen(state.window, 0);
    state.fullscreen = false;
    SDL_SetWindowSize(state.window, state.width, state.height);
    SDL_SetWindowPosition(state.window, state.windowedX, state.windowedY);
    showPointer();
    menubar::setBarWidth(state.clientWidth);
}

void toggleFullscreen() {
    if (state.window == nullptr) {
        return;
    }
    if (state.fullscreen) {
        leaveFullscreen();
        return;
    }
    SDL_GetWindowPosition(state.window, &state.windowedX, &state.windowedY);
    // The desktop's own mode on the display the window is on: no mode switch.
    if (SDL_SetWindowFullscreen(state.window, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
        return;
    }
    state.fullscreen = true;
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(state.window);
    const int width =
        display >= 0 && SDL_GetDesktopDisplayMode(display, &mode) == 0 ? mode.w : state.clientWidth;
    pointerMoved();
    menubar::setBarWidth(width);
}

} // namespace sdlplatform

namespace platform {

int registerWindowClass(const WindowClass& wc) {
    windowClass = wc;
    return 1;
}

int createWindow(const char* title, int width, int height) {
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
        return 0;
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
            return 0;
        }
        return fail("no display to open a window on");
    }
    // Without a display SDL falls back to drivers that show nothing; a
    // window nobody can see is no window, unless asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) &&
        (wanted == nullptr || std::strcmp(wanted, driver) != 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        sdlplatform::describeUnopened(displays, error, sizeof error);
        return 0;
    }
    state.window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                                    height, SDL_WINDOW_HIDDEN);
    if (state.window == nullptr) {
        return fail("the window could not be created");
    }
    if (windowClass.icon != nullptr) {
        SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<std::uint32_t*>(windowClass.icon), ICON_SIZE, ICON_SIZE, 32, ICON_SIZE * 4,
            SDL_PIXELFORMAT_ARGB8888);
        if (icon != nullptr) {
            SDL_SetWindowIcon(state.window, icon);
            SDL_FreeSurface(icon);
        }
    }
    // Keys are read as keys; no text entry, so no input method pops up.
    SDL_StopTextInput();
    state.width = width;
    state.height = height;
    state.clientWidth = width;
    state.clientHeight = height - BAR_HEIGHT;
    menubar::openWindow(windowClass, showMenuPicture);
    return 1;
}

const char* windowError() {
    return error;
}

void showWindow() {
    if (state.window != nullptr) {
        SDL_ShowWindow(state.window);
        SDL_RaiseWindow(state.window);
        render();
        menubar::sendToWindow(MessageKind::Paint);
    }
}

void setClientSize(int clientWidth, int clientHeight) {
    if (state.window == nullptr) {
        return;
    }
    sdlplatform::leaveFullscreen();
    const int width = clientWidth;
    const int height = clientHeight + BAR_HEIGHT;
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
    state.clientWidth = clientWidth;
    state.clientHeight = clientHeight;
    menubar::setBarWidth(clientWidth);
}

void destroyWindow() {
    if (state.window == nullptr || destroying) {
        return;
    }
    destroying = true;
    menubar::sendToWindow(MessageKind::Destroy);
    menubar::closeWindow();
    release();
    destroying = false;
}

void validateWindow() {}

int presentFrame(const std::uint32_t* pixels, int width, int height) {
    if (state.window == nullptr) {
        return 0;
    }
    state.clientWidth = width;
    state.clientHeight = height;
    state.frame = pixels;
    sdlplatform::hideIdlePointer();
    return render() ? 1 : 0;
}

} // namespace platform
