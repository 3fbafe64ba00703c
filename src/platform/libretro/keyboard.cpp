// The frontend's keyboard, read whole each frame into the shared keyboard.
// Reading the keys' state rather than their events means that a key let go
// while the frontend's menu was open, or across a reset, a state load or a
// lost connection, is up again in the next frame.
#include "platform/keyboard_snapshot.h"
#include "platform/libretro/internal.h"

namespace retroplatform {
namespace {

// The frontend's key codes with a virtual key, and the highest code.
constexpr unsigned LAST_KEY = retro::KEY_LALT;

} // namespace

void readKeyboard() {
    const Frontend& f = frontend();
    if (f.input == nullptr) {
        return;
    }
    bool down[platform::KEY_COUNT] = {};
    bool known[platform::KEY_COUNT] = {};
    for (unsigned key = 1; key <= LAST_KEY; ++key) {
        const int code = virtualKeyOf(key);
        if (code == 0) {
            continue;
        }
        known[code] = true;
        down[code] = down[code] || f.input(0, retro::DEVICE_KEYBOARD, 0, key) != 0;
    }
    const std::uint8_t(&keys)[platform::KEY_COUNT] = platform::keyboardSnapshot();
    for (int code = 0; code < platform::KEY_COUNT; ++code) {
        const bool shown = (keys[code] & 0x80) != 0;
        if (known[code] && down[code] && !shown) {
            platform::pressKey(code, false);
        } else if (shown && !down[code]) {
            platform::releaseKey(code);
        }
    }
}

} // namespace retroplatform
