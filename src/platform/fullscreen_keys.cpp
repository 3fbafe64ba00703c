#include "platform/fullscreen_keys.h"

#include "platform/keys.h"

namespace platform {

FullscreenSwitch fullscreenSwitch(const Message& message, bool fullscreen) {
    if (message.kind == MessageKind::KeyDown && message.code == KEY_RETURN &&
        (message.modifiers & KEYMOD_ALT) != 0) {
        return message.repeat ? FullscreenSwitch::Swallow : FullscreenSwitch::Toggle;
    }
    if (!fullscreen) {
        return FullscreenSwitch::None;
    }
    const bool sizeKey = message.kind == MessageKind::KeyDown &&
                         (message.code == KEY_F11 || message.code == KEY_F12);
    // A size chosen from the menu leaves fullscreen even when it is the
    // size the window already has: the player asked for the window.
    const int command = message.code & 0xFFFF;
    const bool sizeCommand = message.kind == MessageKind::Command &&
                             (command == res::CMD_SIZE_NORMAL || command == res::CMD_SIZE_DOUBLE);
    return sizeKey || sizeCommand ? FullscreenSwitch::Leave : FullscreenSwitch::None;
}

} // namespace platform
