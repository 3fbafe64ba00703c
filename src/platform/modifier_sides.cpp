#include "platform/modifier_sides.h"

namespace platform {

bool trackModifierSide(ModifierSides& sides, Modifier modifier, bool left, bool down,
                       bool& repeat) {
    const auto which = static_cast<int>(modifier);
    bool& self = left ? sides.left[which] : sides.right[which];
    const bool other = left ? sides.right[which] : sides.left[which];
    self = down;
    if (down) {
        repeat = repeat || other;
        return true;
    }
    return !other;
}

} // namespace platform
