// The replay runner's command line.
#pragma once

#include <cstdint>
#include <string>

namespace replay {

struct Options {
    std::uint32_t seed = 1;
    bool joystick = false;
    std::uint32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    bool framesGiven = false;
    std::uint32_t frames = 0;
    std::uint32_t every = 1;
    bool fb = false;
    std::string ppm;    // empty: no picture
    std::string script; // empty or "-": standard input
    bool soak = false;  // run the soak instead of a script
    std::uint32_t soakFrames = 0;
};

// Parses argv. Returns false with a one-line `error` on bad usage.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);

} // namespace replay
