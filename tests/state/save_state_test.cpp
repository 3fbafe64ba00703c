#include "game/field.h"
#include "game/flow.h"
#include "game/values.h"
#include "game/witch.h"
#include "gfx/backdrop.h"
#include "platform/headless/headless.h"
#include "platform/key_events.h"
#include "platform/keyboard_snapshot.h"
#include "shell/host.h"
#include "shell/window_procedure.h"
#include "state/save_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using enum platform::VirtualKey;
using Bytes = std::vector<std::uint8_t>;

// What the program adds: here a made-up frame counter of four bytes.
constexpr std::size_t PROGRAM_BYTES = 4;

std::uint64_t hashOf(const std::uint8_t* bytes, std::size_t size) {
    std::uint64_t h = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i) {
        h = (h ^ bytes[i]) * 1099511628211ull;
    }
    return h;
}

// Keys and pads as a function of the frame number: through the title and
// setup, then three players steering and casting on the keyboard and pads.
void inputFor(int frame) {
    const auto hold = [](int key, bool down) {
        if (down) {
            platform::pressKey(key, true);
        } else {
            platform::releaseKey(key);
        }
    };
    hold(KEY_RETURN, frame == 3 || frame == 9 || (frame > 40 && frame % 37 == 0));
    hold(KEY_SHIFT, frame == 6);
    hold(KEY_DOWN, frame == 5 || (frame > 40 && frame % 23 < 9));
    hold(KEY_UP, frame > 40 && frame % 31 < 7);
    hold(KEY_Q, frame > 40 && frame % 13 == 0);
    platform::PadState& pad = headless::pads()[1];
    pad.buttons = static_cast<std::uint16_t>((frame % 17 < 5 ? platform::PAD_LEFT : 0) |
                                             ((frame + 3) % 40 < 4 ? platform::PAD_SOUTH : 0));
    pad.stickY = static_cast<std::int16_t>(frame % 11 < 4 ? -30000 : 0);
}

class SaveState : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::reset();
        headless::setEchoMessages(false);
        headless::setCalendarSeconds(1234567);
        shell::resetHost();
        game::resetToProgramStart();
        ASSERT_EQ(shell::startUp(platform::programModule()), 0);
    }
    void TearDown() override {
        shell::destroyWindow();
        shell::resetHost();
        game::resetToProgramStart();
        headless::reset();
    }

    // Frames [from, to) of the scripted input; the hashes of each one's
    // picture and of the state it left.
    static std::vector<std::uint64_t> run(int from, int to) {
        std::vector<std::uint64_t> hashes;
        Bytes bytes(state::stateSize(0));
        for (int f = from; f < to; ++f) {
            inputFor(f);
            shell::frameStep();
            hashes.push_back(hashOf(reinterpret_cast<const std::uint8_t*>(headless::lastFrame()),
                                    320 * 240 * 4));
            state::saveState(bytes.data(), bytes.size(), nullptr, 0);
            hashes.push_back(hashOf(bytes.data(), bytes.size()));
        }
        return hashes;
    }

    static Bytes save(std::uint8_t program = 7) {
        Bytes bytes(state::stateSize(PROGRAM_BYTES));
        const std::uint8_t block[PROGRAM_BYTES] = {program, 0, 0, 1};
        EXPECT_TRUE(state::saveState(bytes.data(), bytes.size(), block, PROGRAM_BYTES));
        return bytes;
    }

    static bool load(const Bytes& bytes, std::uint8_t (&block)[PROGRAM_BYTES]) {
        return state::loadState(bytes.data(), bytes.size(), block, PROGRAM_BYTES);
    }
};

