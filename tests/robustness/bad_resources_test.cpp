// A picture missing from the program, or one that cannot be read, costs
// one message box each at start-up and nothing else: the game starts,
// plays and casts magic with a black fallback picture in its place.
#include "game/flow.h"
#include "game/values.h"
#include "game/witch.h"
#include "gfx/images.h"
#include "shell/host_fixture.h"

#include <cstring>
#include <vector>

namespace {

using platform::ResourceEntry;
using platform::ResourceKind;
using shelltest::Host;

constexpr const char* CAPTION = "Sorvi Kadra99 "; // the trailing blank is the loader's
// Title and setup (4), play (200), the cast (2) and magic (100).
constexpr int GAME_FRAMES = 306;

ResourceEntry programEntry(int id, ResourceKind kind) {
    const platform::Module& module = platform::programModule();
    platform::ResourceBytes bytes{};
    EXPECT_EQ(platform::loadResource(module, platform::findResource(module, id, kind), bytes), 1)
        << id;
    return ResourceEntry{id, kind, bytes.data, bytes.size};
}

// What becomes of one of the two pictures in a module of our own.
enum class Picture { Intact, Missing, Unloadable, Truncated, SlantedRows, NoRows };

struct BadModule {
    std::vector<ResourceEntry> entries;
    std::vector<std::uint8_t> copies[2]; // patched bytes, one per picture

    void add(int id, Picture picture, int slot) {
        const ResourceEntry real = programEntry(id, ResourceKind::Bitmap);
        std::vector<std::uint8_t>& bytes = copies[slot];
        bytes.assign(real.bytes, real.bytes + real.size);
        switch (picture) {
        case Picture::Intact:
            break;
        case Picture::Missing:
            return;
        case Picture::Unloadable:
            entries.push_back(ResourceEntry{id, ResourceKind::Bitmap, nullptr, 0});
            return;
        case Picture::Truncated: // the last row's last byte is gone
            bytes.pop_back();
            break;
        case Picture::SlantedRows: // a width the unpadded rows cannot have
            bytes[4] = static_cast<std::uint8_t>(bytes[4] - 2);
            break;
        case Picture::NoRows:
            std::memset(bytes.data() + 8, 0, 4);
            break;
        }
        bytes.shrink_to_fit(); // ASan sees any read past the end
        entries.push_back(ResourceEntry{id, ResourceKind::Bitmap, bytes.data(), bytes.size()});
    }

    platform::Module module(Picture backdrop, Picture sheet) {
        entries.push_back(programEntry(shell::ICON_ID, ResourceKind::Icon));
        add(gfx::BACKDROP_ID, backdrop, 0);
        add(gfx::SPRITE_SHEET_ID, sheet, 1);
        return platform::Module{entries.data(), entries.size()};
    }
};

class BadResources : public Host {
  protected:
    void SetUp() override {
        Host::SetUp();
        game::resetToProgramStart();
    }

    // One frame with `keys` held; false when no frame ran.
    bool frame(std::initializer_list<int> keys = {}) {
        std::uint8_t(&state)[platform::KEY_COUNT] = headless::keyboardState();
        std::memset(state, 0, sizeof state);
        for (const int key : keys) {
            state[key] = 0x80;
        }
        const int before = presents();
        for (int i = 0; i < 8 && presents() == before; ++i) {
            if (step() == 0) {
                return false;
            }
        }
        return presents() == before + 1;
    }

    // Title, setup, then play for a while and one magic phase. Returns the
    // frames run; stops at the first frame that does not run.
    int playAGame() {
        int frames = 0;
        const std::initializer_list<int> path[] = {
            {platform::KEY_RETURN}, {}, {platform::KEY_RETURN}, {}};
        for (const auto& keys : path) {
            frames += frame(keys) ? 1 : 0;
        }
        EXPECT_EQ(game::gameState, game::Play);
        const int arrows[] = {platform::KEY_UP, platform::KEY_RIGHT, platform::KEY_DOWN,
                              platform::KEY_LEFT};
        for (int i = 0; i < 200; ++i) {
            frames += frame({arrows[i / 20 % 4]}) ? 1 : 0;
        }
        // A full set, cast with the maho key (Enter on the first layout).
        for (std::int32_t& count : game::witches[0].orbCounts) {
            count = 1;
        }
        frames += frame() ? 1 : 0;
        frames += frame({platform::KEY_RETURN}) ? 1 : 0;
        EXPECT_EQ(game::gameState, game::Magic);
        for (int i = 0; i < 100; ++i) {
            frames += frame({arrows[i / 25 % 4]}) ? 1 : 0;
        }
        return frames;
    }

