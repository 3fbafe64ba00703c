// The native menu bar (resource 101, attached through the window class)
// and the accelerator table (resource 102).
#include "platform/win32/internal.h"

namespace {

HACCEL accelerators = nullptr;

} // namespace

namespace platform {

int loadAccelerators(const res::AcceleratorResource& table) {
    accelerators = LoadAcceleratorsA(win32platform::instance(), MAKEINTRESOURCEA(table.id));
    return 1;
}

int translateAccelerator(const Message& message) {
    const MSG* native = win32platform::nativeOf(message);
    const HWND window = win32platform::window();
    if (native == nullptr || window == nullptr || accelerators == nullptr) {
        return 0;
    }
    // A key that became a command is sent to the window as WM_COMMAND and
    // is not dispatched again.
    return TranslateAcceleratorA(window, accelerators, const_cast<MSG*>(native)) != 0 ? 1 : 0;
}

int checkMenuItem(MenuHandle popup, int id, bool checked) {
    const DWORD before =
        CheckMenuItem(reinterpret_cast<HMENU>(popup), static_cast<UINT>(id),
                      MF_BYCOMMAND | static_cast<UINT>(checked ? MF_CHECKED : MF_UNCHECKED));
    if (before == static_cast<DWORD>(-1)) {
        return -1;
    }
    return (before & MF_CHECKED) != 0 ? 1 : 0;
}

} // namespace platform
