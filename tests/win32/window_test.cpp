// The window, its procedure, the native menu and the accelerators, on real
// Windows messages.
#include "gfx/backdrop.h"
#include "gfx/images.h"
#include "res/accelerators.h"
#include "res/menu.h"
#include "shell/window_procedure.h"
#include "win32_fixture.h"

#include <string>

namespace {

using win32test::clientSize;
using win32test::Fetched;
using win32test::outerRect;
using win32test::Win32Host;

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::wstring wide(const char* utf8) {
    wchar_t out[128] = {};
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out, 128);
    return out;
}

bool checked(HMENU popup, int id) {
    return (GetMenuState(popup, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void command(HWND window, int id) {
    SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

TEST_F(Win32Host, TheWindowHasItsClassTitleFrameAndA320By240ClientArea) {
    EXPECT_EQ(FindWindowA("sorvi_k", "Sorvi Kadra99 ver0.8"), window);
    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const DWORD wanted = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    EXPECT_EQ(wanted, 0x10CA0000u);
    EXPECT_EQ(style & wanted, wanted);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u); // a fixed frame
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    const SIZE client = clientSize(window);
    EXPECT_EQ(client.cx, 320);
    EXPECT_EQ(client.cy, 240);
    EXPECT_EQ(GetClassLongPtrA(window, GCL_STYLE), CS_HREDRAW | CS_VREDRAW);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)),
              GetStockObject(WHITE_BRUSH));
    EXPECT_NE(GetClassLongPtrA(window, GCLP_HICON), 0);
    EXPECT_NE(GetMenu(window), nullptr);
}

TEST_F(Win32Host, SizeCommandsFitTheClientAreaAndKeepTheTopLeftCorner) {
    const RECT start = outerRect(window);
    command(window, res::CMD_SIZE_DOUBLE);
    SIZE client = clientSize(window);
    EXPECT_EQ(client.cx, 640);
    EXPECT_EQ(client.cy, 480);
    const RECT doubled = outerRect(window);
    EXPECT_EQ(doubled.left, start.left);
    EXPECT_EQ(doubled.top, start.top);

    command(window, res::CMD_SIZE_DOUBLE); // already double: nothing moves
    EXPECT_TRUE(sameRect(outerRect(window), doubled));

    command(window, res::CMD_SIZE_NORMAL);
    client = clientSize(window);
    EXPECT_EQ(client.cx, 320);
    EXPECT_EQ(client.cy, 240);
    EXPECT_TRUE(sameRect(outerRect(window), start));
}

TEST_F(Win32Host, CheckMarksAreSetOnThePopupThatOpens) {
    const HMENU bar = GetMenu(window);
    const HMENU file = GetSubMenu(bar, 0);
    const HMENU size = GetSubMenu(bar, 1);
    auto open = [&](HMENU popup, int index) {
        SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), index);
    };
    open(file, 0);
    open(size, 1);
    EXPECT_FALSE(checked(file, res::CMD_SHOW_FPS));
    EXPECT_FALSE(checked(file, res::CMD_NO_WAIT));
    EXPECT_TRUE(checked(size, res::CMD_SIZE_NORMAL));
    EXPECT_FALSE(checked(size, res::CMD_SIZE_DOUBLE));

    command(window, res::CMD_SHOW_FPS);
    command(window, res::CMD_NO_WAIT);
    command(window, res::CMD_SIZE_DOUBLE);
    open(size, 1); // the File pop-up's marks wait until it opens
    EXPECT_FALSE(checked(file, res::CMD_SHOW_FPS));
    EXPECT_FALSE(checked(size, res::CMD_SIZE_NORMAL));
    EXPECT_TRUE(checked(size, res::CMD_SIZE_DOUBLE));
    open(file, 0);
    EXPECT_TRUE(checked(file, res::CMD_SHOW_FPS));
    EXPECT_TRUE(checked(file, res::CMD_NO_WAIT));

    command(window, res::CMD_NO_WAIT); // twice: paced again
    open(file, 0);
    EXPECT_FALSE(checked(file, res::CMD_NO_WAIT));
    EXPECT_EQ(shell::host.frameWait, 1);
}

TEST_F(Win32Host, MenuLoopMessagesStopAndRestartTheFrames) {
    SendMessageA(window, WM_ENTERMENULOOP, FALSE, 0);
    EXPECT_FALSE(shell::framesRunning());
    const std::int32_t offset = gfx::backdropOffset;
    EXPECT_EQ(shell::frameStep(), shell::MENU_WAIT_MILLISECONDS);
    EXPECT_EQ(gfx::backdropOffset, offset); // no frame ran
    SendMessageA(window, WM_EXITMENULOOP, FALSE, 0);
    EXPECT_TRUE(shell::framesRunning());
}

TEST_F(Win32Host, PaintValidatesAndDrawsNothing) {
    InvalidateRect(window, nullptr, FALSE);
    EXPECT_NE(GetUpdateRect(window, nullptr, FALSE), FALSE);
    SendMessageA(window, WM_PAINT, 0, 0);
    EXPECT_EQ(GetUpdateRect(window, nullptr, FALSE), FALSE);
}

