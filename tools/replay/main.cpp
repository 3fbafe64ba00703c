// sorvi-replay: runs the game headless from a seed and a scripted keyboard
// and joystick, printing the game's whole state after each frame; or, with
// --soak, plays it on seeded random input and checks its state throughout.
#include "options.h"
#include "script.h"
#include "session.h"
#include "soak.h"
#include "trace.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// Messages quote what they were given; control bytes in it (a NUL, a
// terminal escape) are shown as \xNN so the line stays one harmless line.
int usageError(const std::string& message) {
    std::string shown;
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            shown += escaped;
        } else {
            shown += c;
        }
    }
    std::fprintf(stderr, "sorvi-replay: %s\n", shown.c_str());
    return 2;
}

// One summary line and 0, or one line naming what went wrong and 1.
int soak(const replay::Options& options) {
    replay::SoakSummary summary;
    replay::SoakFailure failure;
    const replay::JoystickSetup joystick{options.joystick, options.xMin, options.xMax, options.yMin,
                                         options.yMax};
    if (!replay::runSoak(options.soakFrames, options.seed, joystick, summary, failure)) {
        std::fprintf(stderr, "sorvi-replay: soak seed %u frame %llu: %s\n",
                     static_cast<unsigned>(options.seed),
                     static_cast<unsigned long long>(failure.frame), failure.violation.text);
        return 1;
    }
    char line[400];
    replay::formatSummary(summary, options.seed, line, sizeof line);
    std::printf("%s\n", line);
    if (const char* missed = replay::unvisitedScreen(summary)) {
        std::fprintf(stderr, "sorvi-replay: soak seed %u: screen %s never visited in %llu frames\n",
                     static_cast<unsigned>(options.seed), missed,
                     static_cast<unsigned long long>(summary.frames));
        return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Traces are compared byte for byte with every other build's: no CR
    // before each line's end.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    replay::Options options;
    std::string error;
    if (!replay::parseOptions(argc, argv, options, error)) {
        return usageError(error);
    }
    if (options.soak) {
        return soak(options);
    }

    std::vector<replay::ScriptFrame> script;
    replay::ScriptError scriptError;
    bool parsed = false;
    if (options.script.empty() || options.script == "-") {
        parsed = replay::parseScript(std::cin, script, scriptError);
    } else {
        std::ifstream file(options.script);
        if (!file) {
            return usageError("cannot read script '" + options.script + "'");
        }
        parsed = replay::parseScript(file, script, scriptError);
    }
    if (!parsed) {
        if (scriptError.line > 0) {
            return usageError("script line " + std::to_string(scriptError.line) + ": " +
                              scriptError.message);
        }
        if (!options.script.empty() && options.script != "-") {
            return usageError("cannot read script '" + options.script + "'");
        }
        return usageError(scriptError.message);
    }

    std::uint64_t scriptFrames = 0;
    for (const replay::ScriptFrame& f : script) {
        scriptFrames += f.repeat;
    }
    const std::uint64_t total = options.framesGiven ? options.frames : scriptFrames;

    if (!replay::startSession(options.seed,
                              replay::JoystickSetup{options.joystick, options.xMin, options.xMax,
                                                    options.yMin, options.yMax})) {
        std::fprintf(stderr, "sorvi-replay: the game could not start\n");
        return 1;
    }
    static const bool noKeys[256] = {};
    std::size_t line = 0;
    std::uint32_t repeatDone = 0;
    for (std::uint64_t frame = 1; frame <= total; ++frame) {
        const replay::ScriptFrame* f = line < script.size() ? &script[line] : nullptr;
        const bool firstOfLine = repeatDone == 0;
        if (f != nullptr && firstOfLine) {
            const replay::JoystickReading at = replay::joystickPosition();
            replay::setJoystickPosition({f->setX ? f->x : at.x, f->setY ? f->y : at.y,
                                         f->setButtons ? f->buttons : at.buttons});
        }
        replay::runFrame(f != nullptr ? f->held : noKeys, f != nullptr && firstOfLine && f->reset);

        if (frame % options.every == 0 || frame == total) {
            replay::writeTrace(stdout, static_cast<long>(frame),
                               options.fb ? replay::sessionFramebuffer() : nullptr);
        }
        if (f != nullptr && ++repeatDone == f->repeat) {
            ++line;
            repeatDone = 0;
        }
    }
    if (!options.ppm.empty() &&
        !replay::writePpm(options.ppm.c_str(), replay::sessionFramebuffer())) {
        std::fprintf(stderr, "sorvi-replay: cannot write '%s'\n", options.ppm.c_str());
        return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