    static int litPixels() {
        int lit = 0;
        const std::uint32_t* pixels = headless::lastFrame();
        for (int i = 0; i < 320 * 240; ++i) {
            lit += pixels[i] != 0 ? 1 : 0;
        }
        return lit;
    }

    void expectMessages(std::initializer_list<const char*> texts) {
        ASSERT_EQ(headless::messageCount(), static_cast<int>(texts.size()));
        int i = 0;
        for (const char* text : texts) {
            EXPECT_STREQ(headless::message(i).text, text) << "message " << i;
            EXPECT_STREQ(headless::message(i).caption, CAPTION) << "message " << i;
            ++i;
        }
    }

    BadModule bad;
};

struct BrokenSheet {
    const char* what;
    Picture sheet;
};

void PrintTo(const BrokenSheet& sheet, std::ostream* out) {
    *out << sheet.what;
}

class MissingBackdrop : public BadResources, public ::testing::WithParamInterface<BrokenSheet> {};

TEST_P(MissingBackdrop, AndABrokenSheetEachSayWhyOnceAndTheGamePlaysOn) {
    ASSERT_EQ(shell::startUp(bad.module(Picture::Missing, GetParam().sheet)), 0);
    // Backdrop first, then the sheet, both before the first frame.
    expectMessages({"FindResource Error", "LoadResource Error"});
    EXPECT_EQ(presents(), 0);
    EXPECT_EQ(gfx::Backdrop.width, 64);
    EXPECT_EQ(gfx::SpriteSheet.width, 64);

    EXPECT_EQ(playAGame(), GAME_FRAMES);
    EXPECT_TRUE(shell::windowAlive());
    EXPECT_EQ(headless::messageCount(), 2); // nothing more while playing
    // Black sky and no sprites: only the score line and the lives count
    // are drawn.
    const int lit = litPixels();
    EXPECT_GT(lit, 0);
    EXPECT_LT(lit, 320 * 240 / 20);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, MissingBackdrop,
    ::testing::Values(BrokenSheet{"OneByteShort", Picture::Truncated},
                      BrokenSheet{"RowsThatCannotBeUnpadded", Picture::SlantedRows},
                      BrokenSheet{"NoRows", Picture::NoRows},
                      BrokenSheet{"CannotBeLoaded", Picture::Unloadable}),
    [](const ::testing::TestParamInfo<BrokenSheet>& info) { return info.param.what; });

TEST_F(BadResources, BrokenBackdropAndMissingSheetComeInTheSameOrder) {
    ASSERT_EQ(shell::startUp(bad.module(Picture::SlantedRows, Picture::Missing)), 0);
    expectMessages({"LoadResource Error", "FindResource Error"});
    EXPECT_EQ(playAGame(), GAME_FRAMES);
    EXPECT_EQ(headless::messageCount(), 2);
}

TEST_F(BadResources, OnlyTheBrokenPictureIsReplaced) {
    ASSERT_EQ(shell::startUp(bad.module(Picture::Intact, Picture::Truncated)), 0);
    expectMessages({"LoadResource Error"});
    EXPECT_EQ(gfx::Backdrop.width, 320);
    EXPECT_EQ(gfx::SpriteSheet.width, 64);
    EXPECT_EQ(playAGame(), GAME_FRAMES);
    // The sky is there: most of the picture is lit.
    EXPECT_GT(litPixels(), 320 * 240 / 2);
}

TEST_F(BadResources, IntactPicturesShowNoMessage) {
    ASSERT_EQ(shell::startUp(bad.module(Picture::Intact, Picture::Intact)), 0);
    EXPECT_EQ(headless::messageCount(), 0);
    EXPECT_EQ(playAGame(), GAME_FRAMES);
}

} // namespace
