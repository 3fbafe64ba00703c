// The mouse, for the drawn menu bar: the left button and moves, anywhere
// on the page, in the bar's pixels (the window's top-left corner is 0, 0),
// so that a click beside the window closes an open menu. A click that
// gives the page the keyboard does only that.
#include "platform/web/internal.h"

#include <emscripten/html5.h>

extern "C" {
// The page point (clientX, clientY) in the bar's pixels from the window's
// corner, into `at`.
void sorvi_window_point(double clientX, double clientY, int* at);
// Whether the page has the keyboard.
int sorvi_has_focus();
}

namespace {

EM_BOOL onMouse(int eventType, const EmscriptenMouseEvent* e, void*) {
    platform::Message message;
    switch (eventType) {
    case EMSCRIPTEN_EVENT_MOUSEDOWN:
        message.kind = platform::MessageKind::MouseDown;
        break;
    case EMSCRIPTEN_EVENT_MOUSEUP:
        message.kind = platform::MessageKind::MouseUp;
        break;
    default:
        message.kind = platform::MessageKind::MouseMove;
        break;
    }
    if (message.kind != platform::MessageKind::MouseMove && e->button != 0) {
        return EM_FALSE;
    }
    if (message.kind == platform::MessageKind::MouseDown && sorvi_has_focus() == 0) {
        return EM_FALSE;
    }
    int at[2] = {0, 0};
    sorvi_window_point(static_cast<double>(e->clientX), static_cast<double>(e->clientY), at);
    message.x = at[0];
    message.y = at[1];
    webplatform::queueInput(message);
    return EM_FALSE;
}

} // namespace

namespace webplatform {

void listenToMouse() {
    emscripten_set_mousedown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, onMouse);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, onMouse);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_TRUE, onMouse);
}

} // namespace webplatform
