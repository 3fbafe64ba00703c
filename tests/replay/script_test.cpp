#include "options.h"
#include "script.h"
#include "session.h"

#include "platform/headless/headless.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

using replay::ScriptError;
using replay::ScriptFrame;

std::vector<ScriptFrame> parse(const std::string& text, ScriptError* error = nullptr) {
    std::istringstream in(text);
    std::vector<ScriptFrame> frames;
    ScriptError e;
    const bool ok = replay::parseScript(in, frames, e);
    if (error != nullptr) {
        *error = e;
    }
    EXPECT_EQ(ok, error == nullptr) << e.message;
    return frames;
}

TEST(ReplayScript, TokensNameTheirKeyCodesCaseInsensitively) {
    const auto frames = parse("Enter SHIFT space esc left up right down\n"
                              "a z kp0 KP9 f9 f11 f12 1 255\n");
    ASSERT_EQ(frames.size(), 2u);
    for (int code : {13, 16, 32, 27, 37, 38, 39, 40}) {
        EXPECT_TRUE(frames[0].held[code]) << code;
    }
    for (int code : {65, 90, 96, 105, 120, 122, 123, 1, 255}) {
        EXPECT_TRUE(frames[1].held[code]) << code;
    }
    int held = 0;
    for (bool h : frames[1].held) {
        held += h;
    }
    EXPECT_EQ(held, 9);
}

TEST(ReplayScript, CommentsBlankLinesRepeatsResetAndJoystick) {
    const auto frames = parse("# heading\n\n   # only a comment\n- *3 # three empty frames\n"
                              "reset up *2\njx=4294967295 jy=0 jb=3\n");
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].repeat, 3u);
    EXPECT_EQ(frames[0].line, 4);
    EXPECT_TRUE(frames[1].reset);
    EXPECT_TRUE(frames[1].held[38]);
    EXPECT_EQ(frames[1].repeat, 2u);
    EXPECT_TRUE(frames[2].setX && frames[2].setY && frames[2].setButtons);
    EXPECT_EQ(frames[2].x, 4294967295u);
    EXPECT_EQ(frames[2].y, 0u);
    EXPECT_EQ(frames[2].buttons, 3u);
}

TEST(ReplayScript, BadLinesNameTheirLineNumber) {
    const char* bad[] = {"0",     "256",   "f10",  "up *0",         "*4", "up *x",
                         "*2 up", "jx=-1", "jq=3", "jx=4294967296", "+5", "kp10"};
    for (const char* line : bad) {
        ScriptError error;
        parse(std::string("-\n# fine\n") + line + "\n", &error);
        EXPECT_EQ(error.line, 3) << line;
        EXPECT_FALSE(error.message.empty()) << line;
    }
}

bool parseArgs(std::vector<const char*> args, replay::Options& options) {
    args.insert(args.begin(), "sorvi-replay");
    std::string error;
    return replay::parseOptions(static_cast<int>(args.size()), const_cast<char**>(args.data()),
                                options, error);
}

TEST(ReplayOptions, AcceptsTheDocumentedOptionsAndRejectsTheRest) {
    replay::Options o;
    ASSERT_TRUE(parseArgs({"--seed", "4294967295", "--joystick", "0:65535:10:20", "--frames=7",
                           "--every", "3", "--fb", "--ppm", "out.ppm", "run.script"},
                          o));
    EXPECT_EQ(o.seed, 4294967295u);
    EXPECT_TRUE(o.joystick);
    EXPECT_EQ(o.xMax, 65535u);
    EXPECT_EQ(o.yMin, 10u);
    EXPECT_EQ(o.frames, 7u);
    EXPECT_EQ(o.every, 3u);
    EXPECT_TRUE(o.fb);
    EXPECT_EQ(o.ppm, "out.ppm");
    EXPECT_EQ(o.script, "run.script");

    const std::vector<std::vector<const char*>> bad = {
        {"--seed", "4294967296"},    {"--seed"},         {"--every", "0"}, {"--joystick", "1:2:3"},
        {"--joystick", "1:2:3:4:5"}, {"--frames", "-1"}, {"--colour"},     {"a.script", "b.script"},
    };
    for (const auto& args : bad) {
        replay::Options ignored;
        EXPECT_FALSE(parseArgs(args, ignored)) << args[0];
    }
}

TEST(ReplaySession, ToggleBitFlipsOnEachPressAndHeldKeysShowBit7) {
    replay::startSession(1, replay::JoystickSetup{});
    bool held[256] = {};
    const bool none[256] = {};
    held[65] = true;
    replay::runFrame(held, false);
    EXPECT_EQ(headless::keyboardState()[65], 0x81);
    replay::runFrame(held, false); // still held: no new flip
    EXPECT_EQ(headless::keyboardState()[65], 0x81);
    replay::runFrame(none, false);
    EXPECT_EQ(headless::keyboardState()[65], 0x01);
    replay::runFrame(held, false);
    EXPECT_EQ(headless::keyboardState()[65], 0x80);
    EXPECT_EQ(headless::keyboardState()[66], 0x00);
}

TEST(ReplaySession, JoystickStartsCentredRoundingDown) {
    replay::startSession(1, replay::JoystickSetup{true, 0, 65535, 4294967290u, 4294967295u});
    const replay::JoystickReading at = replay::joystickPosition();
    EXPECT_EQ(at.x, 32767u);
    EXPECT_EQ(at.y, 4294967292u);
    EXPECT_EQ(at.buttons, 0u);
}

} // namespace
