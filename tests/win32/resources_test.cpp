// The program's resources read back against what they are made from: the
// bitmaps and the icon art in res/, the menu and accelerator model every
// platform shows.
#include "platform/win32/internal.h"
#include "res/accelerators.h"
#include "res/menu.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t FILE_HEADER_BYTES = 14;

std::vector<std::uint8_t> resFile(const char* name) {
    std::ifstream file(std::string(SORVI_RES_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(Win32Resources, BitmapsAreTheResFilesWithoutTheirFileHeader) {
    const platform::Module& module = platform::programModule();
    for (const auto& [id, name] : {std::pair{103, "sprites.bmp"}, std::pair{105, "backdrop.bmp"}}) {
        const std::vector<std::uint8_t> file = resFile(name);
        ASSERT_GT(file.size(), FILE_HEADER_BYTES) << name;
        const platform::ResourceHandle found =
            platform::findResource(module, id, platform::ResourceKind::Bitmap);
        platform::ResourceBytes bytes{};
        ASSERT_EQ(platform::loadResource(module, found, bytes), 1) << id;
        ASSERT_EQ(bytes.size, file.size() - FILE_HEADER_BYTES);
        EXPECT_EQ(std::memcmp(bytes.data, file.data() + FILE_HEADER_BYTES, bytes.size), 0);
        // Only the id's low 16 bits count.
        EXPECT_EQ(platform::findResource(module, id + 0x10000, platform::ResourceKind::Bitmap),
                  found);
    }
    // The class takes the icon itself; the seam offers none.
    EXPECT_EQ(platform::findResource(module, 106, platform::ResourceKind::Icon), 0u);
}

// A resource of the program, null (and size 0) if it has none.
const std::uint8_t* resource(LPCSTR id, LPCSTR type, DWORD& size) {
    const HRSRC found = FindResourceA(nullptr, id, type);
    size = SizeofResource(nullptr, found);
    return static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
}

// The icon's pixels are the icon tool's, checked against the art where it
// is tested; here, that icon 106 is one Windows takes, at each size, the
// large ones PNG as Windows expects.
TEST(Win32Resources, IconHoldsSixSizesWindowsCanShow) {
    DWORD size = 0;
    const std::uint8_t* group = resource(MAKEINTRESOURCEA(106), RT_GROUP_ICON, size);
    ASSERT_GE(size, 6u);
    EXPECT_EQ(group[4], 6); // images
    constexpr std::uint8_t PNG_SIGNATURE[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (const int side : {16, 32, 48, 64, 128, 256}) {
        const int id = LookupIconIdFromDirectoryEx(const_cast<std::uint8_t*>(group), TRUE, side,
                                                   side, LR_DEFAULTCOLOR);
        const std::uint8_t* image = resource(MAKEINTRESOURCEA(id), RT_ICON, size);
        ASSERT_NE(image, nullptr) << side;
        ASSERT_GT(size, 24u) << side;
        const bool png = std::memcmp(image, PNG_SIGNATURE, sizeof PNG_SIGNATURE) == 0;
        EXPECT_EQ(png, side >= 128) << side;
        if (png) {
            // The header's width, big-endian, after the signature and the chunk's length and type.
            EXPECT_EQ(image[16] << 24 | image[17] << 16 | image[18] << 8 | image[19], side);
        } else {
            BITMAPINFOHEADER header{};
            std::memcpy(&header, image, sizeof header);
            EXPECT_EQ(header.biWidth, side);
        }
        const HICON icon = CreateIconFromResourceEx(const_cast<std::uint8_t*>(image), size, TRUE,
                                                    0x00030000, side, side, 0);
        ICONINFO info{};
        BITMAP colour{};
        ASSERT_NE(icon, nullptr) << side;
        ASSERT_NE(GetIconInfo(icon, &info), 0) << side;
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, side);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

std::wstring wide(const char* utf8) {
    wchar_t out[128] = {};
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out, 128);
    return out;
}

TEST(Win32Resources, MenuAndAcceleratorsAreTheModels) {
    const HMENU bar = LoadMenuA(nullptr, MAKEINTRESOURCEA(res::MENU_ID));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), res::MENU_POPUP_COUNT);
    for (int p = 0; p < res::MENU_POPUP_COUNT; ++p) {
        const res::MenuPopupResource& model = res::MENU_POPUPS[p];
        wchar_t text[128] = {};
        GetMenuStringW(bar, static_cast<UINT>(p), text, 128, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(text), wide(model.title)) << p;
        const HMENU popup = GetSubMenu(bar, p);
        ASSERT_EQ(GetMenuItemCount(popup), model.itemCount);
        for (int i = 0; i < model.itemCount; ++i) {
            const res::MenuItemResource& item = model.items[i];
            const UINT state = GetMenuState(popup, static_cast<UINT>(i), MF_BYPOSITION);
            if (item.text == nullptr) {
                EXPECT_NE(state & MF_SEPARATOR, 0u) << p << ' ' << i;
                continue;
            }
            GetMenuStringW(popup, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
            EXPECT_EQ(std::wstring(text), wide(item.text)) << p << ' ' << i;
            EXPECT_EQ(GetMenuItemID(popup, i), item.id) << p << ' ' << i;
            EXPECT_EQ(state & (MF_CHECKED | MF_DISABLED | MF_GRAYED), 0u); // marks come on opening
        }
    }
    DestroyMenu(bar);

    const HACCEL table = LoadAcceleratorsA(nullptr, MAKEINTRESOURCEA(res::ACCELERATOR_TABLE_ID));
    ACCEL entries[8] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 8), res::ACCELERATORS.count);
    for (int i = 0; i < res::ACCELERATORS.count; ++i) {
        const res::AcceleratorEntry& model = res::ACCELERATORS.entries[i];
        EXPECT_EQ(entries[i].fVirt, model.flags) << i;
        EXPECT_EQ(entries[i].key, model.key) << i;
        EXPECT_EQ(entries[i].cmd, model.command) << i;
    }
}

TEST(Win32Resources, TheManifestIsTheResFile) {
    // What it asks for, the pixels at each monitor's own scale, cannot be
    // seen here: Wine takes every program as aware of each monitor's scale.
    DWORD size = 0;
    const std::uint8_t* manifest = resource(MAKEINTRESOURCEA(1), RT_MANIFEST, size);
    EXPECT_EQ(std::vector<std::uint8_t>(manifest, manifest + size),
              resFile("sorvi-kadra99.manifest"));
}

} // namespace
