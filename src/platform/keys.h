// The virtual-key codes of the keyboard snapshot, as the game, the host
// and the accelerator table name them. The prefix is our own: Windows'
// headers define the VK_ names as macros.
#pragma once

namespace platform {

enum VirtualKey : int {
    KEY_RETURN = 13,
    KEY_SHIFT = 16,
    KEY_CONTROL = 17,
    KEY_MENU = 18, // Alt
    KEY_ESCAPE = 27,
    KEY_SPACE = 32,
    KEY_LEFT = 37,
    KEY_UP = 38,
    KEY_RIGHT = 39,
    KEY_DOWN = 40,
    KEY_A = 65,
    KEY_E = 69,
    KEY_Q = 81,
    KEY_S = 83,
    KEY_W = 87,
    KEY_Z = 90,
    KEY_NUMPAD2 = 98,
    KEY_NUMPAD4 = 100,
    KEY_NUMPAD5 = 101,
    KEY_NUMPAD6 = 102,
    KEY_NUMPAD8 = 104,
    KEY_NUMPAD9 = 105,
    KEY_F4 = 115,
    KEY_F9 = 120,
    KEY_F10 = 121,
    KEY_F11 = 122,
    KEY_F12 = 123,
};

} // namespace platform
