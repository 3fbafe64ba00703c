#include "soak.h"

#include "game/field.h"
#include "soak_input.h"

#include <cinttypes>
#include <cstdio>

namespace replay {

bool runSoak(std::uint64_t frames, std::uint32_t seed, const JoystickSetup& joystick,
             SoakSummary& summary, SoakFailure& failure) {
    summary = SoakSummary{};
    failure = SoakFailure{};
    if (!startSession(seed, joystick)) {
        std::snprintf(failure.violation.text, sizeof failure.violation.text,
                      "the game could not start");
        return false;
    }
    // Static: the input's key table is not rebuilt on the stack each frame.
    static SoakInput input;
    static SoakFrame frame;
    startSoakInput(input, seed, joystick.present);
    InvariantMemory memory;
    for (std::uint64_t n = 1; n <= frames; ++n) {
        nextSoakFrame(input, frame);
        if (joystick.present) {
            setJoystickPosition(frame.stick);
        }
        // The screen that runs this frame: a reset command turns it into Reset.
        const std::int32_t screen = frame.reset ? std::int32_t{game::Reset} : game::gameState;
        runFrame(frame.held, frame.reset);

        summary.frames = n;
        if (screen >= 0 && screen < SCREEN_COUNT) {
            ++summary.screenFrames[screen];
        }
        summary.games += screen == game::Setup && game::gameState == game::Play ? 1 : 0;
        summary.magicPhases += screen == game::Play && game::gameState == game::Magic ? 1 : 0;
        summary.resets += frame.reset ? 1 : 0;
        if (game::starCount > summary.maxStars) {
            summary.maxStars = game::starCount;
        }
        if (game::orbCount > summary.maxOrbs) {
            summary.maxOrbs = game::orbCount;
        }
        if (!checkInvariants(memory, failure.violation)) {
            failure.frame = n;
            return false;
        }
    }
    return true;
}

const char* screenName(int state) {
    constexpr const char* names[SCREEN_COUNT] = {"Title",    "Setup", "Play",
                                                 "GameOver", "Magic", "Reset"};
    return state >= 0 && state < SCREEN_COUNT ? names[state] : "?";
}

const char* unvisitedScreen(const SoakSummary& summary) {
    for (int s = 0; s < SCREEN_COUNT; ++s) {
        if (summary.screenFrames[s] == 0) {
            return screenName(s);
        }
    }
    return nullptr;
}

void formatSummary(const SoakSummary& s, std::uint32_t seed, char* text, std::size_t size) {
    std::snprintf(text, size,
                  "soak: %" PRIu64 " frames, seed %" PRIu32 "; frames per screen: Title %" PRIu64
                  " Setup %" PRIu64 " Play %" PRIu64 " GameOver %" PRIu64 " Magic %" PRIu64
                  " Reset %" PRIu64 "; games %" PRIu64 ", magic phases %" PRIu64 ", resets %" PRIu64
                  ", max stars %d, max orbs %d",
                  s.frames, seed, s.screenFrames[game::Title], s.screenFrames[game::Setup],
                  s.screenFrames[game::Play], s.screenFrames[game::GameOver],
                  s.screenFrames[game::Magic], s.screenFrames[game::Reset], s.games, s.magicPhases,
                  s.resets, s.maxStars, s.maxOrbs);
}

} // namespace replay
