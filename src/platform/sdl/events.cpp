// SDL's events as the window's messages: the drawn window polls and waits
// here for the platform's own source.
#include "platform/drawn/window.h"
#include "platform/key_positions.h"
#include "platform/sdl/internal.h"

namespace {

using platform::Message;
using platform::MessageKind;

constexpr int WAIT_SLICE_MILLISECONDS = 100;

std::uint8_t modifiersOf(Uint16 mod) {
    std::uint8_t out = 0;
    out |= (mod & KMOD_SHIFT) != 0 ? platform::KEYMOD_SHIFT : 0;
    out |= (mod & KMOD_CTRL) != 0 ? platform::KEYMOD_CONTROL : 0;
    out |= (mod & KMOD_ALT) != 0 ? platform::KEYMOD_ALT : 0;
    return out;
}

bool translate(const SDL_Event& event, Message& out) {
    out = Message{};
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const bool down = event.type == SDL_KEYDOWN;
        const int key = sdlplatform::virtualKeyOf(event.key.keysym.scancode, event.key.keysym.sym);
        bool repeat = down && event.key.repeat != 0;
        if (key == 0 ||
            !platform::trackSide(sdlplatform::keyAt(event.key.keysym.scancode), down, repeat)) {
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
        sdlplatform::pointerMoved();
        return true;
    case SDL_MOUSEMOTION:
        sdlplatform::pointerMoved();
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
            drawn::repaint();
            out.kind = MessageKind::Paint;
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            drawn::repaint(); // entering or leaving fullscreen
            return false;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            out.kind = MessageKind::FocusLost;
            return true;
        default:
            return false;
        }
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
        sdlplatform::joystickDevicesChanged();
        out.kind = MessageKind::DeviceChange;
        return true;
    case SDL_QUIT: // SIGINT or SIGTERM: close as the close box does
        out.kind = MessageKind::Close;
        return true;
    default:
        return false;
    }
}

} // namespace

namespace sdlplatform {

bool pollEvent(Message& message) {
    settlePlace();
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        if (translate(event, message)) {
            return true;
        }
    }
    return false;
}

// Waits in slices so that a stop request is seen however SDL's wait for
// the display's events behaves.
drawn::Wait waitForEvent(Message& message) {
    settlePlace();
    hideIdlePointer();
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, WAIT_SLICE_MILLISECONDS) != 0 && translate(event, message)) {
        return drawn::Wait::Message;
    }
    return drawn::Wait::Nothing;
}

} // namespace sdlplatform
