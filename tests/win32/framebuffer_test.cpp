// The framebuffer: a DIB section over a page-file mapping, its bytes after
// a frame, and their copy in the window's client area.
#include "gfx/backdrop.h"
#include "gfx/images.h"
#include "res/menu.h"
#include "win32_fixture.h"

#include <vector>

namespace {

using win32test::Win32Host;

constexpr int WIDTH = 320;
constexpr int HEIGHT = 240;

// The client area as the screen shows it, 0x00RRGGBB, top row first.
std::vector<std::uint32_t> clientPixels(HWND window, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
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
    for (std::uint32_t& p : out) {
        p &= 0xFFFFFFu;
    }
    return out;
}

TEST_F(Win32Host, PixelsAreABottomUpDibSectionOverAPageFileMapping) {
    const win32platform::FramebufferObjects objects = win32platform::framebufferObjects();
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectA(objects.bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmBits, static_cast<void*>(shell::surface.pixels));
    EXPECT_EQ(dib.dsBmih.biWidth, WIDTH);
    EXPECT_EQ(dib.dsBmih.biHeight, HEIGHT); // positive: the bottom row first
    EXPECT_EQ(dib.dsBmih.biBitCount, 32);
    EXPECT_EQ(dib.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(dib.dshSection, objects.mapping);
    EXPECT_EQ(dib.dsOffset, 0u);
    EXPECT_EQ(GetCurrentObject(objects.context, OBJ_BITMAP), objects.bitmap);

    MEMORY_BASIC_INFORMATION memory{};
    ASSERT_NE(VirtualQuery(shell::surface.pixels, &memory, sizeof memory), 0u);
    EXPECT_EQ(memory.Type, static_cast<DWORD>(MEM_MAPPED));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(shell::surface.pixels);
    int nonZero = 0;
    for (std::size_t i = 0; i < shell::FRAMEBUFFER_BYTES; ++i) {
        nonZero += bytes[i] != 0;
    }
    EXPECT_EQ(nonZero, 0); // no frame yet
}

TEST_F(Win32Host, AFrameFillsTheSectionAndReachesTheClientAreaByNearestPixel) {
    for (const int size : {1, 2}) {
        if (size == 2) {
            SendMessageA(window, WM_COMMAND, res::CMD_SIZE_DOUBLE, 0);
        }
        shell::frameStep();
        const std::uint32_t* frame = shell::surface.pixels;
        // The title's sky, moved on by one more pixel each frame, in the
        // bottom row (row 0), where no text reaches; byte 3 always 0.
        const int offset = gfx::backdropOffset;
        int wrong = 0;
        for (int c = 0; c < WIDTH; ++c) {
            wrong += frame[c] != gfx::Backdrop.pixels[(c - offset + WIDTH) % WIDTH];
        }
        for (int i = 0; i < WIDTH * HEIGHT; ++i) {
            wrong += (frame[i] >> 24) != 0;
        }
        EXPECT_EQ(wrong, 0) << "size " << size;

        const int width = WIDTH * size;
        const int height = HEIGHT * size;
        const std::vector<std::uint32_t> shown = clientPixels(window, width, height);
        int differing = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t wanted = frame[(HEIGHT - 1 - y / size) * WIDTH + x / size];
                differing += shown[static_cast<std::size_t>(y) * width + x] != wanted;
            }
        }
        EXPECT_EQ(differing, 0) << "size " << size;
    }
}

} // namespace
