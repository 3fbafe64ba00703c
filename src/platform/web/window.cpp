// The window on the page: a 2D canvas whose own size is the game's
// picture, shown at the client size by CSS with square pixels, and the
// drawn menu bar on a canvas of its own laid over the top of the window.
#include "platform/drawn/window.h"
#include "menubar/layout.h"
#include "platform/web/internal.h"

#include <algorithm>
#include <cstdio>

// The page's side (library.js).
extern "C" {
// Finds the page's two canvases and sets the title; 0 when the page has no
// place for the game.
int sorvi_open_canvases(const char* title);
void sorvi_show_icon(const void* pixels, int size);
void sorvi_show_canvases(int shown);
void sorvi_size_canvases(int clientWidth, int clientHeight, int barHeight);
void sorvi_put_picture(const void* pixels, int width, int height);
void sorvi_put_menu(const void* pixels, int width, int height);
}

namespace {

using platform::FRAME_HEIGHT;
using platform::FRAME_WIDTH;
constexpr int BAR_HEIGHT = menubar::MENU_BAR_HEIGHT;
constexpr int MENU_PIXELS = menubar::MENU_PICTURE_WIDTH * menubar::MENU_PICTURE_HEIGHT;

// Canvas pixels are bytes red, green, blue, alpha: as little-endian words
// 0xAABBGGRR.
std::uint32_t framePixels[platform::FRAME_PIXELS];
std::uint32_t menuPixels[MENU_PIXELS];
std::uint32_t iconPixels[platform::ICON_SIZE * platform::ICON_SIZE];

constexpr std::uint32_t canvasPixel(std::uint32_t argb, std::uint32_t alpha) {
    return alpha << 24 | ((argb & 0xFFu) << 16) | (argb & 0xFF00u) | ((argb >> 16) & 0xFFu);
}

bool open(const platform::WindowClass& windowClass, const char* title, int width, int height,
          char (&error)[256]) {
    if (sorvi_open_canvases(title) == 0) {
        std::snprintf(error, sizeof error, "the page has no canvas to draw the game on");
        return false;
    }
    if (windowClass.icon != nullptr) {
        for (int i = 0; i < platform::ICON_SIZE * platform::ICON_SIZE; ++i) {
            iconPixels[i] = canvasPixel(windowClass.icon[i], windowClass.icon[i] >> 24);
        }
        sorvi_show_icon(iconPixels, platform::ICON_SIZE);
    }
    sorvi_size_canvases(width, height - BAR_HEIGHT, BAR_HEIGHT);
    webplatform::listenToKeys();
    webplatform::listenToMouse();
    webplatform::listenToFocus();
    return true;
}

void show() {
    sorvi_show_canvases(1);
}

void resize(int width, int height) {
    sorvi_size_canvases(width, height - BAR_HEIGHT, BAR_HEIGHT);
}

void putMenu(const menubar::MenuPicture& menu) {
    const int width = std::clamp(menu.width, 0, menubar::MENU_PICTURE_WIDTH);
    const int height = std::clamp(menu.height, 0, menubar::MENU_PICTURE_HEIGHT);
    const int count = width * height;
    if (menu.pixels == nullptr || count == 0) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        menuPixels[i] = canvasPixel(menu.pixels[i], menu.pixels[i] >> 24);
    }
    sorvi_put_menu(menuPixels, width, height);
}

// The canvas keeps the frame's own pixels whatever the client size: CSS
// scales them to it, nearest pixel.
bool present(const drawn::WindowPicture& picture, bool newFrame) {
    if (!newFrame) {
        putMenu(picture.menu);
        return true;
    }
    // The framebuffer's bottom row comes first; the canvas's top row does.
    for (int row = 0; row < FRAME_HEIGHT; ++row) {
        const std::uint32_t* from = picture.frame + (FRAME_HEIGHT - 1 - row) * FRAME_WIDTH;
        std::uint32_t* to = framePixels + row * FRAME_WIDTH;
        for (int x = 0; x < FRAME_WIDTH; ++x) {
            to[x] = canvasPixel(from[x], 0xFFu);
        }
    }
    sorvi_put_picture(framePixels, FRAME_WIDTH, FRAME_HEIGHT);
    return true;
}

// The page's one thread may not wait: nothing could arrive while it did.
drawn::Wait wait(platform::Message&) {
    return drawn::Wait::Never;
}

void close() {
    sorvi_show_canvases(0);
}

constexpr drawn::Hooks HOOKS{open, show,  resize,  present, webplatform::takeInput,
                             wait, close, nullptr, true,    0};

} // namespace

namespace platform {

int registerWindowClass(const WindowClass& windowClass) {
    return drawn::registerDrawnWindow(windowClass, HOOKS);
}

} // namespace platform
