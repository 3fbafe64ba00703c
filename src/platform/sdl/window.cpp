// The window: an SDL window with a renderer, one streaming texture for the
// frame and one for the menu picture laid over it.
#include "platform/sdl/internal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int FRAME_WIDTH = 320;
constexpr int FRAME_HEIGHT = 240;

struct WindowState {
    SDL_Window* window;
    SDL_Renderer* renderer;
    SDL_Texture* frame;
    SDL_Texture* menu;
    int width; // outer size
    int height;
    int clientWidth;
    int clientHeight;
    int menuWidth;
    int menuHeight;
};

platform::WindowClass windowClass{};
WindowState state{};
char error[256] = "";

int fail(const char* what) {
    std::snprintf(error, sizeof error, "%s (%s)", what, SDL_GetError());
    return 0;
}

void release() {
    if (state.menu != nullptr) {
        SDL_DestroyTexture(state.menu);
    }
    if (state.frame != nullptr) {
        SDL_DestroyTexture(state.frame);
    }
    if (state.renderer != nullptr) {
        SDL_DestroyRenderer(state.renderer);
    }
    if (state.window != nullptr) {
        SDL_DestroyWindow(state.window);
    }
    state = WindowState{};
}

// Until the first frame the client area shows white, as a fresh window does.
void whiten(SDL_Texture* texture, int height) {
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) == 0) {
        std::memset(pixels, 0xFF,
                    static_cast<std::size_t>(pitch) * static_cast<std::size_t>(height));
        SDL_UnlockTexture(texture);
    }
}

void clearTexture(SDL_Texture* texture, int height) {
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) == 0) {
        std::memset(pixels, 0, static_cast<std::size_t>(pitch) * static_cast<std::size_t>(height));
        SDL_UnlockTexture(texture);
    }
}

bool render() {
    if (state.renderer == nullptr) {
        return false;
    }
    SDL_SetRenderDrawColor(state.renderer, 255, 255, 255, 255);
    bool ok = SDL_RenderClear(state.renderer) == 0;
    // Rows are stored bottom line first; the flip shows them upright.
    const SDL_Rect client{0, windowClass.menuBarHeight, state.clientWidth, state.clientHeight};
    ok = SDL_RenderCopyEx(state.renderer, state.frame, nullptr, &client, 0.0, nullptr,
                          SDL_FLIP_VERTICAL) == 0 &&
         ok;
    if (state.menuWidth > 0 && state.menuHeight > 0) {
        const SDL_Rect area{0, 0, state.menuWidth, state.menuHeight};
        ok = SDL_RenderCopy(state.renderer, state.menu, &area, &area) == 0 && ok;
    }
    SDL_RenderPresent(state.renderer);
    return ok;
}

} // namespace

namespace sdlplatform {

SDL_Window* window() {
    return state.window;
}

void redraw() {
    render();
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
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0"); // vsync would cap the unpaced mode
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    const char* wanted = SDL_getenv("SDL_VIDEODRIVER");
    if (wanted == nullptr && SDL_getenv("DISPLAY") == nullptr &&
        SDL_getenv("WAYLAND_DISPLAY") == nullptr) {
        // Nothing to connect to; probing would only add the drivers' own noise.
        std::snprintf(
            error, sizeof error,
            "no display to open a window on (neither DISPLAY nor WAYLAND_DISPLAY is set)");
        return 0;
    }
    if (wanted == nullptr) {
        // Only the kind of display there is, so a failure says why in one line.
        if (SDL_getenv("WAYLAND_DISPLAY") == nullptr) {
            SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
        } else if (SDL_getenv("DISPLAY") == nullptr) {
            SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland");
        }
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        return fail("no display to open a window on");
    }
    // Without a display SDL falls back to drivers that show nothing; a
    // window nobody can see is no window, unless asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver != nullptr &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) &&
        (wanted == nullptr || std::strcmp(wanted, driver) != 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        std::snprintf(error, sizeof error, "no display to open a window on (is DISPLAY set?)");
        return 0;
    }
    state.window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                                    height, SDL_WINDOW_HIDDEN);
    if (state.window == nullptr) {
        return fail("the window could not be created");
    }
    state.renderer = SDL_CreateRenderer(state.window, -1, 0);
    if (state.renderer == nullptr) {
        state.renderer = SDL_CreateRenderer(state.window, -1, SDL_RENDERER_SOFTWARE);
    }
    if (state.renderer == nullptr) {
        fail("no renderer for the window");
        release();
        return 0;
    }
    state.frame = SDL_CreateTexture(state.renderer, SDL_PIXELFORMAT_RGB888,
                                    SDL_TEXTUREACCESS_STREAMING, FRAME_WIDTH, FRAME_HEIGHT);
    state.menu =
        SDL_CreateTexture(state.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                          windowClass.menuPictureWidth, windowClass.menuPictureHeight);
    if (state.frame == nullptr || state.menu == nullptr) {
        fail("no texture for the picture");
        release();
        return 0;
    }
    SDL_SetTextureScaleMode(state.frame, SDL_ScaleModeNearest);
    SDL_SetTextureScaleMode(state.menu, SDL_ScaleModeNearest);
    SDL_SetTextureBlendMode(state.menu, SDL_BLENDMODE_BLEND);
    whiten(state.frame, FRAME_HEIGHT);
    clearTexture(state.menu, windowClass.menuPictureHeight);
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
    state.clientHeight = height - windowClass.menuBarHeight;
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
    }
}

void setWindowSize(int width, int height) {
    if (state.window == nullptr) {
        return;
    }
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
    state.clientWidth = width;
    state.clientHeight = height - windowClass.menuBarHeight;
    render();
}

void destroyWindow() {
    release();
}

int presentFrame(const std::uint32_t* pixels, int width, int height) {
    if (state.frame == nullptr) {
        return 0;
    }
    state.clientWidth = width;
    state.clientHeight = height;
    const bool uploaded = SDL_UpdateTexture(state.frame, nullptr, pixels, FRAME_WIDTH * 4) == 0;
    return render() && uploaded ? 1 : 0;
}

void presentMenu(const std::uint32_t* pixels, int width, int height) {
    if (state.menu == nullptr) {
        return;
    }
    width = width < windowClass.menuPictureWidth ? width : windowClass.menuPictureWidth;
    height = height < windowClass.menuPictureHeight ? height : windowClass.menuPictureHeight;
    const SDL_Rect area{0, 0, width, height};
    if (width > 0 && height > 0 && SDL_UpdateTexture(state.menu, &area, pixels, width * 4) == 0) {
        state.menuWidth = width;
        state.menuHeight = height;
    }
    render();
}

} // namespace platform
