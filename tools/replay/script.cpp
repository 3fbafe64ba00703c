#include "script.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace replay {
namespace {

struct NamedKey {
    const char* name;
    int code;
};

constexpr NamedKey NAMED_KEYS[] = {
    {"enter", 13}, {"shift", 16}, {"space", 32}, {"esc", 27},  {"left", 37}, {"up", 38},
    {"right", 39}, {"down", 40},  {"f9", 120},   {"f11", 122}, {"f12", 123},
};

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The key code a token names, or 0.
int keyCode(const std::string& token) {
    for (const NamedKey& key : NAMED_KEYS) {
        if (token == key.name) {
            return key.code;
        }
    }
    if (token.size() == 1 && token[0] >= 'a' && token[0] <= 'z') {
        return 65 + (token[0] - 'a');
    }
    if (token.size() == 3 && token.compare(0, 2, "kp") == 0 && token[2] >= '0' && token[2] <= '9') {
        return 96 + (token[2] - '0');
    }
    std::uint32_t number = 0;
    if (parseUnsigned(token, number) && number >= 1 && number <= 255) {
        return static_cast<int>(number);
    }
    return 0;
}

bool parseLine(const std::string& raw, int number, std::vector<ScriptFrame>& frames,
               ScriptError& error) {
    const std::string text = lower(raw.substr(0, raw.find('#')));
    std::istringstream words(text);
    std::vector<std::string> tokens;
    for (std::string token; words >> token;) {
        tokens.push_back(token);
    }
    if (tokens.empty()) {
        return true;
    }
    ScriptFrame frame;
    frame.line = number;
    if (tokens.back().size() > 1 && tokens.back()[0] == '*') {
        if (!parseUnsigned(tokens.back().substr(1), frame.repeat) || frame.repeat < 1) {
            error = {number, "bad repeat count '" + tokens.back() + "' (want *N with N >= 1)"};
            return false;
        }
        tokens.pop_back();
        if (tokens.empty()) {
            error = {number, "a frame needs a token besides its repeat count (use '-' for no key)"};
            return false;
        }
    }
    for (const std::string& token : tokens) {
        if (token == "-") {
            continue;
        }
        if (token == "reset") {
            frame.reset = true;
            continue;
        }
        if (token.size() > 3 && token[0] == 'j' && token[2] == '=' &&
            (token[1] == 'x' || token[1] == 'y' || token[1] == 'b')) {
            std::uint32_t value = 0;
            if (!parseUnsigned(token.substr(3), value)) {
                error = {number,
                         "bad joystick value in '" + token + "' (want an unsigned 32-bit number)"};
                return false;
            }
            if (token[1] == 'x') {
                frame.setX = true;
                frame.x = value;
            } else if (token[1] == 'y') {
                frame.setY = true;
                frame.y = value;
            } else {
                frame.setButtons = true;
                frame.buttons = value;
            }
            continue;
        }
        const int code = keyCode(token);
        if (code == 0) {
            error = {number, "bad token '" + token + "'"};
            return false;
        }
        frame.held[code] = true;
    }
    frames.push_back(frame);
    return true;
}

} // namespace

bool parseUnsigned(const std::string& text, std::uint32_t& value) {
    if (text.empty() || text.size() > 10) {
        return false;
    }
    std::uint64_t total = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        total = total * 10 + static_cast<unsigned>(c - '0');
    }
    if (total > 0xFFFFFFFFull) {
        return false;
    }
    value = static_cast<std::uint32_t>(total);
    return true;
}

bool parseScript(std::istream& in, std::vector<ScriptFrame>& frames, ScriptError& error) {
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!parseLine(line, number, frames, error)) {
            return false;
        }
    }
    if (in.bad()) {
        error = {0, "cannot read the script"};
        return false;
    }
    return true;
}

} // namespace replay
