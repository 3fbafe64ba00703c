// Arbitrary bytes as a replay script and, split at white space, as the
// runner's command line. What parses must make sense and must read back
// the same when written out again; what fails must say where and why.
#include "check.h"

#include "options.h"
#include "script.h"

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

using fuzz::require;
using replay::ScriptFrame;

int lineCount(const std::string& text) {
    int lines = 0;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    if (!text.empty() && text.back() != '\n') {
        ++lines;
    }
    return lines;
}

// One line that reads back as `frame` (its line number aside).
std::string scriptLine(const ScriptFrame& frame) {
    std::string line = frame.reset ? "reset" : "-";
    for (int code = 0; code < 256; ++code) {
        if (frame.held[code]) {
            line += " " + std::to_string(code);
        }
    }
    if (frame.setX) {
        line += " jx=" + std::to_string(frame.x);
    }
    if (frame.setY) {
        line += " jY=" + std::to_string(frame.y); // case must not matter
    }
    if (frame.setButtons) {
        line += " jb=" + std::to_string(frame.buttons);
    }
    return line + " *" + std::to_string(frame.repeat) + "\n";
}

bool sameFrame(const ScriptFrame& a, const ScriptFrame& b) {
    return std::memcmp(a.held, b.held, sizeof a.held) == 0 && a.reset == b.reset &&
           a.setX == b.setX && a.setY == b.setY && a.setButtons == b.setButtons && a.x == b.x &&
           a.y == b.y && a.buttons == b.buttons && a.repeat == b.repeat;
}

void checkScript(const std::string& text) {
    std::istringstream in(text);
    std::vector<ScriptFrame> frames;
    replay::ScriptError error;
    const bool ok = replay::parseScript(in, frames, error);
    const int lines = lineCount(text);

    int previous = 0;
    for (const ScriptFrame& frame : frames) {
        require(frame.repeat >= 1, "every frame runs at least once");
        require(!frame.held[0], "held keys are codes 1..255");
        require(frame.line > previous && frame.line <= lines, "frames keep their lines in order");
        require(frame.setX || frame.x == 0, "an unset joystick x stays 0");
        require(frame.setY || frame.y == 0, "an unset joystick y stays 0");
        require(frame.setButtons || frame.buttons == 0, "unset joystick buttons stay 0");
        previous = frame.line;
    }
    if (!ok) {
        require(!error.message.empty(), "a failure says why");
        require(error.line >= 1 && error.line <= lines, "a failure names a line of the script");
        require(error.line > previous, "no frame comes from the failing line or after it");
        return;
    }

    std::string written;
    for (const ScriptFrame& frame : frames) {
        written += scriptLine(frame);
    }
    std::istringstream again(written);
    std::vector<ScriptFrame> reread;
    require(replay::parseScript(again, reread, error), "a written-out script parses");
    require(reread.size() == frames.size(), "a written-out script keeps its frame count");
    for (std::size_t i = 0; i < frames.size(); ++i) {
        require(sameFrame(frames[i], reread[i]), "a written-out script keeps every frame");
    }
}

bool parse(std::vector<std::string>& words, replay::Options& options, std::string& error) {
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    return replay::parseOptions(static_cast<int>(argv.size()) - 1, argv.data(), options, error);
}

// The command line that gives `o` again.
std::vector<std::string> commandLine(const replay::Options& o) {
    // Options at their defaults stay out: some options exclude others.
    std::vector<std::string> words = {"sorvi-replay", "--seed=" + std::to_string(o.seed)};
    if (o.every != 1) {
        words.push_back("--every=" + std::to_string(o.every));
    }
    if (o.joystick) {
        words.push_back("--joystick=" + std::to_string(o.xMin) + ":" + std::to_string(o.xMax) +
                        ":" + std::to_string(o.yMin) + ":" + std::to_string(o.yMax));
    }
    if (o.framesGiven) {
        words.push_back("--frames=" + std::to_string(o.frames));
    }
    if (o.fb) {
        words.push_back("--fb");
    }
    if (!o.ppm.empty()) {
        words.push_back("--ppm=" + o.ppm);
    }
    if (!o.script.empty()) {
        words.push_back(o.script);
    }
    return words;
}

void checkOptions(const std::string& text) {
    std::vector<std::string> words = {"sorvi-replay"};
    std::string word;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\0') {
            if (!word.empty()) {
                words.push_back(word);
                word.clear();
            }
        } else {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }

    replay::Options options;
    std::string error;
    if (!parse(words, options, error)) {
        require(!error.empty(), "bad usage says why");
        return;
    }
    require(error.empty(), "good usage reports nothing");
    require(options.every >= 1, "--every is at least 1");
    require(options.framesGiven || options.frames == 0, "no --frames leaves the count at 0");
    require(options.joystick ||
                (options.xMin == 0 && options.xMax == 0 && options.yMin == 0 && options.yMax == 0),
            "no --joystick leaves the ranges at 0");

    std::vector<std::string> again = commandLine(options);
    replay::Options reread;
    require(parse(again, reread, error), "the options written out parse");
    require(reread.seed == options.seed && reread.joystick == options.joystick &&
                reread.xMin == options.xMin && reread.xMax == options.xMax &&
                reread.yMin == options.yMin && reread.yMax == options.yMax &&
                reread.framesGiven == options.framesGiven && reread.frames == options.frames &&
                reread.every == options.every && reread.fb == options.fb &&
                reread.ppm == options.ppm && reread.script == options.script,
            "the options written out read back the same");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkScript(text);
    checkOptions(text);
    return 0;
}
