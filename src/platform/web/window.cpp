// The window on the page: a 2D canvas whose own size is the game's 320 by
// 240 picture, shown at the client size by CSS with square pixels, and the
// drawn menu bar on a canvas of its own laid over the top of the window.
#include "menubar/window.h"
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

constexpr int FRAME_WIDTH = 320;
constexpr int FRAME_HEIGHT = 240;
constexpr int MENU_PIXELS = menubar::MENU_PICTURE_WIDTH * menubar::MENU_PICTURE_HEIGHT;

platform::WindowClass windowClass{};
bool windowOpen = false; // from createWindow to destroyWindow
bool destroying = false;
char error[128] = "";

// Canvas pixels are bytes red, green, blue, alpha: as little-endian words
// 0xAABBGGRR.
std::uint32_t framePixels[FRAME_WIDTH * FRAME_HEIGHT];
std::uint32_t menuPixels[MENU_PIXELS];
std::uint32_t iconPixels[platform::ICON_SIZE * platform::ICON_SIZE];

constexpr std::uint32_t canvasPixel(std::uint32_t argb, std::uint32_t alpha) {
    return alpha << 24 | ((argb & 0xFFu) << 16) | (argb & 0xFF00u) | ((argb >> 16) & 0xFFu);
}

void showMenuPicture(const std::uint32_t* pixels, int width, int height) {
    if (!windowOpen) {
        return;
    }
    width = std::clamp(width, 0, menubar::MENU_PICTURE_WIDTH);
    height = std::clamp(height, 0, menubar::MENU_PICTURE_HEIGHT);
    const int count = width * height;
    if (count == 0) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        menuPixels[i] = canvasPixel(pixels[i], pixels[i] >> 24);
    }
    sorvi_put_menu(menuPixels, width, height);
}

} // namespace

namespace platform {

int registerWindowClass(const WindowClass& wc) {
    windowClass = wc;
    return 1;
}

int createWindow(const char* title, int width, int height) {
    if (windowOpen) {
        return 1;
    }
    if (sorvi_open_canvases(title) == 0) {
        std::snprintf(error, sizeof error, "the page has no canvas to draw the game on");
        return 0;
    }
    windowOpen = true;
    if (windowClass.icon != nullptr) {
        for (int i = 0; i < ICON_SIZE * ICON_SIZE; ++i) {
            iconPixels[i] = canvasPixel(windowClass.icon[i], windowClass.icon[i] >> 24);
        }
        sorvi_show_icon(iconPixels, ICON_SIZE);
    }
    sorvi_size_canvases(width, height - menubar::MENU_BAR_HEIGHT, menubar::MENU_BAR_HEIGHT);
    menubar::openWindow(windowClass, showMenuPicture);
    webplatform::listenToKeys();
    webplatform::listenToMouse();
    webplatform::listenToFocus();
    return 1;
}

const char* windowError() {
    return error;
}

void showWindow() {
    if (windowOpen) {
        sorvi_show_canvases(1);
        menubar::sendToWindow(MessageKind::Paint);
    }
}

void setClientSize(int clientWidth, int clientHeight) {
    if (!windowOpen) {
        return;
    }
    sorvi_size_canvases(clientWidth, clientHeight, menubar::MENU_BAR_HEIGHT);
    menubar::setBarWidth(clientWidth);
}

void destroyWindow() {
    if (!windowOpen || destroying) {
        return;
    }
    destroying = true;
    menubar::sendToWindow(MessageKind::Destroy);
    menubar::closeWindow();
    sorvi_show_canvases(0);
    windowOpen = false;
    destroying = false;
}

void validateWindow() {}

// The canvas keeps its 320 by 240 pixels whatever the client size: CSS
// scales them to it, nearest pixel.
int presentFrame(const std::uint32_t* pixels, int, int) {
    if (!windowOpen || pixels == nullptr) {
        return 0;
    }
    // The framebuffer's bottom row comes first; the canvas's top row does.
    for (int row = 0; row < FRAME_HEIGHT; ++row) {
        const std::uint32_t* from = pixels + (FRAME_HEIGHT - 1 - row) * FRAME_WIDTH;
        std::uint32_t* to = framePixels + row * FRAME_WIDTH;
        for (int x = 0; x < FRAME_WIDTH; ++x) {
            to[x] = canvasPixel(from[x], 0xFFu);
        }
    }
    sorvi_put_picture(framePixels, FRAME_WIDTH, FRAME_HEIGHT);
    return 1;
}

} // namespace platform
