// The program's bitmaps are real resources of its .exe (BITMAP 103 and
// 105): found, loaded and locked by Windows. The window class loads icon
// 106 itself.
#include "platform/win32/internal.h"

namespace platform {

const Module& programModule() {
    // No table: lookups go to the program's own resources.
    static const Module module{nullptr, 0};
    return module;
}

ResourceHandle findResource(const Module&, int id, ResourceKind kind) {
    if (kind != ResourceKind::Bitmap) {
        return 0;
    }
    const HRSRC found =
        FindResourceA(win32platform::instance(), MAKEINTRESOURCEA(id & 0xFFFF), RT_BITMAP);
    return reinterpret_cast<ResourceHandle>(found);
}

int loadResource(const Module&, ResourceHandle resource, ResourceBytes& out) {
    const HINSTANCE instance = win32platform::instance();
    const auto found = reinterpret_cast<HRSRC>(resource);
    if (found == nullptr) {
        return 0;
    }
    const HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(instance, found);
    // An empty resource counts as one that cannot be loaded: there is
    // nothing in it to read.
    if (bytes == nullptr || size == 0) {
        return 0;
    }
    out = ResourceBytes{static_cast<const std::uint8_t*>(bytes), size};
    return 1;
}

} // namespace platform
