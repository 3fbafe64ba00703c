// The thread's message queue: fetched, translated and dispatched by
// Windows itself; the host sees each fetched message by its kind.
#include "platform/fullscreen_keys.h"
#include "platform/win32/internal.h"

namespace {

using platform::Message;
using platform::MessageKind;

// The loop's one message record.
MSG fetched{};

std::uint8_t modifiersOf(const MSG& key) {
    std::uint8_t held = 0;
    held |= GetKeyState(VK_SHIFT) < 0 ? platform::KEYMOD_SHIFT : 0;
    held |= GetKeyState(VK_CONTROL) < 0 ? platform::KEYMOD_CONTROL : 0;
    // Bit 29, the context code: Alt is down.
    held |= (key.lParam & (1L << 29)) != 0 ? platform::KEYMOD_ALT : 0;
    return held;
}

// The keys the window answers itself. Returns true when the host and the
// keyboard snapshot must not see the key: `out` then says nothing.
bool windowKey(const MSG& taken, Message& out) {
    switch (platform::fullscreenSwitch(out, win32platform::fullscreen())) {
    case platform::FullscreenSwitch::Toggle:
        win32platform::toggleFullscreen();
        [[fallthrough]];
    case platform::FullscreenSwitch::Swallow:
        // Windows' own handling sees the key, so that letting go of Alt
        // opens no menu; untranslated, it makes no character, and so no beep.
        DispatchMessageA(&taken);
        out = Message{};
        return true;
    case platform::FullscreenSwitch::Leave:
        win32platform::leaveFullscreen();
        return false;
    case platform::FullscreenSwitch::None:
        return false;
    }
    return false;
}

} // namespace

namespace win32platform {

const MSG* nativeOf(const Message& message) {
    return static_cast<const MSG*>(message.native);
}

void describeFetched(const MSG& taken, Message& out) {
    out = taken.message == WM_QUIT ? platform::quitMessage(static_cast<int>(taken.wParam))
                                   : Message{};
    out.native = &taken;
    switch (taken.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        out.kind = taken.message == WM_KEYDOWN || taken.message == WM_SYSKEYDOWN
                       ? MessageKind::KeyDown
                       : MessageKind::KeyUp;
        out.code = virtualKeyOf(taken.wParam, taken.lParam);
        // Bit 30: the key was already down, so this press is an auto-repeat.
        out.repeat = out.kind == MessageKind::KeyDown && (taken.lParam & (1L << 30)) != 0;
        out.modifiers = modifiersOf(taken);
        if (windowKey(taken, out)) {
            return;
        }
        noteKeyMessage(taken);
        return;
    default:
        return;
    }
}

} // namespace win32platform

namespace platform {

int peekMessage(Message& message) {
    if (PeekMessageA(&fetched, nullptr, 0, 0, PM_REMOVE) == 0) {
        return 0;
    }
    win32platform::describeFetched(fetched, message);
    return 1;
}

int getMessage(Message& message) {
    if (GetMessageA(&fetched, nullptr, 0, 0) == -1) {
        // Only a bad window handle makes it fail, and none is given; should
        // it fail all the same, the loop ends rather than spin.
        fetched = MSG{};
        fetched.message = WM_QUIT;
    }
    win32platform::describeFetched(fetched, message);
    return message.kind == MessageKind::Quit ? 0 : 1;
}

void postMessage(const Message& message) {
    const HWND window = win32platform::window();
    switch (message.kind) {
    case MessageKind::Quit:
        PostQuitMessage(message.code);
        return;
    case MessageKind::Command:
        if (window != nullptr) {
            PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(message.code), 0);
        }
        return;
    case MessageKind::Close:
        if (window != nullptr) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        return;
    default:
        // Windows posts its own input and paint messages.
        return;
    }
}

void postQuitMessage(int exitCode) {
    PostQuitMessage(exitCode);
}

void dispatchMessage(const Message& message) {
    if (const MSG* native = win32platform::nativeOf(message)) {
        TranslateMessage(native);
        DispatchMessageA(native);
    }
}

std::intptr_t defaultWindowProcedure(const Message& message) {
    const MSG* native = win32platform::nativeOf(message);
    if (native == nullptr) {
        return 0;
    }
    return static_cast<std::intptr_t>(
        DefWindowProcA(native->hwnd, native->message, native->wParam, native->lParam));
}

} // namespace platform
