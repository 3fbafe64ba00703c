// sorvi-autopilot: plays the game through the replay runner's session and
// writes the keys it pressed as an input script, so that long scripts that
// reach magic phases and game overs can be made instead of typed.
//
//   sorvi-autopilot [--seed N] [--players 1..3] [--frames N] [--reset-at N] [--again]
//
// The witches chase orbs and dodge stars; a full orb set is cast at once.
// With --again the same players start another game after each game over,
// so one script can hold several games and carry the hiscore over.
// Scripts made this way are ordinary scripts: sorvi-replay runs them alone.
#include "script.h"
#include "session.h"
#include "steer.h"

#include "game/values.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string tokenOf(int code) {
    switch (code) {
    case 13:
        return "enter";
    case 16:
        return "shift";
    case 32:
        return "space";
    case 37:
        return "left";
    case 38:
        return "up";
    case 39:
        return "right";
    case 40:
        return "down";
    default:
        break;
    }
    if (code >= 65 && code <= 90) {
        return std::string(1, static_cast<char>('a' + code - 65));
    }
    if (code >= 96 && code <= 105) {
        return "kp" + std::to_string(code - 96);
    }
    return std::to_string(code);
}

// Collects frames and prints identical neighbours as one line with *N.
struct ScriptWriter {
    std::string pending;
    unsigned count = 0;

    void add(const bool (&held)[256], bool reset, const char* comment) {
        std::string line;
        if (reset) {
            line = "reset";
        }
        for (int k = 1; k < 256; ++k) {
            if (held[k]) {
                // Two appends: GCC 12 at -O2 warns falsely on the chained form.
                if (!line.empty()) {
                    line += ' ';
                }
                line += tokenOf(k);
            }
        }
        if (line.empty()) {
            line.push_back('-');
        }
        if (comment != nullptr) {
            flush();
            std::printf("%s # %s\n", line.c_str(), comment);
            return;
        }
        if (line == pending && !reset) {
            ++count;
            return;
        }
        flush();
        pending = line;
        count = 1;
    }
    void flush() {
        if (count == 1) {
            std::printf("%s\n", pending.c_str());
        } else if (count > 1) {
            std::printf("%s *%u\n", pending.c_str(), count);
        }
        count = 0;
        pending.clear();
    }
};

bool option(int& a, int argc, char** argv, const char* name, std::uint32_t& value) {
    if (std::strcmp(argv[a], name) != 0 || a + 1 >= argc) {
        return false;
    }
    if (!replay::parseUnsigned(argv[a + 1], value)) {
        std::fprintf(stderr, "sorvi-autopilot: bad %s '%s'\n", name, argv[a + 1]);
        std::exit(2);
    }
    ++a;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::uint32_t seed = 1;
    std::uint32_t players = 1;
    std::uint32_t frames = 3000;
    std::uint32_t resetAt = 0;
    bool again = false;
    for (int a = 1; a < argc; ++a) {
        if (std::strcmp(argv[a], "--again") == 0) {
            again = true;
        } else if (!option(a, argc, argv, "--seed", seed) &&
                   !option(a, argc, argv, "--players", players) &&
                   !option(a, argc, argv, "--frames", frames) &&
                   !option(a, argc, argv, "--reset-at", resetAt)) {
            std::fprintf(
                stderr,
                "usage: sorvi-autopilot [--seed N] [--players 1..3] [--frames N] [--reset-at N] "
                "[--again]\n");
            return 2;
        }
    }
    if (players < 1 || players > 3) {
        std::fprintf(stderr, "sorvi-autopilot: --players must be 1, 2 or 3\n");
        return 2;
    }

    replay::startSession(seed, replay::JoystickSetup{});
    ScriptWriter writer;
    // Title to setup, then switch on the extra players, then start.
    std::string menu = "e-";
    for (std::uint32_t p = 1; p < players; ++p) {
        menu += "d-s-";
    }
    menu += "e-";
    std::uint32_t frame = 0;
    for (char step : menu) {
        bool held[256] = {};
        held[13] = step == 'e';
        held[40] = step == 'd';
        held[16] = step == 's';
        replay::runFrame(held, false);
        writer.add(held, false, nullptr);
        ++frame;
    }
    for (; frame < frames; ++frame) {
        bool held[256] = {};
        const bool reset = resetAt != 0 && frame == resetAt;
        if (game::gameState == game::Play || game::gameState == game::Magic) {
            for (int i = 0; i < game::PLAYER_COUNT; ++i) {
                if (game::playerSlots[i].active != 0) {
                    replay::holdSteering(i, replay::steerWitch(i), held);
                }
            }
        } else if (game::gameState == game::GameOver) {
            held[13] = frame % 40 == 0;
        } else if (again && (game::gameState == game::Title || game::gameState == game::Setup)) {
            // The setup keeps the last game's players: Enter twice starts the next.
            held[13] = frame % 40 == 0;
        }
        replay::runFrame(held, reset);
        writer.add(held, reset, reset ? "reset" : nullptr);
    }
    writer.flush();
    return 0;
}
