// Fullscreen: a borderless window over the whole monitor, the picture at
// the largest whole factor centred on black. The menu bar is hidden and
// comes back only while a menu is open (F10, Alt, Alt+letter or a click
// along the top), laid over the picture without moving it; the pointer
// hides once it rests.
#include "platform/win32/internal.h"

namespace {

// The parts of the window's style that make its frame.
constexpr LONG FRAME_STYLE = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME;

// The mouse pointer hides once it has rested this long.
constexpr DWORD POINTER_REST_MILLISECONDS = 2000;

bool on = false;
LONG windowStyle = 0;      // the style to go back to
POINT windowCorner{};      // and the window's top-left corner
HMENU menuBar = nullptr;   // the bar while it is hidden
bool menuBarShown = false; // shown for an open menu
POINT pointerAt{};
DWORD pointerMovedAt = 0;
bool pointerHidden = false;

// Whether the pointer moved since last asked; it then shows again.
bool pointerMoved() {
    POINT at;
    if (GetCursorPos(&at) == 0 || (at.x == pointerAt.x && at.y == pointerAt.y)) {
        return false;
    }
    pointerAt = at;
    pointerMovedAt = GetTickCount();
    pointerHidden = false;
    return true;
}

void showMenuBar(HWND window) {
    if (!menuBarShown && menuBar != nullptr) {
        menuBarShown = true;
        SetMenu(window, menuBar);
    }
}

void hideMenuBar(HWND window) {
    if (menuBarShown) {
        menuBarShown = false;
        SetMenu(window, nullptr);
    }
}

void enterFullscreen(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT outer;
    if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor) == 0 ||
        GetWindowRect(window, &outer) == 0) {
        return;
    }
    windowStyle = GetWindowLongA(window, GWL_STYLE);
    windowCorner = POINT{outer.left, outer.top};
    menuBar = GetMenu(window);
    // Set first: the paints that the changes bring are fullscreen's.
    on = true;
    menuBarShown = false;
    SetMenu(window, nullptr);
    SetWindowLongA(window, GWL_STYLE, (windowStyle & ~FRAME_STYLE) | WS_POPUP);
    const RECT& screen = monitor.rcMonitor;
    SetWindowPos(window, HWND_TOP, screen.left, screen.top, screen.right - screen.left,
                 screen.bottom - screen.top, SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    InvalidateRect(window, nullptr, TRUE);
}

// A click along the top opens the first menu, as F10 and Down would; the
// bar shows as the menu starts.
void openFirstMenu(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 0);
    PostMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
}

} // namespace

namespace win32platform {

bool fullscreen() {
    return on;
}

void toggleFullscreen() {
    if (on) {
        leaveFullscreen();
    } else if (window() != nullptr) {
        enterFullscreen(window());
    }
}

void leaveFullscreen() {
    const HWND w = window();
    if (!on || w == nullptr) {
        return;
    }
    on = false;
    // The frame and the bar first, while the window still covers the
    // monitor; then its place and size in one step.
    SetWindowLongA(w, GWL_STYLE, windowStyle);
    if (!menuBarShown) {
        SetMenu(w, menuBar);
    }
    menuBar = nullptr;
    menuBarShown = false;
    if (pointerHidden) {
        pointerHidden = false;
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    }
    fitToWantedSize(&windowCorner);
}

bool fullscreenMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!on) {
        return false;
    }
    switch (message) {
    case WM_ERASEBKGND:
        // Black around the picture, and the last picture itself: while a
        // menu holds the frames nothing else would draw it again.
        drawFrame(reinterpret_cast<HDC>(wParam), framePlacement(0, 0));
        result = 1;
        return true;
    case WM_SYSCOMMAND:
        // F10, Alt or Alt+letter: the bar shows for the menu they open
        // (Alt+Space would open the window menu, which fullscreen has not).
        if ((wParam & 0xFFF0) == SC_KEYMENU && lParam != ' ') {
            showMenuBar(window);
        }
        return false;
    case WM_LBUTTONUP:
        // On the release: a release inside the menu would close it again.
        if (!menuBarShown && static_cast<short>(HIWORD(lParam)) < GetSystemMetrics(SM_CYMENU)) {
            openFirstMenu(window);
            result = 0;
            return true;
        }
        return false;
    case WM_SETCURSOR:
        if (pointerHidden && LOWORD(lParam) == HTCLIENT && !pointerMoved()) {
            SetCursor(nullptr);
            result = TRUE;
            return true;
        }
        return false;
    case WM_EXITMENULOOP:
        hideMenuBar(window);
        return false;
    case WM_DESTROY:
        // The hidden bar is no longer the window's: it goes with it.
        if (!menuBarShown && menuBar != nullptr) {
            DestroyMenu(menuBar);
        }
        on = false;
        menuBar = nullptr;
        menuBarShown = false;
        pointerHidden = false;
        return false;
    default:
        return false;
    }
}

void restPointer() {
    if (on && !pointerMoved() && !pointerHidden && !menuBarShown &&
        GetTickCount() - pointerMovedAt >= POINTER_REST_MILLISECONDS) {
        pointerHidden = true;
        SetCursor(nullptr);
    }
}

platform::FramePlacement framePlacement(int width, int height) {
    const HWND w = window();
    RECT outer;
    POINT client{0, 0};
    if (!on || w == nullptr || GetWindowRect(w, &outer) == 0 || ClientToScreen(w, &client) == 0) {
        const int factor = pixelFactor();
        return platform::FramePlacement{0, 0, width * factor, height * factor,
                                        platform::WINDOW_WHITE};
    }
    // Centred on the monitor, whether the menu bar shows above the client
    // area or not: the bar covers the picture's top rather than moving it.
    platform::FramePlacement placement =
        platform::centredPlacement(outer.right - outer.left, outer.bottom - outer.top);
    placement.x -= client.x - outer.left;
    placement.y -= client.y - outer.top;
    return placement;
}

} // namespace win32platform
