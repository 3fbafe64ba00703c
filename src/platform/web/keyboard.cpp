// The keyboard: the page's key events as the window's key messages.
#include "platform/drawn/window.h"
#include "platform/keys.h"
#include "platform/web/internal.h"
#include "platform/web/keymap.h"
#include "platform/web/page.h"

#include <emscripten/html5.h>

namespace {

webplatform::HeldKeys held{};

std::uint8_t modifiersOf(const EmscriptenKeyboardEvent& e) {
    std::uint8_t out = 0;
    out |= e.shiftKey != 0 ? platform::KEYMOD_SHIFT : 0;
    out |= e.ctrlKey != 0 ? platform::KEYMOD_CONTROL : 0;
    out |= e.altKey != 0 ? platform::KEYMOD_ALT : 0;
    return out;
}

// Returns whether the browser's own action for the key is prevented.
EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* e, void*) {
    // Once the game has ended, or while a message waits for its OK, the
    // keys are the page's: Enter presses its button.
    if (webplatform::ended() || webplatform::messageBoxOpen()) {
        return EM_FALSE;
    }
    const bool down = eventType == EMSCRIPTEN_EVENT_KEYDOWN;
    int key = webplatform::virtualKeyOf(e->code, e->key);
    // In fullscreen Escape is the browser's: most leave fullscreen and
    // never pass it on. Where it does reach the page it does the same, and
    // it must not end the game as well.
    if (key == platform::KEY_ESCAPE && webplatform::fullscreenWanted()) {
        if (down) {
            webplatform::endFullscreen();
        }
        return EM_FALSE;
    }
    if (key != 0) {
        key = down ? webplatform::holdKey(held, e->code, key)
                   : webplatform::releaseHeldKey(held, e->code, key);
    }
    const bool keep =
        webplatform::keepFromBrowser(key,
                                     webplatform::HeldModifiers{e->shiftKey != 0, e->ctrlKey != 0,
                                                                e->altKey != 0, e->metaKey != 0},
                                     drawn::menuOpen());
    if (key == 0) {
        return keep ? EM_TRUE : EM_FALSE;
    }
    bool repeat = down && e->repeat != 0;
    if (webplatform::trackSides(e->code, down, repeat)) {
        platform::Message message;
        message.kind = down ? platform::MessageKind::KeyDown : platform::MessageKind::KeyUp;
        message.code = key;
        message.repeat = repeat;
        message.modifiers = modifiersOf(*e);
        webplatform::queueInput(message);
    }
    return keep ? EM_TRUE : EM_FALSE;
}

} // namespace

namespace webplatform {

void listenToKeys() {
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKey);
}

void forgetHeldKeys() {
    held = HeldKeys{};
}

} // namespace webplatform
