// Frames never touch the heap: the host on the headless platform starts
// up, then runs 10,000 frames of play and magic with three witches chasing
// orbs, and not one allocation or release may happen from the first frame
// to the last.
#include "allocation_counter.h"

#include "game/field.h"
#include "game/values.h"
#include "game/witch.h"
#include "input/controls.h"
#include "res/menu.h"
#include "shell/host_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

using shelltest::Host;

constexpr int PLAY_AND_MAGIC_FRAMES = 10000;
constexpr int FRAME_BUDGET = 40000; // menus and game overs in between
// Play frames without a cast before witch 0 is handed a full orb set.
constexpr int FRAMES_BEFORE_A_GIFT = 1500;

struct Tally {
    int play = 0;
    int magic = 0;
    int menus = 0;
    int casts = 0;       // Play frames that ended in Magic
    int earnedCasts = 0; // ... with a set the witches collected themselves
    int gifts = 0;       // full sets handed over
    int pickups = 0;     // orbs collected
    int gameStarts = 0;
    int mostFlying = 0; // most witches in the air at once
    int commands = 0;   // menu commands run between frames
};

// Holds `key` in the snapshot the next frame takes.
void hold(std::uint8_t (&keys)[platform::KEY_COUNT], int key) {
    keys[key] = static_cast<std::uint8_t>(keys[key] | 0x80);
}

int orbsHeld(const game::Witch& w) {
    int total = 0;
    for (const std::int32_t count : w.orbCounts) {
        total += count;
    }
    return total;
}

bool fullSet(const game::Witch& w) {
    for (const std::int32_t count : w.orbCounts) {
        if (count <= 0) {
            return false;
        }
    }
    return true;
}

// Steers witch i's keys towards the nearest orb; casts a full set on
// alternate frames so the maho key makes a fresh edge each time.
void steer(std::uint8_t (&keys)[platform::KEY_COUNT], int i, int frame) {
    const game::Witch& w = game::witches[i];
    const input::KeyLayout& layout = input::KEY_LAYOUTS[game::playerSlots[i].scheme];
    const float wx = w.x + 16.0f;
    const float wy = w.y + 16.0f;
    float best = 1e9f;
    const game::Orb* target = nullptr;
    for (const game::Orb& orb : game::orbs) {
        if (orb.active == 0) {
            continue;
        }
        const float dx = orb.x + 4.0f - wx;
        const float dy = orb.y + 4.0f - wy;
        // A colour she lacks counts as much nearer: sets fill sooner.
        const float distance = dx * dx + dy * dy - (w.orbCounts[orb.colour] == 0 ? 40000.0f : 0.0f);
        if (distance < best) {
            best = distance;
            target = &orb;
        }
    }
    if (target != nullptr) {
        // Aim a little ahead: orbs drift right.
        const float dx = target->x + 4.0f + 8.0f * target->speed - wx;
        const float dy = target->y + 4.0f - wy;
        if (dx > 3.0f) {
            hold(keys, layout.right);
        } else if (dx < -3.0f) {
            hold(keys, layout.left);
        }
        if (dy > 3.0f) {
            hold(keys, layout.up);
        } else if (dy < -3.0f) {
            hold(keys, layout.down);
        }
    }
    if (fullSet(w) && frame % 2 == 0) {
        hold(keys, layout.maho);
    }
}

// Enter on alternate frames walks game over -> title -> setup -> play.
void pressThroughMenus(std::uint8_t (&keys)[platform::KEY_COUNT], int frame) {
    if (frame % 2 == 0) {
        hold(keys, platform::KEY_RETURN);
    }
}

// Passes a block through a volatile store so the compiler cannot drop the
// allocation and its release as a pair.
void* volatile sink = nullptr;
template <typename T> T* keep(T* block) {
    sink = block;
    return block;
}

struct Wide {
    alignas(64) char bytes[64];
};

TEST(AllocationCounter, SeesEveryKindOfAllocation) {
    ASSERT_TRUE(alloccount::counting()) << alloccount::method();
    struct Case {
        const char* what;
        void (*run)();
    };
    const Case cases[] = {
        {"new", [] { delete keep(new int(3)); }},
        {"new[]", [] { delete[] keep(new int[9]); }},
        {"nothrow new", [] { delete keep(new (std::nothrow) int(1)); }},
        {"aligned new", [] { delete keep(new Wide{}); }},
        {"malloc", [] { std::free(keep(std::malloc(24))); }},
        {"calloc", [] { std::free(keep(std::calloc(3, 8))); }},
        {"realloc", [] { std::free(keep(std::realloc(nullptr, 40))); }},
        {"std::string",
         [] {
             std::string text(100, 'x');
             keep(text.data());
         }},
    };
    for (const Case& c : cases) {
        const alloccount::Counts before = alloccount::now();
        c.run();
        const alloccount::Counts after = alloccount::now();
        EXPECT_GE(after.allocations - before.allocations, 1u) << c.what;
        EXPECT_GE(after.releases - before.releases, 1u) << c.what;
    }
}

