#include "platform/web/layout.h"

#include "menubar/layout.h"
#include "platform/frame.h"
#include "platform/placement.h"

#include <algorithm>

namespace webplatform {
namespace {

using platform::FRAME_HEIGHT;
using platform::FRAME_WIDTH;

int barScaleFor(double pixelRatio, int factor) {
    return std::min(platform::nearestWholeFactor(pixelRatio), factor);
}

int windowHeightAt(double pixelRatio, int factor) {
    return FRAME_HEIGHT * factor + menubar::MENU_BAR_HEIGHT * barScaleFor(pixelRatio, factor);
}

} // namespace

PageLayout layOutPage(const PageSpace& space) {
    PageLayout out{};
    if (space.fullscreen) {
        const platform::FramePlacement p = platform::centredPlacement(space.width, space.height);
        out.factor = p.width / FRAME_WIDTH;
        out.windowWidth = space.width;
        out.windowHeight = space.height;
        out.pictureX = std::max(p.x, 0);
        out.pictureY = std::max(p.y, 0);
    } else {
        int factor =
            platform::nearestWholeFactor(space.clientWidth * space.pixelRatio / FRAME_WIDTH);
        while (factor > 1 && (FRAME_WIDTH * factor > space.width ||
                              windowHeightAt(space.pixelRatio, factor) > space.height)) {
            --factor;
        }
        out.factor = factor;
        out.windowWidth = FRAME_WIDTH * factor;
        out.windowHeight = windowHeightAt(space.pixelRatio, factor);
        // Too large even so: the left and top stay in sight, with the menu.
        out.windowX = std::max((space.width - out.windowWidth) / 2, 0);
        out.windowY = std::max((space.height - out.windowHeight) / 2, 0);
        out.pictureY = out.windowHeight - FRAME_HEIGHT * factor;
    }
    out.pictureWidth = FRAME_WIDTH * out.factor;
    out.pictureHeight = FRAME_HEIGHT * out.factor;
    out.barScale = barScaleFor(space.pixelRatio, out.factor);
    out.barWidth = (out.windowWidth + out.barScale - 1) / out.barScale;
    return out;
}

} // namespace webplatform
