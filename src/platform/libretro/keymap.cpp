// Frontend key codes to the virtual-key codes the game and the host read.
#include "platform/libretro/internal.h"

namespace retroplatform {
namespace {

using namespace retro;

struct KeyPair {
    unsigned key;
    int virtualKey;
};
constexpr KeyPair NAMED[] = {
    {KEY_BACKSPACE, 8},  {KEY_TAB, 9},         {KEY_RETURN, 13},       {KEY_KP_ENTER, 13},
    {KEY_RSHIFT, 16},    {KEY_LSHIFT, 16},     {KEY_RCTRL, 17},        {KEY_LCTRL, 17},
    {KEY_RALT, 18},      {KEY_LALT, 18},       {KEY_ESCAPE, 27},       {KEY_SPACE, 32},
    {KEY_PAGEUP, 33},    {KEY_PAGEDOWN, 34},   {KEY_END, 35},          {KEY_HOME, 36},
    {KEY_LEFT, 37},      {KEY_UP, 38},         {KEY_RIGHT, 39},        {KEY_DOWN, 40},
    {KEY_INSERT, 45},    {KEY_DELETE, 46},     {KEY_KP_MULTIPLY, 106}, {KEY_KP_PLUS, 107},
    {KEY_KP_MINUS, 109}, {KEY_KP_PERIOD, 110}, {KEY_KP_DIVIDE, 111},
};

} // namespace

int virtualKeyOf(unsigned key) {
    // The keypad's digits have codes of their own whatever Num Lock says.
    if (key >= KEY_KP0 && key <= KEY_KP0 + 9) {
        return 96 + static_cast<int>(key - KEY_KP0);
    }
    if (key >= KEY_0 && key <= KEY_0 + 9) {
        return '0' + static_cast<int>(key - KEY_0);
    }
    if (key >= KEY_a && key <= KEY_a + 25) {
        return 'A' + static_cast<int>(key - KEY_a);
    }
    if (key >= KEY_F1 && key < KEY_F1 + 12) {
        return 112 + static_cast<int>(key - KEY_F1);
    }
    for (const KeyPair& pair : NAMED) {
        if (pair.key == key) {
            return pair.virtualKey;
        }
    }
    return 0;
}

} // namespace retroplatform
