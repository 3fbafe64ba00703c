#include "shell/host.h"

#include "game/flow.h"
#include "game/text.h"
#include "gfx/images.h"
#include "shell/icon.h"
#include "shell/menu_bar.h"
#include "shell/window_procedure.h"

#include <cstdio>
#include <cstring>

namespace shell {

HostValues host = INITIAL_HOST_VALUES;
gfx::FramebufferSurface surface{};

namespace {

// The bitmap the surface's pixels belong to, and the text state over them.
gfx::Canvas frameBitmap{};
gfx::DrawingContext drawing{};

std::uint32_t iconPixels[platform::ICON_SIZE * platform::ICON_SIZE];

} // namespace

void resetHost() {
    host = INITIAL_HOST_VALUES;
    surface = gfx::FramebufferSurface{};
    frameBitmap = gfx::Canvas{};
    drawing = gfx::DrawingContext{};
    resetMenu();
    resetWindowProcedure();
}

void fitWindowToClient() {
    // The outer size is the client area with the menu bar above it; only
    // the size changes, the top-left corner stays.
    platform::setWindowSize(host.clientWidth, host.clientHeight + MENU_BAR_HEIGHT);
    refreshMenuPicture();
}

int createFramebufferSurface() {
    void* block = platform::createPixelMemory(FRAMEBUFFER_BYTES);
    if (block == nullptr) {
        return 0;
    }
    frameBitmap =
        gfx::Canvas{static_cast<gfx::Pixel*>(block), gfx::FRAME_WIDTH, gfx::FRAME_HEIGHT, true};
    drawing = gfx::makeDrawingContext(frameBitmap.pixels);
    surface = gfx::FramebufferSurface{frameBitmap.pixels, &frameBitmap, &drawing, block};
    return 1;
}

void clearFramebuffer() {
    std::memset(surface.pixels, 0, sizeof(gfx::Pixel) * gfx::FRAME_PIXELS);
}

int presentFrame() {
    return platform::presentFrame(surface.pixels, host.clientWidth, host.clientHeight);
}

void formatFps(char (&out)[32], float value) {
    std::snprintf(out, sizeof out, "%7.02f fps", static_cast<double>(value));
}

void drawFpsOverlay(gfx::DrawingContext& context) {
    const double t =
        static_cast<double>(platform::millisecondClock()) * static_cast<double>(0.001f);
    ++host.fpsFrames;
    if (t - static_cast<double>(host.fpsLastTime) > 1.0) {
        host.fpsValue =
            static_cast<float>(host.fpsFrames / (t - static_cast<double>(host.fpsLastTime)));
        host.fpsLastTime = static_cast<float>(t);
        host.fpsFrames = 0;
    }
    char text[32];
    formatFps(text, host.fpsValue);
    game::drawText(context, 0, 0, game::TextPeach, text);
}

void frameTick() {
    if (host.running == 0) {
        platform::sleepMilliseconds(MENU_WAIT_MILLISECONDS);
        return;
    }
    const std::uint32_t t0 = platform::millisecondClock();
    clearFramebuffer();
    game::gameFrame(surface);
    if (host.showFps == 1) {
        drawFpsOverlay(*surface.drawingContext);
    }
    presentFrame();
    // Wrapping unsigned difference read as signed: a clock that wraps
    // mid-frame still gives the right remainder.
    const auto remaining =
        static_cast<std::int32_t>(t0 + FRAME_MILLISECONDS - platform::millisecondClock());
    if (remaining > 0 && host.frameWait == 1) {
        platform::sleepMilliseconds(static_cast<std::uint32_t>(remaining));
    }
}

void destroyHost() {
    gfx::releaseImages();
    // The mapping's handle goes first; its memory stays with the bitmap.
    surface.mapping = nullptr;
    drawing = gfx::DrawingContext{};
    surface.drawingContext = nullptr;
    platform::releasePixelMemory(frameBitmap.pixels);
    frameBitmap = gfx::Canvas{};
    surface.bitmap = nullptr;
    surface.pixels = nullptr;
}

namespace {

// Key messages change the snapshot as they are taken from the queue, before
// accelerators, so an accelerator key still shows as down. Presses that
// go to an open menu are the menu's alone; releases always count, so no
// key sticks.
void applyToKeyboard(const platform::Message& message) {
    switch (message.kind) {
    case platform::MessageKind::KeyDown:
        if (menu.mode == MenuMode::Closed) {
            platform::pressKey(message.code, message.repeat);
        }
        return;
    case platform::MessageKind::KeyUp:
        platform::releaseKey(message.code);
        return;
    case platform::MessageKind::FocusLost:
        platform::releaseAllKeys();
        return;
    default:
        return;
    }
}

} // namespace

int messageLoopStep(platform::Message& message) {
    const int fetched =
        host.running == 1 ? platform::peekMessage(message) : platform::getMessage(message);
    if (fetched != 0) {
        applyToKeyboard(message);
        if (!menuTakes(message) && translateAccelerator(message) == 0) {
            windowProcedure(message);
        }
    } else {
        frameTick();
    }
    return message.kind == platform::MessageKind::Quit ? 0 : 1;
}

int runMessageLoop() {
    platform::Message message;
    while (messageLoopStep(message) != 0) {
    }
    return message.code;
}

int startUp(const platform::Module& module) {
    const bool hasIcon = loadIcon(module, ICON_ID, iconPixels) != 0;
    platform::registerWindowClass(
        platform::WindowClass{WINDOW_CLASS, hasIcon ? iconPixels : nullptr, MENU_BAR_HEIGHT,
                              MENU_PICTURE_WIDTH, MENU_PICTURE_HEIGHT});
    if (platform::createWindow(WINDOW_TITLE, host.clientWidth, host.clientHeight) == 0) {
        std::fprintf(stderr, "sorvi-kadra99: cannot open the game window: %s\n",
                     platform::windowError());
        return 1;
    }
    windowOpened();
    platform::showWindow();
    platform::Message paint;
    paint.kind = platform::MessageKind::Paint;
    windowProcedure(paint);
    fitWindowToClient();
    loadAccelerators();
    if (createFramebufferSurface() == 0) {
        std::fprintf(stderr, "sorvi-kadra99: not enough memory for the game picture\n");
        return 1;
    }
    game::gameInit(module);
    gfx::setTransparentBackground(*surface.drawingContext);
    return 0;
}

int runProgram(const platform::Module& module) {
    const int failed = startUp(module);
    return failed != 0 ? failed : runMessageLoop();
}

} // namespace shell
