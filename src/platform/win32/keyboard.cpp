// The keyboard snapshot: the thread's key state from GetKeyboardState,
// with the keypad's digits by position whatever Num Lock says, and every
// press and release the loop fetched shown in at least one snapshot.
#include "platform/key_events.h"
#include "platform/win32/internal.h"

#include <imm.h>

#include <cstring>

namespace {

// One key of the keypad: its scan code, its digit's virtual key, and the
// key Windows reports for it while Num Lock is off.
struct KeypadKey {
    int scanCode;
    int digit;
    int twin;
};

constexpr KeypadKey KEYPAD[] = {
    {0x52, VK_NUMPAD0, VK_INSERT}, {0x4F, VK_NUMPAD1, VK_END},    {0x50, VK_NUMPAD2, VK_DOWN},
    {0x51, VK_NUMPAD3, VK_NEXT},   {0x4B, VK_NUMPAD4, VK_LEFT},   {0x4C, VK_NUMPAD5, VK_CLEAR},
    {0x4D, VK_NUMPAD6, VK_RIGHT},  {0x47, VK_NUMPAD7, VK_HOME},   {0x48, VK_NUMPAD8, VK_UP},
    {0x49, VK_NUMPAD9, VK_PRIOR},  {0x53, VK_DECIMAL, VK_DELETE},
};
constexpr int KEYPAD_KEYS = sizeof KEYPAD / sizeof KEYPAD[0];

// Held as the loop's key messages say: each keypad key, and each twin's
// own key (an arrow, Home, ...), which Windows gives the same code.
bool keypadHeld[KEYPAD_KEYS];
bool twinHeld[KEYPAD_KEYS];
// Keys whose press the loop took, until they are up again. A press taken
// by an open menu or a message box (Enter choosing an item, Escape closing
// the menu) was theirs: the game does not see the key until it is let go
// and pressed again.
bool seenDown[platform::KEY_COUNT];

// The keypad key a key message came from, or -1.
int keypadIndex(WPARAM virtualKey, LPARAM keyData) {
    const int scanCode = static_cast<int>((keyData >> 16) & 0xFF);
    const bool extended = (keyData & (1L << 24)) != 0;
    if (extended) {
        return -1; // the dedicated arrows, Home, Insert, ... share scan codes with the keypad
    }
    for (int i = 0; i < KEYPAD_KEYS; ++i) {
        const KeypadKey& key = KEYPAD[i];
        if (key.scanCode == scanCode && (static_cast<int>(virtualKey) == key.digit ||
                                         static_cast<int>(virtualKey) == key.twin)) {
            return i;
        }
    }
    return -1;
}

int twinIndex(int virtualKey) {
    for (int i = 0; i < KEYPAD_KEYS; ++i) {
        if (KEYPAD[i].twin == virtualKey) {
            return i;
        }
    }
    return -1;
}

std::uint8_t withDown(std::uint8_t state, bool down) {
    return static_cast<std::uint8_t>((state & 0x7F) | (down ? 0x80 : 0x00));
}

} // namespace

namespace win32platform {

void keysAsThemselves(HWND window) {
    ImmAssociateContextEx(window, nullptr, 0);
}

int virtualKeyOf(WPARAM virtualKey, LPARAM keyData) {
    const int keypad = keypadIndex(virtualKey, keyData);
    return keypad >= 0 ? KEYPAD[keypad].digit : static_cast<int>(virtualKey & 0xFF);
}

void noteKeyMessage(const MSG& message) {
    const bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    const bool repeat = down && (message.lParam & (1L << 30)) != 0;
    const int keypad = keypadIndex(message.wParam, message.lParam);
    const int key = virtualKeyOf(message.wParam, message.lParam);
    if (keypad >= 0) {
        keypadHeld[keypad] = down;
    } else if (const int twin = twinIndex(key); twin >= 0) {
        twinHeld[twin] = down;
    }
    if (down) {
        seenDown[key] = true;
    }
    if (down && !repeat) {
        platform::noteKeyDown(key);
    } else if (!down && (keypad >= 0 || GetKeyState(static_cast<int>(message.wParam)) >= 0)) {
        // A key is up when Windows says so: letting go of one Shift (Ctrl,
        // Alt) while the other is held sends a release of the one code that
        // Windows still holds down. The keypad's keys share their codes
        // with the arrows and the like, and count by their own messages.
        platform::noteKeyUp(key);
    }
}

} // namespace win32platform

namespace platform {

int getKeyboardState(std::uint8_t (&keys)[KEY_COUNT]) {
    BYTE state[KEY_COUNT];
    if (GetKeyboardState(state) == 0) {
        std::memset(state, 0, sizeof state);
    }
    std::memcpy(keys, state, sizeof state);
    const HWND window = win32platform::window();
    if (window == nullptr || GetFocus() != window) {
        // Keys belong to the window that has the keyboard; the releases of
        // keys let go elsewhere never come here, so none may stay down.
        for (std::uint8_t& key : keys) {
            key = withDown(key, false);
        }
        std::memset(keypadHeld, 0, sizeof keypadHeld);
        std::memset(twinHeld, 0, sizeof twinHeld);
        std::memset(seenDown, 0, sizeof seenDown);
        forgetKeyEvents();
        return 1;
    }
    for (int i = 0; i < KEYPAD_KEYS; ++i) {
        const KeypadKey& key = KEYPAD[i];
        const bool digitDown = (state[key.digit] & 0x80) != 0;
        const bool twinDown = (state[key.twin] & 0x80) != 0;
        // Releases fetched by a menu's or a message box's own loop are not
        // seen here; the thread's state then has both codes up.
        if (!digitDown && !twinDown) {
            keypadHeld[i] = false;
        }
        if (!twinDown) {
            twinHeld[i] = false;
        }
        keys[key.digit] = withDown(state[key.digit], keypadHeld[i] || digitDown);
        keys[key.twin] = withDown(state[key.twin], twinDown && (twinHeld[i] || !keypadHeld[i]));
    }
    for (int k = 0; k < KEY_COUNT; ++k) {
        if ((keys[k] & 0x80) == 0) {
            seenDown[k] = false;
        } else if (!seenDown[k]) {
            keys[k] = withDown(keys[k], false);
        }
    }
    applyKeyEvents(keys);
    return 1;
}

} // namespace platform
