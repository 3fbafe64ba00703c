// The window on the page: a 2D canvas whose own size is the game's
// picture, shown at a whole number of device pixels per game pixel, and
// the drawn menu bar on a canvas of its own over the top of the window (in
// fullscreen, over the top of the screen, only while a menu is open).
#include "platform/drawn/window.h"
#include "menubar/layout.h"
#include "platform/web/internal.h"
#include "platform/web/layout.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdio>

// The page's side (library.js).
extern "C" {
// Finds the page's canvases and sets the title; 0 when the page has no
// place for the game.
int sorvi_open_canvases(const char* title);
void sorvi_show_canvases(int shown);
// The space for the window in device pixels (x, y, width, height, from
// the viewport's corner) into `at`; returns the device pixel ratio.
double sorvi_measure_space(int* at);
// Places the window: x, y, width, height (in the viewport), the picture's
// x, y, width, height (in the window), the bar's scale, in device pixels.
void sorvi_place_window(const int* at, double pixelRatio, int fullscreen);
// Calls sorvi_relayout whenever the space or the pixel ratio changes.
void sorvi_watch_layout();
void sorvi_put_picture(const void* pixels, int width, int height);
// An empty menu picture hides the bar.
void sorvi_put_menu(const void* pixels, int width, int height);
}

namespace {

using platform::FRAME_HEIGHT;
using platform::FRAME_WIDTH;
constexpr int MENU_PIXELS = menubar::MENU_PICTURE_WIDTH * menubar::MENU_PICTURE_HEIGHT;

// Canvas pixels are bytes red, green, blue, alpha: as little-endian words
// 0xAABBGGRR.
std::uint32_t framePixels[platform::FRAME_PIXELS];
std::uint32_t menuPixels[MENU_PIXELS];

// The client width the host asked for, in CSS pixels.
int clientWidth = FRAME_WIDTH;
bool opened = false;

constexpr std::uint32_t canvasPixel(std::uint32_t argb, std::uint32_t alpha) {
    return alpha << 24 | ((argb & 0xFFu) << 16) | (argb & 0xFF00u) | ((argb >> 16) & 0xFFu);
}

bool open(const platform::WindowClass&, const char* title, int width, int, char (&error)[256]) {
    if (sorvi_open_canvases(title) == 0) {
        std::snprintf(error, sizeof error, "the page has no canvas to draw the game on");
        return false;
    }
    opened = true;
    clientWidth = width;
    webplatform::relayout();
    sorvi_watch_layout();
    webplatform::listenToKeys();
    webplatform::listenToMouse();
    webplatform::listenToFocus();
    webplatform::listenToTouch();
    webplatform::listenToFullscreen();
    return true;
}

void show() {
    sorvi_show_canvases(1);
}

void resize(int width, int) {
    clientWidth = width;
    webplatform::relayout();
}

void putMenu(const menubar::MenuPicture& menu) {
    const int width = std::clamp(menu.width, 0, menubar::MENU_PICTURE_WIDTH);
    const int height = std::clamp(menu.height, 0, menubar::MENU_PICTURE_HEIGHT);
    const int count = width * height;
    if (menu.pixels == nullptr || count == 0) {
        sorvi_put_menu(nullptr, 0, 0);
        return;
    }
    for (int i = 0; i < count; ++i) {
        menuPixels[i] = canvasPixel(menu.pixels[i], menu.pixels[i] >> 24);
    }
    sorvi_put_menu(menuPixels, width, height);
}

// The canvas keeps the frame's own pixels whatever the size it is shown
// at: the browser scales them, nearest pixel.
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
    opened = false;
    sorvi_show_canvases(0);
}

constexpr drawn::Hooks HOOKS{
    open, show, resize, present, webplatform::takeInput, wait, close, webplatform::switchFullscreen,
    true, 0};

} // namespace

// The page changed size, zoom or display: the window is placed again.
extern "C" EMSCRIPTEN_KEEPALIVE void sorvi_relayout() {
    webplatform::relayout();
}

namespace webplatform {

void relayout() {
    if (!opened) {
        return;
    }
    int at[4] = {0, 0, 0, 0};
    const double ratio = sorvi_measure_space(at);
    const PageLayout l =
        layOutPage(PageSpace{at[2], at[3], ratio, clientWidth, fullscreenWanted()});
    const int place[9] = {at[0] + l.windowX, at[1] + l.windowY, l.windowWidth,
                          l.windowHeight,    l.pictureX,        l.pictureY,
                          l.pictureWidth,    l.pictureHeight,   l.barScale};
    sorvi_place_window(place, ratio, fullscreenWanted() ? 1 : 0);
    drawn::setOwnBarWidth(l.barWidth);
}

} // namespace webplatform

namespace platform {

int registerWindowClass(const WindowClass& windowClass) {
    return drawn::registerDrawnWindow(windowClass, HOOKS);
}

} // namespace platform
