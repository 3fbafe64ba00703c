// The touch buttons under the picture or beside it: each presses a key the
// game reads, as the keyboard does, for as long as a finger rests on it.
// The page (library.js) shows them on a touch screen and at the first
// touch, hides them when a real keyboard is used, and reports each
// pointer's button by the key it was given here.
#include "platform/web/internal.h"
#include "platform/web/touch_keys.h"

#include <emscripten/emscripten.h>

extern "C" {
// Gives the page's button named `name` its key.
void sorvi_touch_button(const char* name, int key);
// Starts reporting the pointers on the buttons.
void sorvi_listen_touch();
}

namespace {

webplatform::Touches touches{};

void press(const webplatform::KeyChanges& changes) {
    for (int i = 0; i < changes.count; ++i) {
        platform::Message message;
        message.kind =
            changes.change[i].down ? platform::MessageKind::KeyDown : platform::MessageKind::KeyUp;
        message.code = changes.change[i].key;
        webplatform::queueInput(message);
    }
}

} // namespace

// Pointer `pointer` is on the button of `key` (0: on none).
extern "C" EMSCRIPTEN_KEEPALIVE void sorvi_touch_moved(int pointer, int key) {
    press(webplatform::touchMoved(touches, pointer, key));
}

extern "C" EMSCRIPTEN_KEEPALIVE void sorvi_touch_ended(int pointer) {
    press(webplatform::touchEnded(touches, pointer));
}

extern "C" EMSCRIPTEN_KEEPALIVE void sorvi_touches_ended() {
    webplatform::releaseTouches();
}

namespace webplatform {

void listenToTouch() {
    for (const TouchButton& button : TOUCH_BUTTONS) {
        sorvi_touch_button(button.name, button.key);
    }
    sorvi_listen_touch();
}

void releaseTouches() {
    press(touchesEnded(touches));
}

} // namespace webplatform
