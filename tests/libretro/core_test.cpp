#include "frontend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace {

using namespace retrotest;
using retro::PAD_DOWN;
using retro::PAD_SELECT;
using retro::PAD_START;
using retro::PAD_UP;

constexpr std::uint16_t bit(unsigned id) {
    return static_cast<std::uint16_t>(1u << id);
}

class Core : public ::testing::Test {
  protected:
    Frontend core{SORVI_CORE};

    void SetUp() override { ASSERT_TRUE(core.loaded()) << core.missing; }
    void TearDown() override {
        if (started) {
            core.stop();
        }
    }
    void start() {
        ASSERT_TRUE(core.start());
        started = true;
    }
    // One frame with `buttons` on `port`, one with nothing.
    void tap(unsigned port, std::uint16_t buttons) {
        core.pads[port] = buttons;
        core.run();
        core.pads[port] = 0;
        core.run();
    }
    Screen screen() const { return screenOf(core.picture); }
    // A pixel of player 1's portrait on the setup screen: it changes when
    // she is switched off (drawn translucent).
    std::uint32_t portrait() const { return core.picture[90 * 320 + 86]; }

    bool started = false;
};

TEST_F(Core, DescribesItselfAndTellsTheFrontendWhatItNeeds) {
    EXPECT_EQ(core.api_version(), 1u);
    retro::SystemInfo info{};
    core.get_system_info(&info);
    EXPECT_STREQ(info.libraryName, "Sorvi Kadra99");
    EXPECT_STREQ(info.libraryVersion, SORVI_VERSION);
    EXPECT_STREQ(info.validExtensions, "");
    EXPECT_FALSE(info.needFullpath);
    EXPECT_EQ(core.get_region(), 0u);
    EXPECT_EQ(core.get_memory_data(0), nullptr);
    EXPECT_EQ(core.get_memory_size(2), 0u);
    EXPECT_FALSE(core.load_game_special(1, nullptr, 0));

    // A frontend that cannot take its pixels gets no game.
    core.refusePixelFormat = true;
    EXPECT_FALSE(core.start());
    core.stop();
    core.refusePixelFormat = false;

    start();
    EXPECT_TRUE(core.supportsNoGame);
    EXPECT_EQ(core.pixelFormat, retro::PIXEL_XRGB8888);
    EXPECT_EQ(core.quirks, 0u);
    ASSERT_EQ(core.controllers.size(), 3u);
    for (const retro::ControllerInfo& port : core.controllers) {
        ASSERT_EQ(port.count, 1u);
        EXPECT_EQ(port.types[0].id, retro::DEVICE_JOYPAD);
    }
    // Each player's buttons named by what they do.
    for (unsigned port = 0; port < 3; ++port) {
        std::map<unsigned, std::string> names;
        for (std::size_t i = 0; i < core.descriptors.size(); ++i) {
            const retro::InputDescriptor& d = core.descriptors[i];
            if (d.port == port && d.device == retro::DEVICE_JOYPAD) {
                names[d.id] = core.descriptorNames[i];
            }
        }
        EXPECT_EQ(names[retro::PAD_B], "Maho") << port;
        EXPECT_EQ(names[retro::PAD_A], "Maho") << port;
        for (unsigned id : {PAD_UP, PAD_DOWN, retro::PAD_LEFT, retro::PAD_RIGHT, PAD_START,
                            PAD_SELECT, retro::PAD_Y}) {
            EXPECT_FALSE(names[id].empty()) << "port " << port << " button " << id;
        }
    }

    retro::SystemAvInfo av{};
    core.get_system_av_info(&av);
    EXPECT_EQ(av.geometry.baseWidth, 320u);
    EXPECT_EQ(av.geometry.baseHeight, 240u);
    EXPECT_EQ(av.geometry.maxWidth, 320u);
    EXPECT_FLOAT_EQ(av.geometry.aspectRatio, 4.0f / 3.0f);
    EXPECT_DOUBLE_EQ(av.timing.fps, 1000.0 / 30.0);
    EXPECT_DOUBLE_EQ(av.timing.sampleRate, 44100.0);
}

