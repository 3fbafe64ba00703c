// The key table SDL and the page share: every key the program reads sits
// somewhere on it, once, and a key gives the same code whichever way the
// platform names where it sits.
#include "input/keyboard.h"
#include "platform/key_positions.h"
#include "res/accelerators.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using namespace platform;

TEST(KeyPositions, EveryKeyTheProgramReadsHasAPlaceAndNamesAreUnique) {
    for (const int key : input::GAME_KEYS) {
        bool found = false;
        for (int usage = 0; usage < 0x100 && !found; ++usage) {
            found = keyAtUsage(usage) != nullptr && keyAtUsage(usage)->key == key;
        }
        EXPECT_TRUE(found) << "no key gives " << key;
    }
    for (int i = 0; i < res::ACCELERATORS.count; ++i) {
        const int key = res::ACCELERATORS.entries[i].key;
        bool found = false;
        for (int usage = 0; usage < 0x100 && !found; ++usage) {
            found = keyAtUsage(usage) != nullptr && keyAtUsage(usage)->key == key;
        }
        EXPECT_TRUE(found) << "no key gives accelerator " << key;
    }
    for (int usage = 0; usage < 0x100; ++usage) {
        if (const KeyPosition* at = keyAtUsage(usage)) {
            EXPECT_EQ(at->usage, usage);
            EXPECT_EQ(keyAtCode(at->code), at) << at->code << " named twice";
        }
    }
}

// Where a key sits, as a USB usage (SDL) or a name (the page); what it types.
TEST(KeyPositions, ByPlaceExceptLettersWhichGoByTheirLabel) {
    const std::tuple<int, const char*, char, int> cases[] = {
        {0x60, "Numpad8", 0, KEY_NUMPAD8}, // Num Lock off or on
        {0x58, "NumpadEnter", 0, KEY_RETURN},
        {0x1E, "Digit1", 0, KEY_1},         // French: '&'
        {0x14, "KeyQ", 'a', KEY_A},         // French: A where Q sits
        {0x1A, "KeyW", 'W', KEY_W},         // with Shift
        {0x1D, "KeyZ", 0, KEY_Z},           // Cyrillic: where it sits
        {0x52, "ArrowUp", 'x', KEY_UP},     // no label moves a key that is no letter
        {0xE5, "ShiftRight", 0, KEY_SHIFT}, // either Shift
        {0xE2, "AltLeft", 0, KEY_MENU},
    };
    for (const auto& [usage, code, typed, expected] : cases) {
        EXPECT_EQ(virtualKeyOf(keyAtUsage(usage), typed), expected) << code;
        EXPECT_EQ(virtualKeyOf(keyAtCode(code), typed), expected) << code;
    }
    EXPECT_EQ(virtualKeyOf(nullptr, 'm'), KEY_M) << "a key of none of ours that types a letter";
    EXPECT_EQ(virtualKeyOf(nullptr, 0), 0);
    EXPECT_EQ(keyAtCode("MetaLeft"), nullptr);
}

} // namespace
