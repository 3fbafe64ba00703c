// Accelerator table 102: keys that run a command wherever the game is.
#pragma once

#include "menu.h"
#include "platform/keys.h"

#include <cstdint>

namespace res {

constexpr int ACCELERATOR_TABLE_ID = 102;

// Entry flags: the key is a virtual-key code; the menu bar does not flash.
constexpr std::uint8_t FVIRTKEY = 0x01;
constexpr std::uint8_t FNOINVERT = 0x02;
// Modifiers an entry asks for; an entry matches only with exactly these held.
constexpr std::uint8_t FSHIFT = 0x04;
constexpr std::uint8_t FCONTROL = 0x08;
constexpr std::uint8_t FALT = 0x10;

struct AcceleratorEntry {
    std::uint8_t flags;
    std::uint8_t key; // virtual-key code
    std::uint16_t command;
};

inline constexpr AcceleratorEntry ACCELERATORS[] = {
    {FVIRTKEY | FNOINVERT, platform::VK_ESCAPE, CMD_EXIT},
    {FVIRTKEY | FNOINVERT, platform::VK_F11, CMD_SIZE_NORMAL},
    {FVIRTKEY | FNOINVERT, platform::VK_F12, CMD_SIZE_DOUBLE},
    {FVIRTKEY | FNOINVERT, platform::VK_F9, CMD_RESET},
};

} // namespace res
