// The message queue: messages the program posted, then SDL's events
// translated into the host's messages.
#include "menubar/window.h"
#include "platform/message_queue.h"
#include "platform/sdl/internal.h"

#include <cstring>

namespace {

using platform::Message;
using platform::MessageKind;

constexpr int WAIT_SLICE_MILLISECONDS = 100;

// Shift, Ctrl and Alt have one code for both sides: the code is down while
// either side is.
bool leftDown[3];
bool rightDown[3];

std::uint8_t modifiersOf(Uint16 mod) {
    std::uint8_t out = 0;
    out |= (mod & KMOD_SHIFT) != 0 ? platform::KEYMOD_SHIFT : 0;
    out |= (mod & KMOD_CTRL) != 0 ? platform::KEYMOD_CONTROL : 0;
    out |= (mod & KMOD_ALT) != 0 ? platform::KEYMOD_ALT : 0;
    return out;
}

// For a side of Shift, Ctrl or Alt: false when the other side keeps the
// code down (the release is no release of the code), and marks a second
// side's press as a repeat.
bool trackSides(SDL_Scancode scancode, bool down, bool& repeat) {
    int which = -1;
    bool left = false;
    switch (scancode) {
    case SDL_SCANCODE_LSHIFT:
        left = true;
        [[fallthrough]];
    case SDL_SCANCODE_RSHIFT:
        which = 0;
        break;
    case SDL_SCANCODE_LCTRL:
        left = true;
        [[fallthrough]];
    case SDL_SCANCODE_RCTRL:
        which = 1;
        break;
    case SDL_SCANCODE_LALT:
        left = true;
        [[fallthrough]];
    case SDL_SCANCODE_RALT:
        which = 2;
        break;
    default:
        return true;
    }
    bool& self = left ? leftDown[which] : rightDown[which];
    const bool other = left ? rightDown[which] : leftDown[which];
    self = down;
    if (down) {
        repeat = repeat || other;
        return true;
    }
    return !other;
}

bool translate(const SDL_Event& event, Message& out) {
    out = Message{};
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const bool down = event.type == SDL_KEYDOWN;
        const int key = sdlplatform::virtualKeyOf(event.key.keysym.scancode, event.key.keysym.sym);
        bool repeat = down && event.key.repeat != 0;
        if (key == 0 || !trackSides(event.key.keysym.scancode, down, repeat)) {
            return false;
        }
        out.kind = down ? MessageKind::KeyDown : MessageKind::KeyUp;
        out.code = key;
        out.repeat = repeat;
        out.modifiers = modifiersOf(event.key.keysym.mod);
        return true;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (event.button.button != SDL_BUTTON_LEFT) {
            return false;
        }
        out.kind =
            event.type == SDL_MOUSEBUTTONDOWN ? MessageKind::MouseDown : MessageKind::MouseUp;
        out.x = event.button.x;
        out.y = event.button.y;
        return true;
    case SDL_MOUSEMOTION:
        out.kind = MessageKind::MouseMove;
        out.x = event.motion.x;
        out.y = event.motion.y;
        return true;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            out.kind = MessageKind::Close;
            return true;
        case SDL_WINDOWEVENT_EXPOSED:
            sdlplatform::redraw();
            out.kind = MessageKind::Paint;
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            sdlplatform::forgetModifierSides();
            out.kind = MessageKind::FocusLost;
            return true;
        default:
            return false;
        }
    case SDL_QUIT: // SIGINT or SIGTERM: close as the close box does
        out.kind = MessageKind::Close;
        return true;
    default:
        return false;
    }
}

Message quitMessage(int code) {
    Message quit;
    quit.kind = MessageKind::Quit;
    quit.code = code;
    return quit;
}

} // namespace

namespace sdlplatform {

void forgetModifierSides() {
    std::memset(leftDown, 0, sizeof leftDown);
    std::memset(rightDown, 0, sizeof rightDown);
}

} // namespace sdlplatform

namespace platform {

int peekMessage(Message& message) {
    if (takePostedMessage(message)) {
        menubar::noteFetched(message);
        return 1;
    }
    if (sdlplatform::window() == nullptr) {
        return 0;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (translate(event, message)) {
            menubar::noteFetched(message);
            return 1;
        }
    }
    return 0;
}

int getMessage(Message& message) {
    for (;;) {
        if (takePostedMessage(message)) {
            menubar::noteFetched(message);
            return message.kind == MessageKind::Quit ? 0 : 1;
        }
        if (sdlplatform::window() == nullptr) {
            // The window is gone and nothing was posted: nothing more can come.
            message = quitMessage(0);
            return 0;
        }
        // Waits in slices so that a stop request is seen however SDL's
        // wait for the display's events behaves.
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, WAIT_SLICE_MILLISECONDS) != 0 &&
            translate(event, message)) {
            menubar::noteFetched(message);
            return 1;
        }
    }
}

} // namespace platform
