// The fixed texts of the setup screen, in fixed-width NUL-terminated fields.
#pragma once

namespace game {

inline constexpr char CharacterNames[3][10] = {"KESANA", "MIRUTA", "PELU"};

inline constexpr char SchemeNames[4][50] = {"Keyboard1", "Keyboard2", "Keyboard3", "Joystick"};

// Shift-JIS: the arrows of the first line are the double-byte characters
// 0x81AA (up), 0x81AB (down), 0x81A9 (left) and 0x81A8 (right).
inline constexpr char SchemeHelp[4][50] = {
    "Up:\x81\xAA Down:\x81\xAB Left:\x81\xA9 Right:\x81\xA8 Maho:Enter",
    "Up:8  Down:2  Left:4  Right:6  Maho:5",
    "Up:W  Down:Z  Left:A  Right:S  Maho:Q",
    "Joystick",
};

} // namespace game
