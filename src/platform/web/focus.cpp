// Focus and visibility: when the page loses the keyboard or its tab is
// hidden, no key release can reach it, so every key is released, those
// the touch buttons hold too; a hidden tab runs no frame.
#include "platform/web/internal.h"
#include "platform/web/page.h"

#include <emscripten/html5.h>

namespace {

void keyboardGone() {
    webplatform::forgetHeldKeys();
    webplatform::releaseTouches();
    platform::Message message;
    message.kind = platform::MessageKind::FocusLost;
    webplatform::queueInput(message);
}

EM_BOOL onBlur(int, const EmscriptenFocusEvent*, void*) {
    keyboardGone();
    return EM_FALSE;
}

EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
    if (e->hidden != 0) {
        keyboardGone();
    }
    return EM_FALSE;
}

} // namespace

namespace webplatform {

void listenToFocus() {
    // Not captured: only the window's own blur, not a button's inside the page.
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onBlur);
    emscripten_set_visibilitychange_callback(nullptr, EM_TRUE, onVisibility);
}

bool pageHidden() {
    EmscriptenVisibilityChangeEvent status{};
    return emscripten_get_visibility_status(&status) == EMSCRIPTEN_RESULT_SUCCESS &&
           status.hidden != 0;
}

} // namespace webplatform
