#include "platform/keys.h"
#include "platform/web/keymap.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using namespace webplatform;

TEST(WebKeys, GameKeysByWhereTheySit) {
    struct Case {
        const char* code;
        const char* key;
        int expected;
    };
    const Case cases[] = {
        {"ArrowUp", "ArrowUp", platform::KEY_UP},
        {"ArrowDown", "ArrowDown", platform::KEY_DOWN},
        {"ArrowLeft", "ArrowLeft", platform::KEY_LEFT},
        {"ArrowRight", "ArrowRight", platform::KEY_RIGHT},
        {"Enter", "Enter", platform::KEY_RETURN},
        {"NumpadEnter", "Enter", platform::KEY_RETURN},
        {"ShiftLeft", "Shift", platform::KEY_SHIFT},
        {"ShiftRight", "Shift", platform::KEY_SHIFT},
        {"AltLeft", "Alt", platform::KEY_MENU},
        {"AltRight", "AltGraph", platform::KEY_MENU},
        {"Space", " ", platform::KEY_SPACE},
        {"Escape", "Escape", platform::KEY_ESCAPE},
        {"F9", "F9", platform::KEY_F9},
        {"F10", "F10", platform::KEY_F10},
        {"F11", "F11", platform::KEY_F11},
        {"F12", "F12", platform::KEY_F12},
        {"F1", "F1", 112},
        // The keypad by position whatever Num Lock says: with it off the
        // keys type arrows, with it on digits.
        {"Numpad8", "ArrowUp", platform::KEY_NUMPAD8},
        {"Numpad8", "8", platform::KEY_NUMPAD8},
        {"Numpad2", "ArrowDown", platform::KEY_NUMPAD2},
        {"Numpad4", "ArrowLeft", platform::KEY_NUMPAD4},
        {"Numpad6", "ArrowRight", platform::KEY_NUMPAD6},
        {"Numpad5", "Clear", platform::KEY_NUMPAD5},
        {"Numpad9", "PageUp", platform::KEY_NUMPAD9},
        {"Numpad0", "Insert", 96},
        // The digit row by position, whatever it types.
        {"Digit1", "&", '1'},
        {"Digit0", "0", '0'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(virtualKeyOf(c.code, c.key), c.expected) << c.code << " typing " << c.key;
    }
}

TEST(WebKeys, LettersAsTheLayoutLabelsThemElseByPosition) {
    EXPECT_EQ(virtualKeyOf("KeyW", "w"), platform::KEY_W);
    EXPECT_EQ(virtualKeyOf("KeyW", "W"), platform::KEY_W); // with Shift
    // A French keyboard: the key where Q sits elsewhere is labelled A.
    EXPECT_EQ(virtualKeyOf("KeyQ", "a"), platform::KEY_A);
    EXPECT_EQ(virtualKeyOf("KeyA", "q"), platform::KEY_Q);
    // A layout without Latin letters, and dead keys: by position.
    EXPECT_EQ(virtualKeyOf("KeyZ", "я"), platform::KEY_Z);
    EXPECT_EQ(virtualKeyOf("KeyE", "Dead"), platform::KEY_E);
    EXPECT_EQ(virtualKeyOf("KeyS", ""), platform::KEY_S);
}

TEST(WebKeys, KeysTheGameHasNoCodeForGiveNone) {
    EXPECT_EQ(virtualKeyOf("MetaLeft", "Meta"), 0);
    EXPECT_EQ(virtualKeyOf("IntlBackslash", "<"), 0);
    EXPECT_EQ(virtualKeyOf("", "a"), 0);
    EXPECT_EQ(virtualKeyOf(nullptr, "a"), 0);
    EXPECT_EQ(virtualKeyOf("Key", "a"), 0);
    EXPECT_EQ(virtualKeyOf("KeyAB", "a"), 0);
    EXPECT_EQ(virtualKeyOf("Digit10", "1"), 0);
}

TEST(WebKeys, AReleaseGivesBackTheCodeOfItsPress) {
    HeldKeys held{};
    // Pressed typing "a" (a French layout), released after the layout was
    // switched: still A, or A would stick.
    EXPECT_EQ(holdKey(held, "KeyQ", platform::KEY_A), platform::KEY_A);
    EXPECT_EQ(releaseHeldKey(held, "KeyQ", platform::KEY_Q), platform::KEY_A);
    // Released again, or never pressed: taken as it comes.
    EXPECT_EQ(releaseHeldKey(held, "KeyQ", platform::KEY_Q), platform::KEY_Q);
    // An auto-repeat keeps the code of the first press.
    holdKey(held, "KeyE", platform::KEY_E);
    EXPECT_EQ(holdKey(held, "KeyE", platform::KEY_Q), platform::KEY_E);
    // Several down at once, released in another order.
    holdKey(held, "KeyW", platform::KEY_W);
    holdKey(held, "KeyZ", platform::KEY_Z);
    EXPECT_EQ(releaseHeldKey(held, "KeyE", 0), platform::KEY_E);
    EXPECT_EQ(releaseHeldKey(held, "KeyZ", 0), platform::KEY_Z);
    EXPECT_EQ(releaseHeldKey(held, "KeyW", 0), platform::KEY_W);
    EXPECT_EQ(held.count, 0);
}

TEST(WebKeys, MoreKeysThanItKeepsStillCount) {
    HeldKeys held{};
    char code[8];
    for (int i = 0; i < MAX_HELD_KEYS + 4; ++i) {
        std::snprintf(code, sizeof code, "K%d", i);
        EXPECT_EQ(holdKey(held, code, i + 1), i + 1);
    }
    EXPECT_EQ(held.count, MAX_HELD_KEYS);
    EXPECT_EQ(releaseHeldKey(held, "K0", 99), 1);
    EXPECT_EQ(releaseHeldKey(held, "K35", 99), 99);
    // A code longer than a keyboard event can carry is not kept.
    EXPECT_EQ(holdKey(held, "AVeryLongCodeNameThatNoKeyboardHas", 7), 7);
    EXPECT_EQ(held.count, MAX_HELD_KEYS - 1);
}

TEST(WebKeys, BothShiftsAreOneKey) {
    ModifierSides sides{};
    bool repeat = false;
    EXPECT_TRUE(trackSides(sides, "ShiftLeft", true, repeat));
    EXPECT_FALSE(repeat);
    // The second side's press is no new press of Shift.
    EXPECT_TRUE(trackSides(sides, "ShiftRight", true, repeat));
    EXPECT_TRUE(repeat);
    // Shift is down while either side is.
    EXPECT_FALSE(trackSides(sides, "ShiftLeft", false, repeat));
    EXPECT_TRUE(trackSides(sides, "ShiftRight", false, repeat));
    // Ctrl and Alt have their own sides; other keys pass.
    repeat = false;
    EXPECT_TRUE(trackSides(sides, "AltRight", true, repeat));
    EXPECT_TRUE(trackSides(sides, "ControlLeft", true, repeat));
    EXPECT_FALSE(repeat);
    EXPECT_TRUE(trackSides(sides, "AltRight", false, repeat));
    EXPECT_TRUE(trackSides(sides, "KeyA", false, repeat));
}

TEST(WebKeys, ThePageKeepsItsKeysFromTheBrowser) {
    const HeldModifiers none{};
    const HeldModifiers alt{false, false, true, false};
    const HeldModifiers control{false, true, false, false};
    const HeldModifiers meta{false, false, false, true};
    // The window keys, the menu keys and the game's keys.
    for (const int key :
         {platform::KEY_F10, platform::KEY_F11, platform::KEY_F12, platform::KEY_F9,
          platform::KEY_MENU, platform::KEY_ESCAPE, platform::KEY_UP, platform::KEY_SPACE,
          platform::KEY_RETURN, platform::KEY_SHIFT, platform::KEY_W, platform::KEY_NUMPAD5}) {
        EXPECT_TRUE(keepFromBrowser(key, none, false)) << key;
        EXPECT_FALSE(keepFromBrowser(key, control, false)) << key;
        EXPECT_FALSE(keepFromBrowser(key, meta, false)) << key;
    }
    // Keys the game does not read stay the browser's (Tab moves focus)...
    EXPECT_FALSE(keepFromBrowser(9, none, false));
    EXPECT_FALSE(keepFromBrowser(112, none, false)); // F1
    EXPECT_FALSE(keepFromBrowser(0, none, false));
    // ...unless a menu is open or Alt is held: then every key is the menu's,
    // so Alt+Left is no "back" and Alt+F opens the game's menu.
    EXPECT_TRUE(keepFromBrowser(9, none, true));
    EXPECT_TRUE(keepFromBrowser(0, none, true));
    EXPECT_TRUE(keepFromBrowser('F', alt, false));
    EXPECT_TRUE(keepFromBrowser(platform::KEY_LEFT, alt, false));
    // Ctrl or the meta key keep the browser's shortcuts, even in a menu.
    EXPECT_FALSE(keepFromBrowser('R', control, true));
    EXPECT_FALSE(keepFromBrowser('W', meta, true));
}

} // namespace