// --- Accelerators ---

// A key press as the loop takes it: translated, or else dispatched.
int press(HWND window, WPARAM key, int scanCode) {
    Fetched down;
    win32test::fetch(down, window, WM_KEYDOWN, key, win32test::keyData(scanCode, false, false));
    const int translated = platform::translateAccelerator(down.message);
    if (translated == 0) {
        platform::dispatchMessage(down.message);
    }
    return translated;
}

TEST_F(Win32Host, AcceleratorKeysBecomeCommands) {
    EXPECT_EQ(press(window, VK_F12, 0x58), 1);
    EXPECT_EQ(clientSize(window).cx, 640);
    EXPECT_EQ(press(window, VK_F11, 0x57), 1);
    EXPECT_EQ(clientSize(window).cx, 320);
    game::gameState = game::Play;
    EXPECT_EQ(press(window, VK_F9, 0x43), 1);
    EXPECT_EQ(game::gameState, game::Reset);
    EXPECT_EQ(press(window, VK_UP, 0x48), 0); // not in the table
    EXPECT_EQ(press(window, 'Q', 0x10), 0);
}

TEST_F(Win32Host, EscapeClosesTheWindowAndTheLoopEndsWithZero) {
    game::gameState = game::Setup;
    EXPECT_EQ(press(window, VK_ESCAPE, 0x01), 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(shell::windowAlive());
    EXPECT_EQ(shell::runMessageLoop(), 0);
}

// --- Ending ---

TEST_F(Win32Host, CloseAndExitTearDownAndPostQuitZero) {
    for (const bool viaCommand : {false, true}) {
        if (viaCommand) {
            TearDown();
            SetUp();
        }
        ASSERT_NE(gfx::Backdrop.pixels, nullptr);
        const win32platform::FramebufferObjects objects = win32platform::framebufferObjects();
        if (viaCommand) {
            command(window, res::CMD_EXIT);
        } else {
            SendMessageA(window, WM_CLOSE, 0, 0);
        }
        EXPECT_FALSE(IsWindow(window));
        EXPECT_EQ(gfx::Backdrop.pixels, nullptr);
        EXPECT_EQ(gfx::SpriteSheet.pixels, nullptr);
        EXPECT_EQ(shell::surface.pixels, nullptr);
        EXPECT_EQ(GetObjectType(objects.bitmap), 0u); // deleted
        EXPECT_EQ(GetObjectType(objects.context), 0u);
        MSG quit;
        ASSERT_NE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE), 0);
        EXPECT_EQ(quit.wParam, 0u);
        platform::destroyWindow(); // once gone, nothing more happens
        EXPECT_EQ(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE), 0);
    }
}

// --- The menu and accelerator resources against the model every platform shows ---

TEST(Win32Resources, MenuResourceHoldsTheModelsTextsIdsAndSeparator) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    EXPECT_NE(FindResourceExA(instance, RT_MENU, MAKEINTRESOURCEA(res::MENU_ID),
                              MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)),
              nullptr);
    const HMENU bar = LoadMenuA(instance, MAKEINTRESOURCEA(res::MENU_ID));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), res::MENU_POPUP_COUNT);
    for (int p = 0; p < res::MENU_POPUP_COUNT; ++p) {
        const res::MenuPopupResource& model = res::MENU_POPUPS[p];
        wchar_t text[128] = {};
        GetMenuStringW(bar, static_cast<UINT>(p), text, 128, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(text), wide(model.title)) << p;
        const HMENU popup = GetSubMenu(bar, p);
        ASSERT_NE(popup, nullptr);
        ASSERT_EQ(GetMenuItemCount(popup), model.itemCount);
        for (int i = 0; i < model.itemCount; ++i) {
            const res::MenuItemResource& item = model.items[i];
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = 128;
            ASSERT_NE(GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info), FALSE);
            if (item.text == nullptr) {
                EXPECT_NE(info.fType & MFT_SEPARATOR, 0u) << p << ' ' << i;
                continue;
            }
            EXPECT_EQ(std::wstring(text, info.cch), wide(item.text)) << p << ' ' << i;
            EXPECT_EQ(info.wID, item.id);
            EXPECT_EQ(info.fState & (MFS_CHECKED | MFS_DISABLED), 0u); // marks come on opening
        }
    }
    DestroyMenu(bar);
}

TEST(Win32Resources, AcceleratorTableHoldsTheModelsKeysInOrder) {
    const HACCEL table =
        LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(res::ACCELERATOR_TABLE_ID));
    ASSERT_NE(table, nullptr);
    ACCEL entries[8] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 8), res::ACCELERATORS.count);
    for (int i = 0; i < res::ACCELERATORS.count; ++i) {
        const res::AcceleratorEntry& model = res::ACCELERATORS.entries[i];
        EXPECT_EQ(entries[i].fVirt, FVIRTKEY | FNOINVERT) << i;
        EXPECT_EQ(entries[i].key, model.key) << i;
        EXPECT_EQ(entries[i].cmd, model.command) << i;
    }
}

} // namespace
