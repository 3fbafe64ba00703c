// The fixture of the Windows layer's in-process tests: a window of its
// own for each test, the host started on it, and ways to feed it messages
// as the loop takes them and to read back what it shows.
#pragma once

#include "game/flow.h"
#include "platform/key_events.h"
#include "platform/win32/internal.h"
#include "shell/host.h"
#include "shell/window_procedure.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace win32test {

// Takes every waiting message, the quit message too, handing none to a window.
inline void drainQueue() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
    }
}

// The key state Windows would have after the messages of a test: it keeps
// it itself as input arrives.
inline void held(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (const int k : keys) {
        state[k] = 0x80;
    }
    SetKeyboardState(state);
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
        platform::forgetKeyEvents();
        held({});
    }

    void TearDown() override {
        if (shell::windowAlive()) {
            shell::destroyWindow();
        }
        EXPECT_EQ(win32platform::window(), nullptr);
        drainQueue();
        held({});
        shell::resetHost();
    }

    // A key message (WM_KEYDOWN, WM_SYSKEYUP, ...) as the loop takes it from
    // the queue; returns what the host is told. System key messages come
    // with Alt held.
    const platform::Message& key(UINT type, WPARAM virtualKey, int scanCode, bool extended = false,
                                 bool repeat = false) {
        const bool release = type == WM_KEYUP || type == WM_SYSKEYUP;
        const bool alt = type == WM_SYSKEYDOWN || type == WM_SYSKEYUP;
        const LPARAM data = 1 | LPARAM{scanCode} << 16 | LPARAM{extended} << 24 |
                            LPARAM{alt} << 29 | LPARAM{release || repeat} << 30 |
                            LPARAM{release} << 31;
        native = MSG{window, type, virtualKey, data, 0, {}};
        win32platform::describeFetched(native, message);
        return message;
    }

    static bool down(int code) {
        std::uint8_t keys[platform::KEY_COUNT];
        platform::getKeyboardState(keys);
        return (keys[code] & 0x80) != 0;
    }

    void command(int id) { SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0); }

    HWND window = nullptr;
    MSG native{};
    platform::Message message{};
};

// The client area as the screen shows it, 0xXXRRGGBB, top row first.
inline std::vector<std::uint32_t> clientPixels(HWND window, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC screen = GetDC(window);
    const HBITMAP copy = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(memory, copy);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> out(pixels, pixels + static_cast<std::size_t>(width) * height);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(copy);
    ReleaseDC(window, screen);
    return out;
}

// How many pixels of `shown` (the client area, `width` wide, top row first)
// differ from the frame drawn at `factor` with its top-left corner at
// (left, top).
inline int differingFromFrame(const std::vector<std::uint32_t>& shown, int width, int left, int top,
                              int factor) {
    const std::uint32_t* frame = shell::surface.pixels; // the bottom row first
    int differing = 0;
    for (int y = 0; y < platform::FRAME_HEIGHT * factor; ++y) {
        for (int x = 0; x < platform::FRAME_WIDTH * factor; ++x) {
            const std::uint32_t wanted =
                frame[(platform::FRAME_HEIGHT - 1 - y / factor) * platform::FRAME_WIDTH +
                      x / factor];
            const std::uint32_t seen =
                shown[static_cast<std::size_t>(top + y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(left + x)];
            differing += ((seen ^ wanted) & 0xFFFFFF) != 0;
        }
    }
    return differing;
}

} // namespace win32test
