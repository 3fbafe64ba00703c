// The window's size in whole pixels of the monitor's scale, and
// fullscreen with the keys and commands that switch it, on real messages.
#include "res/menu.h"
#include "win32_host.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using win32test::clientPixels;
using win32test::differingFromFrame;
using win32test::held;
using win32test::Win32Host;

RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

SIZE clientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return SIZE{rect.right, rect.bottom};
}

RECT monitorOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcMonitor;
}

bool same(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != 0;
}

// A character message waiting in the queue (Alt+Enter would make one, and
// Windows beeps at a character no menu takes).
bool characterWaiting() {
    MSG m;
    return PeekMessageA(&m, nullptr, WM_CHAR, WM_SYSDEADCHAR, PM_NOREMOVE) != 0;
}

class Win32Fullscreen : public Win32Host {
  protected:
    // Alt held, Enter pressed, as the loop takes it from the queue.
    void altEnter() {
        held({VK_MENU, VK_RETURN});
        key(WM_SYSKEYDOWN, VK_RETURN, 0x1C);
    }

    void moveTo(int left, int top) {
        SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void expectWindowAt(POINT corner, int width, int height) {
        const RECT rect = windowRect(window);
        EXPECT_EQ(rect.left, corner.x);
        EXPECT_EQ(rect.top, corner.y);
        const SIZE client = clientSize(window);
        EXPECT_EQ(client.cx, width);
        EXPECT_EQ(client.cy, height);
        EXPECT_NE(GetMenu(window), nullptr);
        EXPECT_NE(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0);
    }

    // A DPI change, as Windows sends it with the rectangle it suggests.
    void dpiChanged(int dpi, const RECT& suggested) {
        SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
    }
};

TEST_F(Win32Fullscreen, AltEnterCoversTheMonitorWithTheLargestWholePicture) {
    moveTo(60, 50);
    altEnter();
    EXPECT_EQ(message.kind, platform::MessageKind::None); // the host hears nothing of it
    EXPECT_EQ(message.native, nullptr);
    const RECT screen = monitorOf(window);
    EXPECT_TRUE(same(windowRect(window), screen));
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0);
    // Its Enter reaches no game and makes no character, so no beep.
    EXPECT_FALSE(down(VK_RETURN));
    EXPECT_FALSE(characterWaiting());

    shell::frameStep();
    const int width = screen.right - screen.left;
    const int height = screen.bottom - screen.top;
    const platform::FramePlacement place = platform::centredPlacement(width, height);
    const std::vector<std::uint32_t> shown = clientPixels(window, width, height);
    EXPECT_EQ(
        differingFromFrame(shown, width, place.x, place.y, place.width / platform::FRAME_WIDTH),
        0); // the black around it: end to end
    // Held down, it repeats: no switch back and forth.
    key(WM_SYSKEYDOWN, VK_RETURN, 0x1C, false, true);
    EXPECT_TRUE(same(windowRect(window), screen));
    altEnter();
    expectWindowAt(POINT{60, 50}, 320, 240);
}

TEST_F(Win32Fullscreen, TheSizeKeysAndCommandsGiveBackTheWindowAtItsOldCorner) {
    moveTo(70, 40);
    const POINT corner{70, 40};
    // F11 at normal size changes no size, yet leaves fullscreen.
    altEnter();
    held({VK_F11});
    EXPECT_EQ(platform::translateAccelerator(key(WM_KEYDOWN, VK_F11, 0x57)), 1);
    expectWindowAt(corner, 320, 240);

    altEnter();
    held({VK_F12});
    platform::translateAccelerator(key(WM_KEYDOWN, VK_F12, 0x58));
    expectWindowAt(corner, 640, 480);

    // Chosen from the menu, even the size the window already has.
    for (const int size : {res::CMD_SIZE_DOUBLE, res::CMD_SIZE_NORMAL}) {
        altEnter();
        command(size);
        expectWindowAt(corner, size == res::CMD_SIZE_DOUBLE ? 640 : 320,
                       size == res::CMD_SIZE_DOUBLE ? 480 : 240);
    }
}

// Hands every waiting message to its window, as the loop would.
void dispatchWaiting() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE) != 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

TEST_F(Win32Fullscreen, ASizeTheWindowDidNotAskForIsPutRightButNotFoughtForEver) {
    // As a window manager may answer late with a size of its own, above
    // all as the window leaves fullscreen.
    moveTo(40, 30);
    altEnter();
    altEnter();
    // Whether the client area is `width` by `height` again after a resize from outside.
    auto putRight = [&](int width, int height) {
        SetWindowPos(window, nullptr, 0, 0, 900, 700, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        dispatchWaiting();
        const SIZE client = clientSize(window);
        return client.cx == width && client.cy == height;
    };
    EXPECT_TRUE(putRight(320, 240));
    EXPECT_EQ(windowRect(window).left, 40);
    EXPECT_TRUE(putRight(320, 240));
    EXPECT_TRUE(putRight(320, 240));
    EXPECT_FALSE(putRight(320, 240)); // a manager that insists has its way
    command(res::CMD_SIZE_DOUBLE);
    EXPECT_TRUE(putRight(640, 480)); // each fit of the window's own starts again
}

TEST_F(Win32Fullscreen, GamePixelsAreWholeSquaresAtTheMonitorsScaleWhereWindowsSuggests) {
    // Each row: the monitor's dots per inch, the factor of its game pixels.
    const int scales[][2] = {{144, 2}, {192, 2}, {240, 3}, {120, 1}, {96, 1}};
    int left = 30;
    for (const auto& [dpi, factor] : scales) {
        const RECT suggested{left, 20, left + 500, 420};
        dpiChanged(dpi, suggested);
        expectWindowAt(POINT{left, 20}, 320 * factor, 240 * factor);
        shell::frameStep();
        const std::vector<std::uint32_t> shown = clientPixels(window, 320 * factor, 240 * factor);
        EXPECT_EQ(differingFromFrame(shown, 320 * factor, 0, 0, factor), 0) << dpi;
        left += 10;
    }
    dpiChanged(192, RECT{0, 0, 500, 400});
    command(res::CMD_SIZE_DOUBLE);
    expectWindowAt(POINT{0, 0}, 1280, 960);
    // Fullscreen at any scale: the largest whole factor that fits.
    altEnter();
    EXPECT_TRUE(same(windowRect(window), monitorOf(window)));
    altEnter();
    expectWindowAt(POINT{0, 0}, 1280, 960);
    dpiChanged(96, RECT{0, 0, 500, 400});
}

} // namespace
