// Input scripts of the replay runner: one line a frame (or N with *N).
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace replay {

struct ScriptFrame {
    bool held[256] = {}; // virtual-key codes held in this frame
    bool reset = false;  // the reset command runs just before this frame
    bool setX = false, setY = false, setButtons = false;
    std::uint32_t x = 0, y = 0, buttons = 0; // joystick values from this frame on
    std::uint32_t repeat = 1;
    int line = 0;
};

struct ScriptError {
    int line = 0; // 0: not tied to a line
    std::string message;
};

// Reads a whole script. Returns false and fills `error` on the first bad line.
bool parseScript(std::istream& in, std::vector<ScriptFrame>& frames, ScriptError& error);

// Parses an unsigned 32-bit decimal: digits only, no sign, no overflow.
bool parseUnsigned(const std::string& text, std::uint32_t& value);

} // namespace replay
