// Accelerator table 102: keys that run a command wherever the game is.
#pragma once

#include "menu.h"
#include "platform/keys.h"

#include <cstdint>
#include <iterator>

namespace res {

constexpr int ACCELERATOR_TABLE_ID = 102;

// Entry flags: the key is a virtual-key code; the menu bar does not flash.
constexpr std::uint8_t ACCEL_VIRTKEY = 0x01;
constexpr std::uint8_t ACCEL_NOINVERT = 0x02;
// Modifiers an entry asks for; an entry matches only with exactly these held.
constexpr std::uint8_t ACCEL_SHIFT = 0x04;
constexpr std::uint8_t ACCEL_CONTROL = 0x08;
constexpr std::uint8_t ACCEL_ALT = 0x10;

struct AcceleratorEntry {
    std::uint8_t flags;
    std::uint8_t key; // virtual-key code
    std::uint16_t command;
};

struct AcceleratorResource {
    int id;
    const AcceleratorEntry* entries;
    int count;
};

inline constexpr AcceleratorEntry ACCELERATOR_ENTRIES[] = {
    {ACCEL_VIRTKEY | ACCEL_NOINVERT, platform::KEY_ESCAPE, CMD_EXIT},
    {ACCEL_VIRTKEY | ACCEL_NOINVERT, platform::KEY_F11, CMD_SIZE_NORMAL},
    {ACCEL_VIRTKEY | ACCEL_NOINVERT, platform::KEY_F12, CMD_SIZE_DOUBLE},
    {ACCEL_VIRTKEY | ACCEL_NOINVERT, platform::KEY_F9, CMD_RESET},
};

inline constexpr AcceleratorResource ACCELERATORS{ACCELERATOR_TABLE_ID, ACCELERATOR_ENTRIES,
                                                  std::size(ACCELERATOR_ENTRIES)};

} // namespace res
