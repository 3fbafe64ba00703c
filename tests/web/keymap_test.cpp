// The page's key rules: codes by where a key sits, a release that matches
// its press, both Shifts as one key, the keys the browser never sees.
#include "platform/keys.h"
#include "platform/modifier_sides.h"
#include "platform/web/keymap.h"
#include "shell/host_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

namespace {

using namespace webplatform;
using namespace platform;
using shelltest::Host;

// The keypad whatever Num Lock says, either Shift, the digit row by
// position; letters as the layout labels them (French: A where Q sits),
// or where they sit on a layout without Latin letters.
TEST(WebKeys, KeypadAndDigitsByPositionLettersAsLabelled) {
    const std::tuple<const char*, const char*, int> cases[] = {{"Numpad8", "ArrowUp", KEY_NUMPAD8},
                                                               {"Numpad8", "8", KEY_NUMPAD8},
                                                               {"ShiftLeft", "Shift", KEY_SHIFT},
                                                               {"ShiftRight", "Shift", KEY_SHIFT},
                                                               {"Digit1", "&", '1'},
                                                               {"KeyQ", "a", KEY_A},
                                                               {"KeyW", "W", KEY_W},
                                                               {"KeyZ", "я", KEY_Z},
                                                               {"MetaLeft", "Meta", 0},
                                                               {"KeyAB", "a", 0},
                                                               {nullptr, "a", 0}};
    for (const auto& [code, key, expected] : cases) {
        EXPECT_EQ(virtualKeyOf(code, key), expected) << (code ? code : "null") << " typing " << key;
    }
}

TEST(WebKeys, AReleaseGivesTheCodeOfItsPressSoNoKeySticks) {
    HeldKeys held{};
    // Pressed as A, repeated and released after the layout was switched.
    EXPECT_EQ(holdKey(held, "KeyQ", KEY_A), KEY_A);
    EXPECT_EQ(holdKey(held, "KeyQ", KEY_Q), KEY_A);
    EXPECT_EQ(releaseHeldKey(held, "KeyQ", KEY_Q), KEY_A);
    EXPECT_EQ(releaseHeldKey(held, "KeyQ", KEY_Q), KEY_Q); // no longer down
    // More keys down than it keeps, released in another order: each counts.
    char code[8];
    for (int i = 0; i < MAX_HELD_KEYS + 2; ++i) {
        std::snprintf(code, sizeof code, "K%d", i);
        EXPECT_EQ(holdKey(held, code, i + 1), i + 1);
    }
    EXPECT_EQ(releaseHeldKey(held, "K0", 0), 1);
    EXPECT_EQ(releaseHeldKey(held, "K31", 0), 32);
    EXPECT_EQ(releaseHeldKey(held, "K33", 99), 99);
    // A code longer than a keyboard event carries is not kept.
    EXPECT_EQ(holdKey(held, "AVeryLongCodeNameThatNoKeyboardHas", 7), 7);
    EXPECT_EQ(held.count, MAX_HELD_KEYS - 2);
}

TEST(WebKeys, EitherShiftIsOneKeyAltAndCtrlHaveTheirOwnSides) {
    platform::forgetModifierSides();
    bool repeat = false;
    EXPECT_TRUE(trackSides("ShiftLeft", true, repeat));
    EXPECT_TRUE(trackSides("AltRight", true, repeat));
    EXPECT_TRUE(trackSides("ControlLeft", true, repeat));
    EXPECT_FALSE(repeat);
    EXPECT_TRUE(trackSides("ShiftRight", true, repeat));
    EXPECT_TRUE(repeat);                                  // no new press of Shift
    EXPECT_FALSE(trackSides("ShiftLeft", false, repeat)); // the right one holds it
    EXPECT_TRUE(trackSides("ShiftRight", false, repeat));
    EXPECT_TRUE(trackSides("AltRight", false, repeat));
    EXPECT_TRUE(trackSides("KeyA", false, repeat));
}

// The page keeps the keys the game, the window and the menu read (the
// browser test presses them); the others stay the browser's (Tab moves
// focus) unless a menu is open or Alt is held (Alt+F opens the game's
// menu); Ctrl and the meta key always leave the browser its shortcuts.
TEST_F(Host, ThePageKeepsItsKeysAndLeavesTheBrowserItsShortcuts) {
    start();
    const HeldModifiers none{}, ctrl{false, true, false, false}, alt{false, false, true, false},
        meta{false, false, false, true};
    const std::tuple<int, HeldModifiers, bool, bool> cases[] = {
        {KEY_W, none, false, true},    {KEY_NUMPAD5, none, false, true},
        {9, none, false, false},       {112, none, false, false},
        {9, none, true, true},         {'F', alt, false, true},
        {KEY_F12, ctrl, false, false}, {KEY_UP, meta, false, false},
        {'R', ctrl, true, false},      {'W', meta, true, false}};
    for (const auto& [key, held, menuOpen, kept] : cases) {
        EXPECT_EQ(keepFromBrowser(key, held, menuOpen), kept) << key << " menu " << menuOpen;
    }
}

} // namespace
