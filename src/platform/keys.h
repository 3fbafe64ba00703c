// The virtual-key codes of the keyboard snapshot, as the game, the host
// and the accelerator table name them.
#pragma once

namespace platform {

enum VirtualKey : int {
    VK_RETURN = 13,
    VK_SHIFT = 16,
    VK_CONTROL = 17,
    VK_MENU = 18, // Alt
    VK_ESCAPE = 27,
    VK_SPACE = 32,
    VK_LEFT = 37,
    VK_UP = 38,
    VK_RIGHT = 39,
    VK_DOWN = 40,
    VK_A = 65,
    VK_E = 69,
    VK_Q = 81,
    VK_S = 83,
    VK_W = 87,
    VK_Z = 90,
    VK_NUMPAD2 = 98,
    VK_NUMPAD4 = 100,
    VK_NUMPAD5 = 101,
    VK_NUMPAD6 = 102,
    VK_NUMPAD8 = 104,
    VK_NUMPAD9 = 105,
    VK_F4 = 115,
    VK_F9 = 120,
    VK_F10 = 121,
    VK_F11 = 122,
    VK_F12 = 123,
};

} // namespace platform
