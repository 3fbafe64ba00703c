// Resource lookup over a module's table; shared by every platform.
#include "platform/platform.h"

namespace platform {

const ResourceEntry* findResource(const Module& module, int id, ResourceKind kind) {
    const int wanted = id & 0xFFFF;
    for (std::size_t i = 0; i < module.count; ++i) {
        const ResourceEntry& entry = module.entries[i];
        if ((entry.id & 0xFFFF) == wanted && entry.kind == kind) {
            return &entry;
        }
    }
    return nullptr;
}

int loadResource(const ResourceEntry& entry, ResourceBytes& out) {
    if (entry.bytes == nullptr) {
        return 0;
    }
    out = ResourceBytes{entry.bytes, entry.size};
    return 1;
}

} // namespace platform
