#include "options.h"
#include "soak.h"
#include "steer.h"

#include "game/values.h"
#include "input/controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool parseArgs(std::vector<const char*> args, replay::Options& options, std::string& error) {
    args.insert(args.begin(), "sorvi-replay");
    return replay::parseOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()),
                                options, error);
}

TEST(ReplaySoak, OptionTakesAFrameCountAndNoScriptOrTraceOptions) {
    replay::Options o;
    std::string error;
    ASSERT_TRUE(
        parseArgs({"--soak", "1000000", "--seed", "7", "--joystick", "0:65535:0:65535"}, o, error))
        << error;
    EXPECT_TRUE(o.soak);
    EXPECT_EQ(o.soakFrames, 1000000u);
    EXPECT_EQ(o.seed, 7u);
    EXPECT_TRUE(o.joystick);

    const std::vector<std::vector<const char*>> bad = {
        {"--soak"},
        {"--soak", "0"},
        {"--soak", "-5"},
        {"--soak", "x"},
        {"--soak", "9", "a.script"},
        {"--soak", "9", "--frames", "3"},
        {"--soak=9", "--fb"},
        {"--soak", "9", "--every", "1"},
        {"--soak", "9", "--ppm", "o.ppm"},
    };
    for (const auto& args : bad) {
        replay::Options ignored;
        error.clear();
        EXPECT_FALSE(parseArgs(args, ignored, error)) << args.back();
        EXPECT_FALSE(error.empty()) << args.back();
    }
}

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

TEST(ReplaySoak, SummaryNamesTheScreensAndTheFirstOneMissed) {
    replay::SoakSummary s;
    s.frames = 60;
    const std::uint64_t counts[] = {10, 20, 30, 0, 0, 0};
    for (int i = 0; i < replay::SCREEN_COUNT; ++i) {
        s.screenFrames[i] = counts[i];
    }
    s.games = 2;
    s.maxStars = 35;
    ASSERT_NE(replay::unvisitedScreen(s), nullptr);
    EXPECT_STREQ(replay::unvisitedScreen(s), "GameOver");
    s.screenFrames[3] = 1;
    s.screenFrames[4] = 1;
    EXPECT_STREQ(replay::unvisitedScreen(s), "Reset");
    s.screenFrames[5] = 1;
    EXPECT_EQ(replay::unvisitedScreen(s), nullptr);
    s.screenFrames[0] = 0;
    EXPECT_STREQ(replay::unvisitedScreen(s), "Title");

    char line[400];
    replay::formatSummary(s, 9, line, sizeof line);
    EXPECT_STREQ(line, "soak: 60 frames, seed 9; frames per screen: Title 0 Setup 20 Play 30 "
                       "GameOver 1 Magic 1 Reset 1; games 2, magic phases 0, resets 0, max stars "
                       "35, max orbs 0");
    EXPECT_STREQ(replay::screenName(4), "Magic");
    EXPECT_STREQ(replay::screenName(6), "?");
}

} // namespace
