// Resource lookup over a module's table of embedded resources: how every
// platform but Windows carries the program's pictures.
#include "platform/platform.h"

namespace platform {

ResourceHandle findResource(const Module& module, int id, ResourceKind kind) {
    const int wanted = id & 0xFFFF;
    for (std::size_t i = 0; i < module.count; ++i) {
        const ResourceEntry& entry = module.entries[i];
        if ((entry.id & 0xFFFF) == wanted && entry.kind == kind) {
            return reinterpret_cast<ResourceHandle>(&entry);
        }
    }
    return 0;
}

int loadResource(const Module&, ResourceHandle resource, ResourceBytes& out) {
    const auto* entry = reinterpret_cast<const ResourceEntry*>(resource);
    if (entry == nullptr || entry->bytes == nullptr) {
        return 0;
    }
    out = ResourceBytes{entry->bytes, entry->size};
    return 1;
}

} // namespace platform
