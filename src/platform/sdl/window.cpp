// The window: an SDL window with a renderer, one streaming texture for the
// frame and one for the menu picture laid over it.
#include "platform/sdl/displays.h"
#include "platform/sdl/internal.h"

#include <algorithm>
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
    SDL_Texture* menu; // the menu picture, blended: the open pop-up
    SDL_Texture* bar;  // the same picture unblended: the opaque bar
    int width;         // outer size
    int height;
    int clientWidth;
    int clientHeight;
    int menuWidth;
    int menuHeight;     // rows down to the last one with anything to show
    int menuOpaqueRows; // leading rows with no transparent pixel
};

platform::WindowClass windowClass{};
WindowState state{};
char error[256] = "";

int fail(const char* what) {
    std::snprintf(error, sizeof error, "%s (%s)", what, SDL_GetError());
    return 0;
}

void release() {
    if (state.bar != nullptr) {
        SDL_DestroyTexture(state.bar);
    }
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
    // Blending and clearing are the dear parts of a software renderer: the
    // opaque bar is copied, only an open pop-up is blended, and the window is
    // cleared only where the frame and the bar leave a gap.
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(state.renderer, &outputWidth, &outputHeight);
    const int bar = windowClass.menuBarHeight;
    const bool covered = state.menuOpaqueRows >= bar && state.menuWidth >= outputWidth &&
                         state.clientWidth >= outputWidth &&
                         bar + state.clientHeight >= outputHeight;
    bool ok = true;
    if (!covered) {
        SDL_SetRenderDrawColor(state.renderer, 255, 255, 255, 255);
        ok = SDL_RenderClear(state.renderer) == 0;
    }
    const SDL_Rect client{0, bar, state.clientWidth, state.clientHeight};
    ok = SDL_RenderCopy(state.renderer, state.frame, nullptr, &client) == 0 && ok;
    if (state.menuWidth > 0 && state.menuOpaqueRows > 0) {
        const SDL_Rect area{0, 0, state.menuWidth, state.menuOpaqueRows};
        ok = SDL_RenderCopy(state.renderer, state.bar, &area, &area) == 0 && ok;
    }
    if (state.menuWidth > 0 && state.menuHeight > state.menuOpaqueRows) {
        const SDL_Rect area{0, state.menuOpaqueRows, state.menuWidth,
                            state.menuHeight - state.menuOpaqueRows};
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
    state.bar =
        SDL_CreateTexture(state.renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                          windowClass.menuPictureWidth, windowClass.menuPictureHeight);
    if (state.frame == nullptr || state.menu == nullptr || state.bar == nullptr) {
        fail("no texture for the picture");
        release();
        return 0;
    }
    SDL_SetTextureScaleMode(state.frame, SDL_ScaleModeNearest);
    SDL_SetTextureScaleMode(state.menu, SDL_ScaleModeNearest);
    SDL_SetTextureScaleMode(state.bar, SDL_ScaleModeNearest);
    SDL_SetTextureBlendMode(state.menu, SDL_BLENDMODE_BLEND);
    SDL_SetTextureBlendMode(state.bar, SDL_BLENDMODE_NONE);
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
    // The frame's rows are stored bottom line first; they go into the
    // texture top line first, which costs one copy here instead of a flip
    // in the renderer (slow in SDL's software renderer).
    void* texture = nullptr;
    int pitch = 0;
    const bool uploaded = SDL_LockTexture(state.frame, nullptr, &texture, &pitch) == 0;
    if (uploaded) {
        auto* rows = static_cast<unsigned char*>(texture);
        // A row never runs past the pitch. Clamping also keeps the length
        // a run-time value, so the library's copy is called rather than a
        // slower inline one.
        const std::size_t rowBytes =
            std::min(static_cast<std::size_t>(pitch), std::size_t{FRAME_WIDTH} * 4);
        for (int row = 0; row < FRAME_HEIGHT; ++row) {
            std::memcpy(rows + static_cast<std::ptrdiff_t>(row) * pitch,
                        pixels + (FRAME_HEIGHT - 1 - row) * FRAME_WIDTH, rowBytes);
        }
        SDL_UnlockTexture(state.frame);
    }
    return render() && uploaded ? 1 : 0;
}

void presentMenu(const std::uint32_t* pixels, int width, int height) {
    if (state.menu == nullptr) {
        return;
    }
    width = width < windowClass.menuPictureWidth ? width : windowClass.menuPictureWidth;
    height = height < windowClass.menuPictureHeight ? height : windowClass.menuPictureHeight;
    const SDL_Rect area{0, 0, width, height};
    if (width > 0 && height > 0 && SDL_UpdateTexture(state.menu, &area, pixels, width * 4) == 0 &&
        SDL_UpdateTexture(state.bar, &area, pixels, width * 4) == 0) {
        state.menuWidth = width;
        state.menuOpaqueRows = height;
        state.menuHeight = 0;
        for (int row = 0; row < height; ++row) {
            bool opaque = true;
            bool shown = false;
            for (int column = 0; column < width; ++column) {
                const std::uint32_t alpha = pixels[row * width + column] >> 24;
                opaque = opaque && alpha == 0xFF;
                shown = shown || alpha != 0;
            }
            if (!opaque && state.menuOpaqueRows == height) {
                state.menuOpaqueRows = row;
            }
            if (shown) {
                state.menuHeight = row + 1;
            }
        }
        if (state.menuOpaqueRows > state.menuHeight) {
            state.menuOpaqueRows = state.menuHeight;
        }
    }
    render();
}

} // namespace platform
