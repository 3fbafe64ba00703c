// A host on the headless platform, back in its program-start state for
// each test and torn down after it.
#pragma once

#include "game/values.h"
#include "gfx/images.h"
#include "menubar/layout.h"
#include "platform/drawn/window.h"
#include "platform/headless/headless.h"
#include "shell/host.h"
#include "shell/window_procedure.h"

#include <gtest/gtest.h>

namespace shelltest {

inline platform::Message keyDown(int key, std::uint8_t modifiers = 0, bool repeat = false) {
    platform::Message m;
    m.kind = platform::MessageKind::KeyDown;
    m.code = key;
    m.modifiers = modifiers;
    m.repeat = repeat;
    return m;
}

inline platform::Message keyUp(int key) {
    platform::Message m;
    m.kind = platform::MessageKind::KeyUp;
    m.code = key;
    return m;
}

inline platform::Message mouse(platform::MessageKind kind, int x, int y) {
    platform::Message m;
    m.kind = kind;
    m.x = x;
    m.y = y;
    return m;
}

inline platform::Message plain(platform::MessageKind kind, int code = 0) {
    platform::Message m;
    m.kind = kind;
    m.code = code;
    return m;
}

// The notification a menu sends as pop-up `popup` opens.
inline platform::Message initMenuPopup(int popup) {
    platform::Message m;
    m.kind = platform::MessageKind::InitMenuPopup;
    m.code = popup;
    m.popup = static_cast<platform::MenuHandle>(popup);
    return m;
}

// Whether item `id` of the drawn menu is checked, in whichever pop-up holds it.
inline bool menuItemChecked(int id) {
    for (int p = 0; p < menubar::menuPopupCount(); ++p) {
        const menubar::MenuPopupLayout& popup = menubar::menuPopup(p);
        for (int i = 0; i < popup.itemCount; ++i) {
            if (!popup.items[i].separator && popup.items[i].id == id) {
                return drawn::menu.checked[p][i];
            }
        }
    }
    return false;
}

class Host : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::reset();
        headless::setEchoMessages(false);
        shell::resetHost();
        game::resetGameValues();
    }

    void TearDown() override {
        if (shell::windowAlive()) {
            shell::destroyWindow();
        }
        EXPECT_EQ(headless::livePixelBlocks(), 0);
        shell::resetHost();
        headless::reset();
    }

    // Start-up without the loop; the test then steps the loop itself.
    void start() { ASSERT_EQ(shell::startUp(platform::programModule()), 0); }

    // One turn of the loop; returns 0 once the quit message came.
    int step() {
        platform::Message message;
        return shell::messageLoopStep(message);
    }

    int presents() { return headless::windowCallsOf(headless::WindowCall::PresentFrame); }

    // Delivers `message` through the loop (queued, then one step).
    void deliver(const platform::Message& message) {
        headless::queueMessage(message);
        step();
    }
};

} // namespace shelltest
