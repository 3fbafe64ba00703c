// The window: class "sorvi_k" with its icon and menu from the program's
// resources, a fixed frame sized in whole pixels of the monitor's scale,
// and the procedure that hands the host the messages it answers.
#include "platform/fullscreen_keys.h"
#include "platform/win32/internal.h"

#include <algorithm>
#include <cstdio>

namespace {

using platform::Message;
using platform::MessageKind;
using win32platform::WINDOW_STYLE;

constexpr int NORMAL_DPI = 96;
// Larger than any window the game asks for on any screen.
constexpr LONG LARGEST_WINDOW_SIDE = 32000;

platform::WindowClass windowClass{};
HWND gameWindow = nullptr;
// The client size last asked for, in game pixels; kept through fullscreen
// and when the window changes monitors.
int wantedWidth = 0;
int wantedHeight = 0;
// The scale of the window's monitor, in dots per inch.
int windowDpi = NORMAL_DPI;
// A window manager (under Wine) may answer a resize late with a size of its
// own, leaving fullscreen above all. The window keeps the game's size: a
// size it did not ask for is put right, a few times at most after each fit
// so that no manager that insists is fought for ever.
constexpr UINT REFIT_MESSAGE = WM_APP + 1;
constexpr int MOST_REFITS = 3;
int refitsLeft = 0;
bool fitting = false; // inside fitClient, whose steps pass through other sizes
char error[128] = "";

// The window's dots per inch: its monitor's (Windows 10 and later), else
// the system's.
int dpiOf(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    const HDC context = GetDC(window);
    const int dpi = context != nullptr ? GetDeviceCaps(context, LOGPIXELSY) : 0;
    ReleaseDC(window, context);
    return dpi > 0 ? dpi : NORMAL_DPI;
}

MessageKind kindOf(UINT message) {
    switch (message) {
    case WM_DEVICECHANGE:
        return MessageKind::DeviceChange;
    case WM_DESTROY:
        return MessageKind::Destroy;
    case WM_PAINT:
        return MessageKind::Paint;
    case WM_CLOSE:
        return MessageKind::Close;
    case WM_COMMAND:
        return MessageKind::Command;
    case WM_INITMENUPOPUP:
        return MessageKind::InitMenuPopup;
    case WM_ENTERMENULOOP:
        return MessageKind::EnterMenuLoop;
    case WM_EXITMENULOOP:
        return MessageKind::ExitMenuLoop;
    default:
        return MessageKind::None;
    }
}

// Sizes the window for a client area of `width` by `height`, its top-left
// corner where it is or at `corner`.
void fitClient(HWND window, int width, int height, const POINT* corner) {
    RECT frame;
    SetRect(&frame, 0, 0, width, height);
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                       GetMenu(window) != nullptr ? TRUE : FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    // Placed and sized in one step: a window manager then sees one change.
    SetWindowPos(
        window, nullptr, corner != nullptr ? corner->x : 0, corner != nullptr ? corner->y : 0,
        frame.right - frame.left, frame.bottom - frame.top,
        SWP_NOACTIVATE | SWP_NOZORDER | (corner != nullptr ? SWP_FRAMECHANGED : UINT{SWP_NOMOVE}));
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    // The frame's metrics are those of the main monitor's scale; on another
    // monitor, or with a menu bar that wrapped, the client area comes out
    // different. Measured, it is put right in one more step.
    RECT client;
    RECT outer;
    if (GetClientRect(window, &client) != 0 && GetWindowRect(window, &outer) != 0 &&
        (client.right != width || client.bottom != height) && client.right > 0 &&
        client.bottom > 0) {
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + width - client.right,
                     outer.bottom - outer.top + height - client.bottom,
                     SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
    }
}

// Answers the messages about the window's size and place; true when
// `result` is the answer.
bool sizeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_DPICHANGED:
        // Moved to a monitor of another scale (or its scale changed): the
        // window goes where Windows suggests and its game pixels take the
        // new whole factor.
        windowDpi = LOWORD(wParam);
        if (!win32platform::fullscreen()) {
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, suggested.left, suggested.top,
                         suggested.right - suggested.left, suggested.bottom - suggested.top,
                         SWP_NOACTIVATE | SWP_NOZORDER);
            win32platform::fitToWantedSize();
        }
        result = 0;
        return true;
    case WM_SIZE:
        if (!fitting && refitsLeft > 0 && wParam == SIZE_RESTORED && !win32platform::fullscreen() &&
            (LOWORD(lParam) != wantedWidth * win32platform::pixelFactor() ||
             HIWORD(lParam) != wantedHeight * win32platform::pixelFactor())) {
            --refitsLeft;
            PostMessageA(window, REFIT_MESSAGE, 0, 0);
        }
        return false;
    case REFIT_MESSAGE:
        if (!win32platform::fullscreen()) {
            const int left = refitsLeft;
            win32platform::fitToWantedSize();
            refitsLeft = left;
        }
        result = 0;
        return true;
    case WM_GETMINMAXINFO: {
        // The game's size decides the window's, even where it is larger
        // than the screen (double size at 200 % on a small screen).
        result = DefWindowProcA(window, message, wParam, lParam);
        auto& info = *reinterpret_cast<MINMAXINFO*>(lParam);
        info.ptMaxTrackSize.x = std::max(info.ptMaxTrackSize.x, LARGEST_WINDOW_SIDE);
        info.ptMaxTrackSize.y = std::max(info.ptMaxTrackSize.y, LARGEST_WINDOW_SIDE);
        return true;
    }
    default:
        return false;
    }
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT answer = 0;
        window == gameWindow &&
        (sizeMessage(window, message, wParam, lParam, answer) ||
         win32platform::fullscreenMessage(window, message, wParam, lParam, answer))) {
        return answer;
    }
    if (message == WM_DEVICECHANGE) {
        win32platform::joystickDevicesChanged();
    }
    const MessageKind kind = kindOf(message);
    if (kind == MessageKind::None || windowClass.procedure == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    MSG raw{};
    raw.hwnd = window;
    raw.message = message;
    raw.wParam = wParam;
    raw.lParam = lParam;
    Message m;
    m.kind = kind;
    m.native = &raw;
    if (kind == MessageKind::Command) {
        m.code = static_cast<int>(wParam & 0xFFFFFFFFu);
        if (platform::fullscreenSwitch(m, win32platform::fullscreen()) ==
            platform::FullscreenSwitch::Leave) {
            win32platform::leaveFullscreen();
        }
    } else if (kind == MessageKind::InitMenuPopup) {
        m.popup = static_cast<platform::MenuHandle>(wParam);
    }
    const std::intptr_t result = windowClass.procedure(m);
    if (message == WM_DESTROY) {
        gameWindow = nullptr;
    }
    return static_cast<LRESULT>(result);
}

} // namespace

