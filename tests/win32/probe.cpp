// win32-probe: reads the game's windows back from outside for the
// end-to-end test (the same Wine prefix and display); exit code 1 when
// there is nothing to read. Rectangles are "LEFT TOP RIGHT BOTTOM" on the screen.
//
//   win32-probe window       "W H" of the client area, then the window's rectangle
//   win32-probe client       the client area's rectangle
//   win32-probe popup        the open pop-up menu's rectangle
//   win32-probe message-box  waits up to 10 s for a message box "Sorvi Kadra99 "
//                            owned by no window; prints its text
//   win32-probe place X Y    moves the game's window, its top-left corner to X, Y
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

// The first visible top-level window of the class (and caption, if given).
static HWND visible(const char* className, const char* caption) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, caption)) != nullptr &&
           IsWindowVisible(window) == 0) {
    }
    return window;
}

int main(int argc, char** argv) {
    const std::string what = argc >= 2 ? argv[1] : "";
    const HWND game = FindWindowA("sorvi_k", nullptr);
    RECT rect{};
    POINT corners[2] = {};
    if (what == "window" && game != nullptr && GetClientRect(game, &rect) != 0) {
        std::printf("%ld %ld ", rect.right, rect.bottom);
    }
    if ((what == "window" && GetWindowRect(game, &rect) != 0) ||
        (what == "popup" && GetWindowRect(visible("#32768", nullptr), &rect) != 0)) {
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
        return 0;
    }
    if (what == "client" && GetClientRect(game, &rect) != 0) {
        corners[1] = POINT{rect.right, rect.bottom};
        MapWindowPoints(game, nullptr, corners, 2);
        std::printf("%ld %ld %ld %ld\n", corners[0].x, corners[0].y, corners[1].x, corners[1].y);
        return 0;
    }
    if (what == "place" && argc == 4 && game != nullptr) {
        return SetWindowPos(game, nullptr, std::atoi(argv[2]), std::atoi(argv[3]), 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0
                   ? 0
                   : 1;
    }
    for (int i = 0; what == "message-box" && i < 100; ++i, Sleep(100)) {
        const HWND box = visible("#32770", "Sorvi Kadra99 ");
        if (box != nullptr && GetWindow(box, GW_OWNER) == nullptr) {
            // A message box shows its text in a static control of id 0xFFFF.
            char text[128] = "";
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            std::printf("%s\n", text);
            return 0;
        }
    }
    return 1;
}
