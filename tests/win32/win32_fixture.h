// The host started on the real Win32 platform, with a window of its own
// for each test (the test program carries the game's resources).
#pragma once

#include "game/flow.h"
#include "game/values.h"
#include "platform/win32/internal.h"
#include "shell/host.h"
#include "shell/window_procedure.h"

#include <gtest/gtest.h>

namespace win32test {

// Takes every waiting message, the quit message included, without
// handing any to a window.
inline void drainQueue() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
    }
}

inline SIZE clientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

inline RECT outerRect(HWND window) {
    RECT outer{};
    GetWindowRect(window, &outer);
    return outer;
}

// A message as the loop takes it from the queue: MSG and Message both.
struct Fetched {
    MSG native;
    platform::Message message;
};

inline void fetch(Fetched& out, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    out.native = MSG{};
    out.native.hwnd = window;
    out.native.message = message;
    out.native.wParam = wParam;
    out.native.lParam = lParam;
    win32platform::describeFetched(out.native, out.message);
}

// The key data of a key message: scan code, extended flag, and for a
// release or a repeat the previous state and transition bits.
inline LPARAM keyData(int scanCode, bool extended, bool release, bool repeat = false) {
    LPARAM data = 1 | static_cast<LPARAM>(scanCode) << 16;
    if (extended) {
        data |= LPARAM{1} << 24;
    }
    if (release || repeat) {
        data |= LPARAM{1} << 30;
    }
    if (release) {
        data |= LPARAM{1} << 31;
    }
    return data;
}

class Win32Host : public ::testing::Test {
  protected:
    void SetUp() override {
        drainQueue();
        shell::resetHost();
        game::resetToProgramStart();
        ASSERT_EQ(shell::startUp(platform::programModule()), 0);
        window = win32platform::window();
        ASSERT_NE(window, nullptr);
        SetForegroundWindow(window);
        SetFocus(window);
    }

    void TearDown() override {
        if (shell::windowAlive()) {
            shell::destroyWindow();
        }
        EXPECT_EQ(win32platform::window(), nullptr);
        drainQueue();
        BYTE none[256] = {};
        SetKeyboardState(none);
        shell::resetHost();
    }

    HWND window = nullptr;
};

} // namespace win32test