TEST_F(Core, EachRunShowsOneUprightFrameAndAFramesWorthOfSilence) {
    start();
    std::uint64_t last = 0;
    for (int i = 0; i < 5; ++i) {
        core.run();
        EXPECT_EQ(core.videoCalls, i + 1);
        EXPECT_EQ(core.width, 320u);
        EXPECT_EQ(core.height, 240u);
        EXPECT_EQ(core.pitch, 1280u);
        EXPECT_EQ(core.audioFrames, 1323u);
        EXPECT_FALSE(core.readBeforePoll);
        EXPECT_NE(core.pictureHash(), last) << "the sky scrolls on every frame";
        last = core.pictureHash();
    }
    // Top row first: the title's name lies 80 lines from the top.
    EXPECT_EQ(screen(), Screen::Title);
    EXPECT_FALSE(rowsHold(core.picture, 143, 160, PEACH));

    // The frontend's reset is the game's: a blank frame, then the title.
    tap(1, bit(PAD_START));
    ASSERT_EQ(screen(), Screen::Setup);
    core.reset();
    core.run();
    EXPECT_TRUE(std::all_of(core.picture.begin(), core.picture.end(),
                            [](std::uint32_t p) { return p == 0; }));
    core.run();
    EXPECT_EQ(screen(), Screen::Title);
}

TEST_F(Core, PadsOnTheFirstThreePortsAndTheKeyboardWorkTheGame) {
    // A frontend without bitmasks: the buttons are read one by one.
    core.answerBitmasks = false;
    start();
    core.run();
    tap(3, bit(PAD_START)); // a fourth pad is no player's
    EXPECT_EQ(screen(), Screen::Title);
    core.set_controller_port_device(1, retro::DEVICE_NONE);
    tap(1, bit(PAD_START));
    EXPECT_EQ(screen(), Screen::Title) << "no device on the port";
    core.set_controller_port_device(1, retro::DEVICE_JOYPAD);
    core.keys[retro::KEY_RETURN] = true;
    core.run();
    core.keys[retro::KEY_RETURN] = false;
    core.run();
    ASSERT_EQ(screen(), Screen::Setup);

    // Player 3 switched on from her own pad.
    tap(2, bit(PAD_DOWN));
    tap(2, bit(PAD_DOWN));
    tap(2, bit(PAD_SELECT));
    tap(2, bit(PAD_START));
    ASSERT_EQ(screen(), Screen::Play);

    // Each pad steers its own witch: from one state, pad 3's stick, pad 1's
    // D-pad and a fourth pad give what they should.
    const std::vector<std::uint8_t> at = core.serialize();
    const auto after = [&](unsigned port, std::uint16_t buttons, std::int16_t stickY) {
        EXPECT_TRUE(core.unserialize(at));
        core.pads[port] = buttons;
        core.sticks[port][1] = stickY;
        core.run(20);
        core.pads[port] = 0;
        core.sticks[port][1] = 0;
        return core.pictureHash();
    };
    const std::uint64_t still = after(0, 0, 0);
    const std::uint64_t third = after(2, 0, -32768);
    const std::uint64_t first = after(0, bit(PAD_UP), 0);
    EXPECT_NE(third, still);
    EXPECT_NE(first, still);
    EXPECT_NE(first, third);
    EXPECT_EQ(after(3, bit(PAD_UP), -32768), still);
    EXPECT_EQ(after(2, 0, -32768), third) << "the same input, the same frames";
}

// Frame-numbered input for the save state checks: the menus, then three
// players on their pads and the first on the keyboard too.
void scripted(Frontend& f, int frame) {
    f.pads[0] = frame == 3 || frame == 11 ? bit(PAD_START) : 0;
    f.pads[1] = frame == 5 ? bit(PAD_DOWN) : frame == 7 ? bit(PAD_SELECT) : 0;
    f.sticks[0][0] = 0;
    f.keys[retro::KEY_DOWN] = false;
    if (frame > 12) {
        f.pads[1] = static_cast<std::uint16_t>((frame % 23 < 8 ? bit(PAD_UP) : 0) |
                                               (frame % 50 == 0 ? bit(retro::PAD_B) : 0));
        f.sticks[0][0] = static_cast<std::int16_t>(frame % 31 < 12 ? -30000 : 20000);
        f.keys[retro::KEY_DOWN] = frame % 17 < 6;
    }
}

std::vector<std::uint64_t> play(Frontend& f, int from, int to) {
    std::vector<std::uint64_t> hashes;
    for (int frame = from; frame < to; ++frame) {
        scripted(f, frame);
        f.run();
        hashes.push_back(f.pictureHash());
    }
    return hashes;
}

