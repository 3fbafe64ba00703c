// The program's pictures as real resources: the bitmaps through the seam,
// and icon 106 as the art made into 16, 32 and 48 pixel images.
#include "platform/win32/internal.h"
#include "shell/icon.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t FILE_HEADER_BYTES = 14;

std::vector<std::uint8_t> readResFile(const char* name) {
    const std::string path = std::string(SORVI_RES_DIR) + "/" + name;
    std::vector<std::uint8_t> bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::uint8_t buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
        std::fclose(file);
    }
    return bytes;
}

TEST(Win32Resources, BitmapsAreTheResFilesWithoutTheirFileHeader) {
    const platform::Module& module = platform::programModule();
    const struct {
        int id;
        const char* file;
    } bitmaps[] = {{103, "sprites.bmp"}, {105, "backdrop.bmp"}};
    for (const auto& bitmap : bitmaps) {
        const std::vector<std::uint8_t> file = readResFile(bitmap.file);
        ASSERT_GT(file.size(), FILE_HEADER_BYTES) << bitmap.file;
        const platform::ResourceHandle found =
            platform::findResource(module, bitmap.id, platform::ResourceKind::Bitmap);
        ASSERT_NE(found, 0u) << bitmap.id;
        platform::ResourceBytes bytes{};
        ASSERT_EQ(platform::loadResource(module, found, bytes), 1);
        ASSERT_EQ(bytes.size, file.size() - FILE_HEADER_BYTES);
        EXPECT_EQ(std::memcmp(bytes.data, file.data() + FILE_HEADER_BYTES, bytes.size), 0);
        // Only the id's low 16 bits count.
        EXPECT_EQ(
            platform::findResource(module, bitmap.id + 0x10000, platform::ResourceKind::Bitmap),
            found);
    }
    EXPECT_EQ(platform::findResource(module, 104, platform::ResourceKind::Bitmap), 0u);
    // The class takes the icon itself; the seam offers none.
    EXPECT_EQ(platform::findResource(module, 106, platform::ResourceKind::Icon), 0u);
    platform::ResourceBytes none{};
    EXPECT_EQ(platform::loadResource(module, 0, none), 0);
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

const std::uint8_t* resourceBytes(LPCSTR id, LPCSTR type, DWORD& size) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(instance, id, type);
    if (found == nullptr) {
        return nullptr;
    }
    size = SizeofResource(instance, found);
    return static_cast<const std::uint8_t*>(LockResource(LoadResource(instance, found)));
}

// Pixel (x, y) of an icon image, 0xAARRGGBB, y counted from the top.
std::uint32_t iconPixel(const std::uint8_t* image, int side, int x, int y) {
    std::uint32_t p = 0;
    std::memcpy(&p, image + 40 + 4 * ((side - 1 - y) * side + x), 4);
    return p;
}

TEST(Win32Resources, IconHoldsTheArtAt16And32And48Pixels) {
    const std::vector<std::uint8_t> file = readResFile("icon.bmp");
    shell::IconPixels art{};
    ASSERT_EQ(
        shell::decodeIcon(file.data() + FILE_HEADER_BYTES, file.size() - FILE_HEADER_BYTES, art),
        1);

    DWORD size = 0;
    const std::uint8_t* group = resourceBytes(MAKEINTRESOURCEA(106), RT_GROUP_ICON, size);
    ASSERT_NE(group, nullptr);
    ASSERT_GE(size, 6u);
    WORD count = 0;
    std::memcpy(&count, group + 4, 2);
    ASSERT_EQ(count, 3);
    ASSERT_GE(size, 6u + count * sizeof(GroupIconEntry));
    const int sides[] = {16, 32, 48};
    for (int i = 0; i < count; ++i) {
        GroupIconEntry entry{};
        std::memcpy(&entry, group + 6 + i * sizeof entry, sizeof entry);
        const int side = sides[i];
        EXPECT_EQ(entry.width, side);
        EXPECT_EQ(entry.height, side);
        EXPECT_EQ(entry.bitCount, 32);
        DWORD imageSize = 0;
        const std::uint8_t* image = resourceBytes(MAKEINTRESOURCEA(entry.id), RT_ICON, imageSize);
        ASSERT_NE(image, nullptr);
        // Colour rows and one AND mask row of whole 32-bit words per row.
        const std::size_t mask = static_cast<std::size_t>((side + 31) / 32 * 4 * side);
        ASSERT_EQ(imageSize, 40 + 4u * side * side + mask);
        // Windows makes an icon of it.
        const HICON icon = CreateIconFromResourceEx(const_cast<std::uint8_t*>(image), imageSize,
                                                    TRUE, 0x00030000, side, side, 0);
        EXPECT_NE(icon, nullptr) << side;
        DestroyIcon(icon);
        if (side < 32) {
            // Halved: opaque wherever the 2 by 2 block has a pixel of colour.
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    bool coloured = false;
                    for (int d = 0; d < 4; ++d) {
                        coloured = coloured ||
                                   (art[(2 * y + d / 2) * 32 + 2 * x + d % 2] & 0xFFFFFFu) != 0;
                    }
                    EXPECT_EQ((iconPixel(image, side, x, y) >> 24) != 0, coloured) << x << ',' << y;
                }
            }
            continue;
        }
        // The art itself, then the same by nearest pixel (the art's pixel
        // under each pixel's centre); black is see-through.
        int wrong = 0;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const std::uint32_t source =
                    art[((2 * y + 1) * 32 / (2 * side)) * 32 + (2 * x + 1) * 32 / (2 * side)];
                const std::uint32_t wanted = (source & 0xFFFFFFu) == 0 ? 0 : source;
                wrong += iconPixel(image, side, x, y) != wanted;
            }
        }
        EXPECT_EQ(wrong, 0) << side;
    }
}

TEST(Win32Resources, TheManifestAsksForThePixelsAtTheMonitorsScale) {
    DWORD size = 0;
    const std::uint8_t* manifest = resourceBytes(MAKEINTRESOURCEA(1), RT_MANIFEST, size);
    ASSERT_NE(manifest, nullptr);
    const std::string text(reinterpret_cast<const char*>(manifest), size);
    EXPECT_NE(text.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
}

} // namespace
