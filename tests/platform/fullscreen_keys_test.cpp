// The keys and commands that switch fullscreen, the same on every platform.
#include "platform/fullscreen_keys.h"
#include "platform/keys.h"

#include <gtest/gtest.h>

namespace {

using platform::FullscreenSwitch;
using platform::MessageKind;

platform::Message message(MessageKind kind, int code, std::uint8_t modifiers = 0,
                          bool repeat = false) {
    platform::Message m;
    m.kind = kind;
    m.code = code;
    m.modifiers = modifiers;
    m.repeat = repeat;
    return m;
}

TEST(FullscreenKeys, AltEnterTogglesAndInFullscreenTheSizesLeaveFirst) {
    using platform::KEYMOD_ALT;
    struct Case {
        const char* what;
        platform::Message message;
        FullscreenSwitch windowed;
        FullscreenSwitch fullscreen;
    };
    const Case cases[] = {
        {"Alt+Enter", message(MessageKind::KeyDown, platform::KEY_RETURN, KEYMOD_ALT),
         FullscreenSwitch::Toggle, FullscreenSwitch::Toggle},
        {"Alt+Enter held", message(MessageKind::KeyDown, platform::KEY_RETURN, KEYMOD_ALT, true),
         FullscreenSwitch::Swallow, FullscreenSwitch::Swallow},
        {"Enter", message(MessageKind::KeyDown, platform::KEY_RETURN), FullscreenSwitch::None,
         FullscreenSwitch::None},
        {"Enter let go with Alt", message(MessageKind::KeyUp, platform::KEY_RETURN, KEYMOD_ALT),
         FullscreenSwitch::None, FullscreenSwitch::None},
        {"F11", message(MessageKind::KeyDown, platform::KEY_F11), FullscreenSwitch::None,
         FullscreenSwitch::Leave},
        {"F12", message(MessageKind::KeyDown, platform::KEY_F12), FullscreenSwitch::None,
         FullscreenSwitch::Leave},
        {"normal size chosen", message(MessageKind::Command, res::CMD_SIZE_NORMAL),
         FullscreenSwitch::None, FullscreenSwitch::Leave},
        {"double size from its key", message(MessageKind::Command, res::CMD_SIZE_DOUBLE | 0x10000),
         FullscreenSwitch::None, FullscreenSwitch::Leave},
        {"show fps chosen", message(MessageKind::Command, res::CMD_SHOW_FPS),
         FullscreenSwitch::None, FullscreenSwitch::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::fullscreenSwitch(c.message, false), c.windowed) << c.what;
        EXPECT_EQ(platform::fullscreenSwitch(c.message, true), c.fullscreen) << c.what;
    }
}

} // namespace