TEST_F(SaveState, ALoadedStateReplaysTheSameInputToTheSamePictures) {
    run(0, 200);
    ASSERT_EQ(game::gameState, game::Play);
    ASSERT_GT(game::starCount + game::orbCount, 0);
    const Bytes saved = save(42);
    const std::vector<std::uint64_t> first = run(200, 500);

    // A second program started on another second, with a game of its own.
    shell::destroyWindow();
    shell::resetHost();
    game::resetToProgramStart();
    headless::reset();
    headless::setCalendarSeconds(99);
    ASSERT_EQ(shell::startUp(platform::programModule()), 0);
    run(0, 150);

    std::uint8_t block[PROGRAM_BYTES] = {};
    ASSERT_TRUE(load(saved, block));
    EXPECT_EQ(block[0], 42);
    EXPECT_EQ(block[3], 1);
    EXPECT_EQ(run(200, 500), first);
}

TEST_F(SaveState, EveryByteIsWrittenAndTheSizeIsFixed) {
    run(0, 120);
    const std::size_t size = state::stateSize(PROGRAM_BYTES);
    Bytes a(size + 8, 0xAA);
    Bytes b(size + 8, 0x55);
    const std::uint8_t block[PROGRAM_BYTES] = {1, 2, 3, 4};
    ASSERT_TRUE(state::saveState(a.data(), a.size(), block, PROGRAM_BYTES));
    ASSERT_TRUE(state::saveState(b.data(), b.size(), block, PROGRAM_BYTES));
    EXPECT_EQ(a, b) << "no byte left as it was, the spare ones zeroed";
    EXPECT_FALSE(state::saveState(a.data(), size - 1, block, PROGRAM_BYTES));
    EXPECT_EQ(state::stateSize(PROGRAM_BYTES), size) << "the same in play as at the title";
}

TEST_F(SaveState, ABadStateIsRefusedAndChangesNothing) {
    run(0, 150);
    const Bytes good = save();
    std::uint8_t block[PROGRAM_BYTES] = {9, 9, 9, 9};

    Bytes shorter(good.begin(), good.end() - 1);
    Bytes longer = good;
    longer.push_back(0);
    Bytes otherVersion = good;
    otherVersion[4] ^= 1;
    Bytes otherMark = good;
    otherMark[0] = 'X';
    std::vector<Bytes> bad = {shorter, longer, otherVersion, otherMark};

    // States the game could not have left, made by saving broken values.
    const std::function<void()> breakages[] = {
        [] { gfx::backdropOffset = 320; },
        [] { game::gameState = 6; },
        [] { game::cursor = -1; },
        [] { game::playerSlots[2].character = 3; },
        [] { game::playerSlots[0].scheme = 4; },
        [] { game::starSpawnDivisor = 0; },
        [] {
            game::orbs[0].active = 1;
            game::orbs[0].colour = 8;
            game::orbCount = 0;
            for (const game::Orb& o : game::orbs) {
                game::orbCount += o.active;
            }
        },
        [] { game::starCount += 1; },
        [] { game::witches[1].x = std::nanf(""); },
        [] { game::stars[3].y = 1.0e30f; },
        [] { game::witches[0].friction = 2.0f; },
    };
    for (const auto& breakage : breakages) {
        ASSERT_TRUE(load(good, block));
        breakage();
        bad.push_back(save());
    }
    Bytes badFlag = good;
    // The first key event flag, right after the values before the shared
    // keyboard's 256 key bytes: found as the byte that changes with it.
    ASSERT_TRUE(load(good, block));
    platform::keyEventMemory().pressed[0] = true;
    const Bytes flagged = save();
    for (std::size_t i = 0; i < good.size(); ++i) {
        if (flagged[i] != good[i]) {
            badFlag[i] = 2;
        }
    }
    bad.push_back(badFlag);

    ASSERT_TRUE(load(good, block));
    const std::uint8_t expectedBlock = block[0];
    for (std::size_t i = 0; i < bad.size(); ++i) {
        block[0] = 99;
        EXPECT_FALSE(load(bad[i], block)) << "bad state " << i;
        EXPECT_EQ(block[0], 99) << "program block of bad state " << i;
        EXPECT_EQ(save(), good) << "values after bad state " << i;
    }
    EXPECT_EQ(expectedBlock, 7);
    EXPECT_FALSE(state::loadState(nullptr, good.size(), block, PROGRAM_BYTES));
}

} // namespace
