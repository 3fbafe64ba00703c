#include "platform/placement.h"

#include "platform/frame.h"

#include <algorithm>
#include <cmath>

namespace platform {

int largestWholeFactor(int width, int height) {
    return std::max(std::min(width / FRAME_WIDTH, height / FRAME_HEIGHT), 1);
}

int nearestWholeFactor(double scale) {
    // A NaN or a runaway scale is no reason to draw nothing or overflow.
    if (!(scale >= 1.0)) {
        return 1;
    }
    return static_cast<int>(std::min(std::floor(scale + 0.5), 64.0));
}

FramePlacement centredPlacement(int screenWidth, int screenHeight) {
    const int factor = largestWholeFactor(screenWidth, screenHeight);
    const int width = FRAME_WIDTH * factor;
    const int height = FRAME_HEIGHT * factor;
    return FramePlacement{(screenWidth - width) / 2, (screenHeight - height) / 2, width, height,
                          WINDOW_BLACK};
}

} // namespace platform
