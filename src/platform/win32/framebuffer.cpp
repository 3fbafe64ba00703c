// The framebuffer: a 32-bit bottom-up DIB section over a page-file mapping,
// selected into a memory DC, and its stretched copy to the client area.
#include "platform/win32/internal.h"

namespace {

using platform::FRAME_BYTES;
using platform::FRAME_HEIGHT;
using platform::FRAME_WIDTH;

struct Surface {
    HANDLE mapping;
    HBITMAP bitmap;
    HDC context;
    HGDIOBJ replaced; // what the memory DC held before the bitmap
    void* pixels;
};

Surface surface{};

BITMAPINFO frameInfo() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = FRAME_WIDTH;
    info.bmiHeader.biHeight = FRAME_HEIGHT; // positive: the bottom row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Fills the client area outside the picture's place with its background.
void fillAround(HDC context, const platform::FramePlacement& p) {
    RECT client;
    if (GetClientRect(win32platform::window(), &client) == 0) {
        return;
    }
    const auto brush = static_cast<HBRUSH>(
        GetStockObject(p.background == platform::WINDOW_BLACK ? BLACK_BRUSH : WHITE_BRUSH));
    const RECT bands[] = {
        {0, 0, client.right, p.y},
        {0, p.y + p.height, client.right, client.bottom},
        {0, p.y, p.x, p.y + p.height},
        {p.x + p.width, p.y, client.right, p.y + p.height},
    };
    for (const RECT& band : bands) {
        if (band.right > band.left && band.bottom > band.top) {
            FillRect(context, &band, brush);
        }
    }
}

} // namespace

namespace win32platform {

FramebufferObjects framebufferObjects() {
    return FramebufferObjects{surface.mapping, surface.bitmap, surface.context};
}

bool drawFrame(HDC context, const platform::FramePlacement& placement) {
    if (placement.background == platform::WINDOW_BLACK) {
        fillAround(context, placement);
    }
    return surface.context != nullptr &&
           StretchBlt(context, placement.x, placement.y, placement.width, placement.height,
                      surface.context, 0, 0, FRAME_WIDTH, FRAME_HEIGHT, SRCCOPY) != 0;
}

} // namespace win32platform

namespace platform {

void* createPixelMemory(std::size_t bytes) {
    const HWND window = win32platform::window();
    if (surface.pixels != nullptr || bytes != FRAME_BYTES || window == nullptr) {
        return nullptr;
    }
    const BITMAPINFO info = frameInfo();
    const HDC windowContext = GetDC(window);
    surface.mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                         static_cast<DWORD>(bytes), nullptr);
    if (surface.mapping != nullptr) {
        surface.bitmap = CreateDIBSection(windowContext, &info, DIB_RGB_COLORS, &surface.pixels,
                                          surface.mapping, 0);
    }
    if (surface.bitmap != nullptr) {
        surface.context = CreateCompatibleDC(windowContext);
    }
    if (surface.context != nullptr) {
        surface.replaced = SelectObject(surface.context, surface.bitmap);
    }
    ReleaseDC(window, windowContext);
    if (surface.context == nullptr || surface.pixels == nullptr) {
        // No picture without all three: give back what was made.
        if (surface.bitmap != nullptr) {
            DeleteObject(surface.bitmap);
        }
        if (surface.mapping != nullptr) {
            CloseHandle(surface.mapping);
        }
        surface = Surface{};
        return nullptr;
    }
    return surface.pixels; // a fresh mapping is zero-filled
}

void releasePixelMemory(void* block) {
    if (block == nullptr || block != surface.pixels) {
        return;
    }
    // The mapping's handle first: the section keeps its own reference, so
    // the pixels stay until the bitmap goes.
    CloseHandle(surface.mapping);
    SelectObject(surface.context, surface.replaced);
    DeleteDC(surface.context);
    DeleteObject(surface.bitmap);
    surface = Surface{};
}

int presentFrame(const std::uint32_t* pixels, int width, int height) {
    const HWND window = win32platform::window();
    if (window == nullptr || pixels == nullptr) {
        return 0;
    }
    const HDC windowContext = GetDC(window);
    if (windowContext == nullptr) {
        return 0;
    }
    // The host asks for its client size in game pixels; the window's are
    // whole multiples of them, or fullscreen's.
    const platform::FramePlacement placement = win32platform::framePlacement(width, height);
    bool copied = false;
    if (pixels == surface.pixels) {
        copied = win32platform::drawFrame(windowContext, placement);
    } else {
        // Pixels of another block (none in the game): copied from memory.
        const BITMAPINFO info = frameInfo();
        if (placement.background == platform::WINDOW_BLACK) {
            fillAround(windowContext, placement);
        }
        copied = StretchDIBits(windowContext, placement.x, placement.y, placement.width,
                               placement.height, 0, 0, FRAME_WIDTH, FRAME_HEIGHT, pixels, &info,
                               DIB_RGB_COLORS, SRCCOPY) != 0;
    }
    ReleaseDC(window, windowContext);
    win32platform::restPointer();
    return copied ? 1 : 0;
}

} // namespace platform
