// win32-probe: looks at the game's windows from outside, as the end-to-end
// test needs them read back (the same Wine prefix and display).
//
//   win32-probe window        the game window's client size, its outer
//                             rectangle and the client area's top-left
//                             corner on the screen:
//                             "W H LEFT TOP RIGHT BOTTOM CLIENT_X CLIENT_Y"
//   win32-probe message-box   waits up to 10 s for a message box captioned
//                             "Sorvi Kadra99 " owned by no window; prints
//                             its text
//   win32-probe popup         the open pop-up menu's rectangle: "LEFT TOP RIGHT BOTTOM"
//
// Exit code 1 when there is nothing to read.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

struct Search {
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK visit(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    char name[64] = "";
    char caption[64] = "";
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, caption, sizeof caption);
    if (IsWindowVisible(window) && std::strcmp(name, search->className) == 0 &&
        (search->caption == nullptr || std::strcmp(caption, search->caption) == 0)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND topLevel(const char* className, const char* caption) {
    Search search{className, caption, nullptr};
    EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int window() {
    const HWND game = FindWindowA("sorvi_k", nullptr);
    RECT client{};
    RECT outer{};
    POINT origin{0, 0};
    if (game == nullptr || GetClientRect(game, &client) == 0 || GetWindowRect(game, &outer) == 0 ||
        ClientToScreen(game, &origin) == 0) {
        std::fprintf(stderr, "win32-probe: no game window\n");
        return 1;
    }
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", client.right, client.bottom, outer.left,
                outer.top, outer.right, outer.bottom, origin.x, origin.y);
    return 0;
}

int messageBox() {
    for (int i = 0; i < 100; ++i) {
        const HWND box = topLevel("#32770", "Sorvi Kadra99 ");
        if (box != nullptr && GetWindow(box, GW_OWNER) == nullptr) {
            // A message box shows its text in a static control of id 0xFFFF.
            char text[128] = "";
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            std::printf("%s\n", text);
            return 0;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "win32-probe: no message box\n");
    return 1;
}

int popup() {
    const HWND menu = topLevel("#32768", nullptr);
    RECT rect{};
    if (menu == nullptr || GetWindowRect(menu, &rect) == 0) {
        std::fprintf(stderr, "win32-probe: no open pop-up menu\n");
        return 1;
    }
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "window") == 0) {
        return window();
    }
    if (argc == 2 && std::strcmp(argv[1], "message-box") == 0) {
        return messageBox();
    }
    if (argc == 2 && std::strcmp(argv[1], "popup") == 0) {
        return popup();
    }
    std::fprintf(stderr, "usage: win32-probe window|message-box|popup\n");
    return 2;
}
