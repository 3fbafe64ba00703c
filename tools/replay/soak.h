// The soak: the whole game run for many frames on seeded pseudo-random
// input that visits every screen, with the state checked after each frame.
#pragma once

#include "invariants.h"
#include "session.h"

#include <cstddef>
#include <cstdint>

namespace replay {

constexpr int SCREEN_COUNT = 6; // the GameState values Title .. Reset

struct SoakSummary {
    std::uint64_t frames = 0;
    std::uint64_t screenFrames[SCREEN_COUNT] = {}; // by the screen each frame ran
    std::uint64_t games = 0;                       // setup to play
    std::uint64_t magicPhases = 0;                 // play to magic
    std::uint64_t resets = 0;                      // reset commands given
    std::int32_t maxStars = 0;
    std::int32_t maxOrbs = 0;
};

struct SoakFailure {
    std::uint64_t frame = 0;
    Violation violation;
};

// Starts a session with `seed` and runs `frames` frames from program start.
// The keys come from a generator of its own, seeded with `seed` too, and
// go through runFrame as script frames do. Returns false at the first
// frame whose state breaks an invariant; `summary` covers the frames run.
bool runSoak(std::uint64_t frames, std::uint32_t seed, const JoystickSetup& joystick,
             SoakSummary& summary, SoakFailure& failure);

// The name of a GameState value, or "?".
const char* screenName(int state);

// The first screen the run never visited, or nullptr when it saw them all.
const char* unvisitedScreen(const SoakSummary& summary);

// The one-line summary, without a newline.
void formatSummary(const SoakSummary& summary, std::uint32_t seed, char* text, std::size_t size);

} // namespace replay
