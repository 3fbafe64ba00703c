#include "soak.h"
#include "steer.h"

#include "game/values.h"
#include "input/controls.h"

#include <gtest/gtest.h>

namespace {

bool sameSummary(const replay::SoakSummary& a, const replay::SoakSummary& b) {
    for (int s = 0; s < replay::SCREEN_COUNT; ++s) {
        if (a.screenFrames[s] != b.screenFrames[s]) {
            return false;
        }
    }
    return a.frames == b.frames && a.games == b.games && a.magicPhases == b.magicPhases &&
           a.resets == b.resets && a.maxStars == b.maxStars && a.maxOrbs == b.maxOrbs;
}

TEST(ReplaySoak, ARunIsItsSeedsAndCountsEveryFrameOnTheScreenItRan) {
    constexpr std::uint64_t frames = 6000;
    replay::SoakSummary first, again, other;
    replay::SoakFailure failure;
    ASSERT_TRUE(replay::runSoak(frames, 4, replay::JoystickSetup{}, first, failure))
        << "frame " << failure.frame << ": " << failure.violation.text;
    ASSERT_TRUE(replay::runSoak(frames, 4, replay::JoystickSetup{}, again, failure))
        << failure.violation.text;
    ASSERT_TRUE(
        replay::runSoak(frames, 5, replay::JoystickSetup{true, 0, 65535, 0, 65535}, other, failure))
        << failure.violation.text;
    EXPECT_TRUE(sameSummary(first, again));
    EXPECT_FALSE(sameSummary(first, other));

    for (const replay::SoakSummary* s : {&first, &other}) {
        std::uint64_t total = 0;
        for (std::uint64_t n : s->screenFrames) {
            total += n;
        }
        EXPECT_EQ(s->frames, frames);
        EXPECT_EQ(total, frames);
        EXPECT_EQ(s->screenFrames[5], s->resets); // a reset frame runs the Reset screen
        EXPECT_GE(s->games, 1u);
        EXPECT_GT(s->screenFrames[2], frames / 2); // the time goes into play
        EXPECT_GT(s->maxStars, 0);
        EXPECT_LE(s->maxStars, 35);
        EXPECT_LE(s->maxOrbs, 10);
    }
}

TEST(ReplaySoak, SteeringHoldsTheSlotsOwnKeysAndNoneForTheJoystick) {
    replay::startSession(1, replay::JoystickSetup{});
    const replay::Steering all{true, true, true, true, true};
    for (std::int32_t scheme = 0; scheme < 3; ++scheme) {
        game::playerSlots[1].scheme = scheme;
        bool held[256] = {};
        replay::holdSteering(1, all, held);
        const input::KeyLayout& keys = input::KEY_LAYOUTS[scheme];
        int count = 0;
        for (bool h : held) {
            count += h ? 1 : 0;
        }
        EXPECT_EQ(count, 5) << scheme;
        EXPECT_TRUE(held[keys.up] && held[keys.down] && held[keys.left] && held[keys.right] &&
                    held[keys.maho])
            << scheme;
    }
    // The joystick scheme has no key layout to look up (the table holds three).
    for (std::int32_t scheme : {3, 4, -1}) {
        game::playerSlots[1].scheme = scheme;
        bool held[256] = {};
        replay::holdSteering(1, all, held);
        for (int k = 0; k < 256; ++k) {
            EXPECT_FALSE(held[k]) << scheme << " holds " << k;
        }
    }
}

} // namespace
