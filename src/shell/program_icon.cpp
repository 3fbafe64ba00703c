// The window icon as the program carries it: resource 106.
#include "shell/icon.h"

namespace shell {

int loadIcon(const platform::Module& module, int id, IconPixels& out) {
    const platform::ResourceHandle resource =
        platform::findResource(module, id, platform::ResourceKind::Icon);
    platform::ResourceBytes bytes{};
    if (resource == 0 || platform::loadResource(module, resource, bytes) == 0) {
        return 0;
    }
    return decodeIcon(bytes.data, bytes.size, out);
}

} // namespace shell