TEST_F(Host, TenThousandFramesOfPlayAndMagicNeverTouchTheHeap) {
    ASSERT_TRUE(alloccount::counting()) << alloccount::method();
    start();
    // Three witches, one on each key layout.
    for (int i = 0; i < game::PLAYER_COUNT; ++i) {
        game::playerSlots[i] = game::PlayerSlot{1, i, i};
    }
    std::uint8_t(&keys)[platform::KEY_COUNT] = headless::keyboardState();

    Tally tally;
    int sinceMagic = 0;
    int giftedWitch = -1; // holds a handed-over set not yet cast
    int frame = 0;
    const alloccount::Counts before = alloccount::now();
    for (; frame < FRAME_BUDGET && tally.play + tally.magic < PLAY_AND_MAGIC_FRAMES; ++frame) {
        std::memset(keys, 0, sizeof keys);
        const std::int32_t state = game::gameState;
        int heldBefore = 0;
        int flying = 0;
        if (state == game::Play || state == game::Magic) {
            for (int i = 0; i < game::PLAYER_COUNT; ++i) {
                if (game::witches[i].stateTimer != game::TIMER_OUT_OF_PLAY) {
                    steer(keys, i, frame);
                    flying += game::witches[i].stateTimer == game::TIMER_FLYING ? 1 : 0;
                }
                heldBefore += orbsHeld(game::witches[i]);
            }
            tally.mostFlying = flying > tally.mostFlying ? flying : tally.mostFlying;
        } else {
            pressThroughMenus(keys, frame);
        }
        bool gifted = false;
        if (state == game::Play && ++sinceMagic > FRAMES_BEFORE_A_GIFT && giftedWitch < 0) {
            for (int i = 0; i < game::PLAYER_COUNT; ++i) {
                game::Witch& w = game::witches[i];
                if (w.stateTimer != game::TIMER_OUT_OF_PLAY && !fullSet(w)) {
                    for (std::int32_t& count : w.orbCounts) {
                        count = count > 0 ? count : 1;
                    }
                    ++tally.gifts;
                    gifted = true;
                    giftedWitch = i;
                    break;
                }
            }
        }
        const int giftHeld = giftedWitch >= 0 ? orbsHeld(game::witches[giftedWitch]) : 0;
        // Menu commands between frames, as a player picks them: the fps
        // display on for the second half, one spell at double size.
        if (tally.play + tally.magic == PLAY_AND_MAGIC_FRAMES / 2) {
            headless::queueMessage(
                shelltest::plain(platform::MessageKind::Command, res::CMD_SHOW_FPS));
            ++tally.commands;
        }
        if (tally.play + tally.magic == PLAY_AND_MAGIC_FRAMES / 4) {
            headless::queueMessage(shelltest::keyDown(platform::KEY_F12));
            headless::queueMessage(shelltest::keyUp(platform::KEY_F12));
            ++tally.commands;
        }
        if (tally.play + tally.magic == PLAY_AND_MAGIC_FRAMES * 3 / 4) {
            headless::queueMessage(shelltest::keyDown(platform::KEY_F11));
            headless::queueMessage(shelltest::keyUp(platform::KEY_F11));
            ++tally.commands;
        }
        // The loop takes waiting messages first, then runs one frame.
        const int presentsBefore = presents();
        while (presents() == presentsBefore) {
            if (step() == 0) {
                break;
            }
        }

        if (state == game::Play) {
            ++tally.play;
            if (game::gameState == game::Magic) {
                ++tally.casts;
                // The gifted witch spent her set if her orbs went down.
                const bool spentGift =
                    giftedWitch >= 0 && orbsHeld(game::witches[giftedWitch]) < giftHeld;
                tally.earnedCasts += spentGift ? 0 : 1;
                giftedWitch = spentGift ? -1 : giftedWitch;
                sinceMagic = 0;
            }
        } else if (state == game::Magic) {
            ++tally.magic;
        } else {
            ++tally.menus;
            giftedWitch = -1; // a new game starts with no orbs
            tally.gameStarts += game::gameState == game::Play ? 1 : 0;
        }
        if (state == game::Play || state == game::Magic) {
            int heldAfter = 0;
            for (const game::Witch& w : game::witches) {
                heldAfter += orbsHeld(w);
            }
            // A cast spends eight; a gift adds some before the frame.
            if (game::gameState == state && !gifted && heldAfter > heldBefore) {
                tally.pickups += heldAfter - heldBefore;
            }
        }
    }
    const alloccount::Counts after = alloccount::now();

    std::printf("%d frames: %d play, %d magic, %d menu; %d casts (%d with collected sets, %d "
                "sets handed over), %d orbs picked up, %d game starts, up to %d witches "
                "flying, %d menu commands; counted by %s\n",
                frame, tally.play, tally.magic, tally.menus, tally.casts, tally.earnedCasts,
                tally.gifts, tally.pickups, tally.gameStarts, tally.mostFlying, tally.commands,
                alloccount::method());
    EXPECT_EQ(after.allocations - before.allocations, 0u);
    EXPECT_EQ(after.releases - before.releases, 0u);
    EXPECT_EQ(tally.play + tally.magic, PLAY_AND_MAGIC_FRAMES);
    EXPECT_GE(tally.magic, 400); // at least one whole magic phase
    EXPECT_GE(tally.casts, 1);
    EXPECT_GT(tally.pickups, 0);
    EXPECT_EQ(tally.mostFlying, 3);
    EXPECT_EQ(tally.commands, 3);
    EXPECT_TRUE(shell::windowAlive());
}

} // namespace