namespace win32platform {

HINSTANCE instance() {
    return GetModuleHandleA(nullptr);
}

HWND window() {
    return gameWindow;
}

int pixelFactor() {
    return platform::nearestWholeFactor(static_cast<double>(windowDpi) / NORMAL_DPI);
}

void fitToWantedSize(const POINT* corner) {
    if (gameWindow != nullptr) {
        fitting = true;
        fitClient(gameWindow, wantedWidth * pixelFactor(), wantedHeight * pixelFactor(), corner);
        fitting = false;
        refitsLeft = MOST_REFITS;
    }
}

} // namespace win32platform

namespace platform {

int registerWindowClass(const WindowClass& wc) {
    windowClass = wc;
    const HINSTANCE instance = win32platform::instance();
    WNDCLASSA native{};
    native.style = CS_HREDRAW | CS_VREDRAW;
    native.lpfnWndProc = procedure;
    native.hInstance = instance;
    native.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(wc.iconId));
    native.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    native.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    native.lpszMenuName = wc.menu != nullptr ? MAKEINTRESOURCEA(wc.menu->id) : nullptr;
    native.lpszClassName = wc.className;
    RegisterClassA(&native);
    return 1;
}

int createWindow(const char* title, int width, int height) {
    // The outer size at first; the host then fits the client area.
    wantedWidth = width;
    wantedHeight = height;
    gameWindow =
        CreateWindowExA(0, windowClass.className, title, WINDOW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
                        width, height, nullptr, nullptr, win32platform::instance(), nullptr);
    if (gameWindow == nullptr) {
        std::snprintf(error, sizeof error, "the window could not be created (error %lu)",
                      GetLastError());
        return 0;
    }
    windowDpi = dpiOf(gameWindow);
    win32platform::keysAsThemselves(gameWindow);
    return 1;
}

const char* windowError() {
    return error;
}

void showWindow() {
    if (gameWindow != nullptr) {
        ShowWindow(gameWindow, SW_SHOWNORMAL);
        UpdateWindow(gameWindow);
    }
}

void setClientSize(int width, int height) {
    if (gameWindow != nullptr) {
        win32platform::leaveFullscreen();
        wantedWidth = width;
        wantedHeight = height;
        win32platform::fitToWantedSize();
    }
}

void destroyWindow() {
    if (gameWindow != nullptr) {
        DestroyWindow(gameWindow);
    }
}

void validateWindow() {
    if (gameWindow != nullptr) {
        PAINTSTRUCT paint;
        BeginPaint(gameWindow, &paint);
        EndPaint(gameWindow, &paint);
    }
}

} // namespace platform
