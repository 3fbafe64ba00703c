// Accelerator table 102: keys that run a command wherever the game is.
#pragma once

#include "menu.h"

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
    {FVIRTKEY | FNOINVERT, 27, CMD_EXIT},         // Escape
    {FVIRTKEY | FNOINVERT, 122, CMD_SIZE_NORMAL}, // F11
    {FVIRTKEY | FNOINVERT, 123, CMD_SIZE_DOUBLE}, // F12
    {FVIRTKEY | FNOINVERT, 120, CMD_RESET},       // F9
};

} // namespace res
