// The window: class "sorvi_k" with its icon and menu from the program's
// resources, a fixed frame, and the procedure that hands the host the
// messages it answers.
#include "platform/win32/internal.h"

#include <cstdio>

namespace {

using platform::Message;
using platform::MessageKind;

constexpr DWORD WINDOW_STYLE = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

platform::WindowClass windowClass{};
HWND gameWindow = nullptr;
// The client size last asked for, kept when the window changes monitors.
int wantedWidth = 0;
int wantedHeight = 0;
char error[128] = "";

MessageKind kindOf(UINT message) {
    switch (message) {
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

void fitClient(HWND window, int width, int height) {
    RECT frame;
    SetRect(&frame, 0, 0, width, height);
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)),
                       GetMenu(window) != nullptr ? TRUE : FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
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

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DPICHANGED && window == gameWindow) {
        // Moved to a monitor of another scale: the frame grows or shrinks,
        // the game's pixels keep their size.
        fitClient(window, wantedWidth, wantedHeight);
        return 0;
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
        wantedWidth = width;
        wantedHeight = height;
        fitClient(gameWindow, width, height);
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
