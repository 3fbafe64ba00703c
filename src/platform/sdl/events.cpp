// The message queue: messages the program posted, then SDL's events
// translated into the host's messages.
#include "menubar/layout.h"
#include "menubar/window.h"
#include "platform/message_queue.h"
#include "platform/modifier_sides.h"
#include "platform/sdl/internal.h"

namespace {

using platform::Message;
using platform::MessageKind;

constexpr int WAIT_SLICE_MILLISECONDS = 100;

platform::ModifierSides sides{};

std::uint8_t modifiersOf(Uint16 mod) {
    std::uint8_t out = 0;
    out |= (mod & KMOD_SHIFT) != 0 ? platform::KEYMOD_SHIFT : 0;
    out |= (mod & KMOD_CTRL) != 0 ? platform::KEYMOD_CONTROL : 0;
    out |= (mod & KMOD_ALT) != 0 ? platform::KEYMOD_ALT : 0;
    return out;
}

// For a side of Shift, Ctrl or Alt: false when the other side keeps the
// code down, so the release is no release of the code.
bool trackSides(SDL_Scancode scancode, bool down, bool& repeat) {
    using platform::Modifier;
    const bool left = scancode == SDL_SCANCODE_LSHIFT || scancode == SDL_SCANCODE_LCTRL ||
                      scancode == SDL_SCANCODE_LALT;
    switch (scancode) {
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
        return platform::trackModifierSide(sides, Modifier::Shift, left, down, repeat);
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
        return platform::trackModifierSide(sides, Modifier::Control, left, down, repeat);
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
        return platform::trackModifierSide(sides, Modifier::Alt, left, down, repeat);
    default:
        return true;
    }
}

bool isEnter(SDL_Scancode scancode) {
    return scancode == SDL_SCANCODE_RETURN || scancode == SDL_SCANCODE_KP_ENTER;
}

// Keys the window answers itself before the game or its menu see them:
// Alt+Enter toggles fullscreen, and F11 and F12 leave it (and then change
// the size as ever). Returns true when the key is used up.
bool windowKey(const SDL_KeyboardEvent& key) {
    if (key.type != SDL_KEYDOWN) {
        return false;
    }
    if (isEnter(key.keysym.scancode) && (key.keysym.mod & KMOD_ALT) != 0) {
        if (key.repeat == 0) {
            sdlplatform::toggleFullscreen();
        }
        menubar::altUsedForShortcut();
        return true;
    }
    if ((key.keysym.scancode == SDL_SCANCODE_F11 || key.keysym.scancode == SDL_SCANCODE_F12) &&
        sdlplatform::isFullscreen()) {
        sdlplatform::leaveFullscreen();
    }
    return false;
}

bool translate(const SDL_Event& event, Message& out) {
    out = Message{};
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        if (windowKey(event.key)) {
            return false;
        }
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
        sdlplatform::pointerMoved();
        if (sdlplatform::isFullscreen() && out.kind == MessageKind::MouseDown &&
            !menubar::menuOpen() && out.y < menubar::MENU_BAR_HEIGHT &&
            menubar::menuTitleAt(out.x, out.y) < 0) {
            // The bar is hidden in fullscreen: a click anywhere along the
            // top opens its first menu.
            out.x = menubar::menuPopup(0).titleX;
        }
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
            sdlplatform::redraw();
            out.kind = MessageKind::Paint;
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            sdlplatform::redraw(); // entering or leaving fullscreen
            return false;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            sdlplatform::forgetModifierSides();
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

Message quitMessage(int code) {
    Message quit;
    quit.kind = MessageKind::Quit;
    quit.code = code;
    return quit;
}

} // namespace

namespace sdlplatform {

void forgetModifierSides() {
    sides = platform::ModifierSides{};
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
        sdlplatform::hideIdlePointer();
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, WAIT_SLICE_MILLISECONDS) != 0 &&
            translate(event, message)) {
            menubar::noteFetched(message);
            return 1;
        }
    }
}

} // namespace platform
