#include "game/screens.h"
#include "game/values.h"
#include "input/controls.h"
#include "input/keyboard.h"
#include "support/game_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

using namespace input;
using enum platform::VirtualKey;

class KeyInput : public ::testing::Test {
  protected:
    void SetUp() override { testsupport::freshProgram(); }
    static std::uint8_t edgeAfter(int key, std::uint8_t byte) {
        KeyboardState[key & 0xFF] = byte;
        updateKeyEdge(key);
        return KeyEdgeTable[key & 0xFF];
    }
};

TEST_F(KeyInput, EdgeRuleComparesWithTheEntryAtItsPreviousUpdate) {
    EXPECT_EQ(edgeAfter(KEY_RETURN, 0x81), EDGE_PRESSED);
    EXPECT_EQ(edgeAfter(KEY_RETURN, 0x81), EDGE_HELD);
    EXPECT_EQ(edgeAfter(KEY_RETURN, 0x01), EDGE_NONE); // up, toggle bit set
    // Pressed and released between two updates: up at both, still none.
    EXPECT_EQ(edgeAfter(KEY_RETURN, 0x00), EDGE_NONE);
    EXPECT_EQ(edgeAfter(KEY_SPACE, 0x10), EDGE_PRESSED) << "any upper bit is down";
    EXPECT_EQ(edgeAfter(KEY_SHIFT, 0x0E), EDGE_NONE);
    EXPECT_EQ(edgeAfter(KEY_Q + 256, 0x80), EDGE_PRESSED);
    EXPECT_EQ(edgeAfter(KEY_Q - 256, 0x80), EDGE_HELD);
}

TEST_F(KeyInput, MenuAndPlayUpdatesTouchOnlyTheirKeysAndEntriesWaitBetween) {
    std::fill_n(KeyboardState, 256, std::uint8_t{0x81});
    updateMenuKeyEdges();
    updatePlayKeyEdges();
    for (int key = 0; key < 256; ++key) {
        std::uint8_t expected = EDGE_NONE;
        if (key == 13 || key == 32) {
            expected = EDGE_HELD; // in both lists
        } else if (key == 38 || key == 40) {
            expected = 0x81; // raw copies in play
        } else if (key == 16 || key == 37 || key == 39 || key == 101 || key == 105 || key == 81 ||
                   key == 69) {
            expected = EDGE_PRESSED; // in one list only
        }
        EXPECT_EQ(KeyEdgeTable[key], expected) << key;
    }
    // Keypad 5 held at the end of play keeps its entry through the menus,
    // so a press in the next game's first frame is taken as held.
    std::fill_n(KeyboardState, 256, std::uint8_t{0});
    updateMenuKeyEdges();
    EXPECT_EQ(KeyEdgeTable[KEY_NUMPAD5], EDGE_PRESSED);
    KeyboardState[KEY_NUMPAD5] = 0x80;
    updatePlayKeyEdges();
    EXPECT_EQ(KeyEdgeTable[KEY_NUMPAD5], EDGE_HELD);
}

TEST_F(KeyInput, AnArrowFromTheLastPlayFrameCountsAsHeldWhenTheMenusResume) {
    testsupport::Screen screen;
    // Up held through, or up in play with its toggle bit set and pressed on
    // the title: either way no cursor step. With a clear byte, a step.
    for (std::uint8_t inPlay : {0x80, 0x01, 0x00}) {
        testsupport::freshProgram();
        game::startGame();
        headless::keyboardState()[KEY_UP] = inPlay;
        screen.frame();
        game::requestReset();
        screen.frame();
        headless::keyboardState()[KEY_UP] = 0x80;
        screen.frame();
        EXPECT_EQ(game::gameState, game::Title);
        EXPECT_EQ(game::cursor, inPlay == 0 ? 1 : 0) << int{inPlay};
    }
}

TEST_F(KeyInput, EachKeyboardSchemeReadsItsLayoutIntoEverySlotOnIt) {
    const std::array<int, 6> layouts[] = {
        {38, 40, 37, 39, 13, 32}, {104, 98, 100, 102, 101, 105}, {87, 90, 65, 83, 81, 69}};
    for (int scheme = 0; scheme < 3; ++scheme) {
        const std::array<int, 6>& keys = layouts[scheme];
        // Every other key is down too, so a wrong code shows.
        std::fill_n(KeyboardState, 256, std::uint8_t{0x80});
        std::fill_n(KeyEdgeTable, 256, EDGE_HELD);
        KeyboardState[keys[0]] = 0x81;
        KeyboardState[keys[1]] = 0x01;
        KeyboardState[keys[2]] = 0x00;
        KeyEdgeTable[keys[4]] = EDGE_PRESSED;
        KeyEdgeTable[keys[5]] = EDGE_NONE;
        game::playerSlots[0].scheme = game::playerSlots[2].scheme = scheme;
        for (int slot = 0; slot < 3; ++slot) {
            readControlState(slot, game::playerSlots[slot].scheme);
        }
        for (int slot : {0, 2}) {
            const ControlState& s = controlStates[slot];
            EXPECT_EQ((std::array{s.up, s.down, s.left, s.right, s.maho, s.second}),
                      (std::array<std::uint8_t, 6>{0x81, 0x01, 0x00, 0x80, 0xF0, 0x00}))
                << "scheme " << scheme << " slot " << slot;
        }
    }
}

} // namespace
