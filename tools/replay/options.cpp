#include "options.h"

#include "script.h"

namespace replay {
namespace {

bool parseRanges(const std::string& text, Options& o) {
    std::uint32_t values[4];
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t colon = text.find(':', start);
        const bool last = i == 3;
        if (last != (colon == std::string::npos)) {
            return false;
        }
        const std::string part = text.substr(start, last ? std::string::npos : colon - start);
        if (!parseUnsigned(part, values[i])) {
            return false;
        }
        start = colon + 1;
    }
    o.xMin = values[0];
    o.xMax = values[1];
    o.yMin = values[2];
    o.yMax = values[3];
    return true;
}

} // namespace

bool parseOptions(int argc, char** argv, Options& o, std::string& error) {
    bool scriptGiven = false;
    bool everyGiven = false;
    for (int a = 1; a < argc; ++a) {
        std::string arg = argv[a];
        if (arg == "--fb") {
            o.fb = true;
            continue;
        }
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (scriptGiven) {
                error = "more than one script given ('" + arg + "')";
                return false;
            }
            o.script = arg;
            scriptGiven = true;
            continue;
        }
        std::string value;
        const std::size_t equals = arg.find('=');
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg.erase(equals);
        } else if (arg == "--seed" || arg == "--joystick" || arg == "--frames" ||
                   arg == "--every" || arg == "--ppm" || arg == "--soak") {
            if (a + 1 >= argc) {
                error = "option " + arg + " needs a value";
                return false;
            }
            value = argv[++a];
        }
        if (arg == "--seed") {
            if (!parseUnsigned(value, o.seed)) {
                error = "bad --seed '" + value + "' (want an unsigned 32-bit number)";
                return false;
            }
        } else if (arg == "--joystick") {
            if (!parseRanges(value, o)) {
                error =
                    "bad --joystick '" + value + "' (want XMIN:XMAX:YMIN:YMAX, unsigned numbers)";
                return false;
            }
            o.joystick = true;
        } else if (arg == "--frames") {
            if (!parseUnsigned(value, o.frames)) {
                error = "bad --frames '" + value + "' (want an unsigned number)";
                return false;
            }
            o.framesGiven = true;
        } else if (arg == "--every") {
            if (!parseUnsigned(value, o.every) || o.every < 1) {
                error = "bad --every '" + value + "' (want a number >= 1)";
                return false;
            }
            everyGiven = true;
        } else if (arg == "--ppm") {
            if (value.empty()) {
                error = "option --ppm needs a file name";
                return false;
            }
            o.ppm = value;
        } else if (arg == "--soak") {
            if (!parseUnsigned(value, o.soakFrames) || o.soakFrames < 1) {
                error = "bad --soak '" + value + "' (want a number of frames >= 1)";
                return false;
            }
            o.soak = true;
        } else {
            error = "unknown option '" + std::string(argv[a]) + "'";
            return false;
        }
    }
    if (o.soak && (scriptGiven || o.framesGiven || everyGiven || o.fb || !o.ppm.empty())) {
        error = "--soak makes its own input and prints a summary: no script, --frames, --every, "
                "--fb or --ppm with it";
        return false;
    }
    return true;
}

} // namespace replay