TEST_F(Core, AStateReplaysToTheSamePicturesInThisCoreAndAnother) {
    start();
    play(core, 0, 100);
    ASSERT_EQ(screen(), Screen::Play);
    const std::vector<std::uint8_t> saved = core.serialize();
    ASSERT_FALSE(saved.empty());
    const std::vector<std::uint64_t> first = play(core, 100, 400);
    EXPECT_EQ(core.serialize_size(), saved.size()) << "one size all along";

    ASSERT_TRUE(core.unserialize(saved));
    EXPECT_EQ(play(core, 100, 400), first);

    // A second copy of the core, started at another moment (another seed),
    // takes the state and goes the same way: a netplay client, a run-ahead
    // instance.
    const std::filesystem::path copy = std::filesystem::temp_directory_path() /
                                       ("sorvi_core_copy_" + std::to_string(getpid()) + ".so");
    std::filesystem::copy_file(SORVI_CORE, copy, std::filesystem::copy_options::overwrite_existing);
    {
        Frontend other(copy.string());
        ASSERT_TRUE(other.loaded()) << other.missing;
        ASSERT_TRUE(other.start());
        play(other, 0, 30);
        ASSERT_TRUE(other.unserialize(saved));
        EXPECT_EQ(play(other, 100, 400), first);
        other.stop();
    }
    std::filesystem::remove(copy);
}

TEST_F(Core, ABadStateIsRefusedAndTheGameGoesOnAsIfNoneCame) {
    start();
    play(core, 0, 60);
    const std::vector<std::uint8_t> good = core.serialize();
    std::vector<std::uint8_t> shorter(good.begin(), good.end() - 1);
    std::vector<std::uint8_t> longer = good;
    longer.push_back(0);
    std::vector<std::uint8_t> otherVersion = good;
    otherVersion[4] = static_cast<std::uint8_t>(otherVersion[4] + 1);
    for (const auto* bad : {&shorter, &longer, &otherVersion}) {
        EXPECT_FALSE(core.unserialize(*bad));
    }
    EXPECT_EQ(core.serialize(), good);
    std::vector<std::uint8_t> small(good.size() - 1);
    EXPECT_FALSE(core.serialize_(small.data(), small.size()));
}

TEST_F(Core, NoKeyOrButtonStaysHeldAcrossALoadAResetOrAPortChange) {
    start();
    core.run();
    tap(0, bit(PAD_START));
    ASSERT_EQ(screen(), Screen::Setup);
    const std::uint32_t on = portrait();

    // Held as the state was saved, up as it is loaded: the next press is
    // a new one.
    core.pads[0] = bit(PAD_SELECT);
    core.keys[retro::KEY_LSHIFT] = true;
    core.run();
    const std::vector<std::uint8_t> held = core.serialize();
    core.pads[0] = 0;
    core.keys[retro::KEY_LSHIFT] = false;
    core.run(3);
    ASSERT_TRUE(core.unserialize(held));
    core.run();
    ASSERT_NE(portrait(), on) << "switched off, once";
    core.keys[retro::KEY_LSHIFT] = true;
    core.run();
    core.keys[retro::KEY_LSHIFT] = false;
    core.run();
    EXPECT_EQ(portrait(), on) << "the press after the load counts";

    // A pad's port taken away while a button is held: back, it is a new press.
    // (A change shows from the frame after the press.)
    core.pads[0] = bit(PAD_SELECT);
    core.run(2);
    ASSERT_NE(portrait(), on);
    core.set_controller_port_device(0, retro::DEVICE_NONE);
    core.run();
    core.set_controller_port_device(0, retro::DEVICE_JOYPAD);
    core.run(2);
    EXPECT_EQ(portrait(), on);
    core.pads[0] = 0;

    // Start held through a reset is still held on the title, not pressed
    // again; let go and pressed, it leaves the title.
    core.run();
    core.reset();
    core.run();
    core.pads[2] = bit(PAD_START);
    core.run(2);
    ASSERT_EQ(screen(), Screen::Setup);
    core.reset();
    core.run(3);
    EXPECT_EQ(screen(), Screen::Title);
    core.pads[2] = 0;
    core.run();
    tap(2, bit(PAD_START));
    EXPECT_EQ(screen(), Screen::Setup);
}

TEST_F(Core, ClosedAndStartedAgainInOneProcessItBeginsAfresh) {
    start();
    const std::vector<std::uint64_t> first = play(core, 0, 40);
    core.stop();
    started = false;
    start();
    EXPECT_EQ(play(core, 0, 40), first) << "the menus draw nothing random";
}

} // namespace
