#include "platform/win32/internal.h"

namespace platform {

void showMessageBox(const char* text, const char* caption) {
    // Owned by no window: it shows before the game's window has a picture.
    MessageBoxA(nullptr, text, caption, MB_OK);
}

} // namespace platform
