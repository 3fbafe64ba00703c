#include "platform/modifier_sides.h"

namespace platform {
namespace {
bool leftDown[3];
bool rightDown[3];
} // namespace

bool trackModifierSide(Modifier modifier, bool left, bool down, bool& repeat) {
    const auto which = static_cast<int>(modifier);
    bool& self = left ? leftDown[which] : rightDown[which];
    const bool other = left ? rightDown[which] : leftDown[which];
    self = down;
    if (down) {
        repeat = repeat || other;
        return true;
    }
    return !other;
}

void forgetModifierSides() {
    for (int i = 0; i < 3; ++i) {
        leftDown[i] = false;
        rightDown[i] = false;
    }
}

} // namespace platform
