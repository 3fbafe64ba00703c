#include "soak_input.h"

#include "game/witch.h"
#include "input/controls.h"
#include "input/joystick.h"
#include "steer.h"

namespace replay {
namespace {

using enum platform::VirtualKey;

constexpr int LAYOUTS = input::Joystick; // the keyboard schemes come first
// The reset command: now and then in a game, more often on the menus, so
// that most games still run to their end.
constexpr std::uint32_t RESET_ODDS_PLAY = 25000;
constexpr std::uint32_t RESET_ODDS_MENU = 400;

// --- Menus ---

void press(SoakInput& in, int a, int b = 0) {
    in.menuKeys[0] = a;
    in.menuKeys[1] = b;
    in.menuKeyCount = b != 0 ? 2 : 1;
    // Mostly a tap; now and then a long hold, which must move one screen only.
    in.holdLeft = in.random.oneIn(12) ? 2 + in.random.below(60) : 1 + in.random.below(3);
    // One draw after another: the order of a sum's operands is the
    // compiler's to choose, and every build must play the same run.
    const int pause = 1 + in.random.below(6);
    in.waitLeft = pause + (in.random.oneIn(10) ? in.random.below(50) : 0);
}

int randomMenuKey(InputRandom& r) {
    constexpr int keys[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_SHIFT, KEY_SPACE};
    return keys[r.below(6)];
}

// The setup this game aims at: one to three players (rarely none), any
// characters, mostly a keyboard layout each, sometimes the joystick.
void planGame(SoakInput& in) {
    InputRandom& r = in.random;
    const std::uint32_t players = r.oneIn(40) ? 0 : 1 + r.below(3);
    int order[game::PLAYER_COUNT] = {0, 1, 2};
    for (int i = game::PLAYER_COUNT - 1; i > 0; --i) {
        const int j = static_cast<int>(r.below(static_cast<std::uint32_t>(i) + 1));
        const int t = order[i];
        order[i] = order[j];
        order[j] = t;
    }
    for (int n = 0; n < game::PLAYER_COUNT; ++n) {
        game::PlayerSlot& slot = in.plan[order[n]];
        slot.active = static_cast<std::uint32_t>(n) < players ? 1 : 0;
        slot.character = static_cast<std::int32_t>(r.below(3));
        // Distinct layouts, so each witch is steered on her own keys.
        slot.scheme = r.oneIn(10) ? input::Joystick : n;
    }
}

bool sameSlot(const game::PlayerSlot& a, const game::PlayerSlot& b) {
    return a.active == b.active && a.character == b.character && a.scheme == b.scheme;
}

// One step from the setup as it stands towards the plan.
void setupPress(SoakInput& in) {
    const int c = game::cursor;
    const game::PlayerSlot& now = game::playerSlots[c];
    const game::PlayerSlot& want = in.plan[c];
    if (now.active != want.active) {
        press(in, KEY_SHIFT);
    } else if (now.character != want.character) {
        press(in, KEY_SPACE);
    } else if (now.scheme != want.scheme) {
        press(in, (want.scheme - now.scheme + 4) % 4 <= 2 ? KEY_RIGHT : KEY_LEFT);
    } else if (!sameSlot(game::playerSlots[(c + 1) % 3], in.plan[(c + 1) % 3])) {
        press(in, KEY_DOWN);
    } else if (!sameSlot(game::playerSlots[(c + 2) % 3], in.plan[(c + 2) % 3])) {
        press(in, KEY_UP);
    } else {
        press(in, KEY_RETURN);
    }
}

void menuFrame(SoakInput& in, SoakFrame& out) {
    InputRandom& r = in.random;
    if (in.holdLeft == 0 && in.waitLeft > 0) {
        --in.waitLeft;
        return;
    }
    if (in.holdLeft == 0) {
        switch (game::gameState) {
        case game::Title:
            if (r.oneIn(3)) {
                const int arrow = r.oneIn(2) ? KEY_UP : KEY_DOWN; // drawn in this order
                press(in, arrow, r.oneIn(3) ? KEY_RETURN : 0);
            } else {
                press(in, KEY_RETURN);
            }
            break;
        case game::Setup:
            if (r.oneIn(8)) {
                const int first = randomMenuKey(r); // drawn in this order
                press(in, first, r.oneIn(4) ? randomMenuKey(r) : 0);
            } else if (r.oneIn(60)) {
                press(in, KEY_RETURN); // a game on whatever the setup holds
            } else {
                setupPress(in);
            }
            break;
        default: // game over: a look at the score, then on
            if (r.oneIn(3)) {
                press(in, KEY_RETURN);
            } else {
                press(in, randomMenuKey(r));
                in.waitLeft += r.below(30);
            }
            break;
        }
    }
    --in.holdLeft;
    for (int k = 0; k < in.menuKeyCount; ++k) {
        out.held[in.menuKeys[k]] = true;
    }
}

// --- Play and magic ---

// Each play mode's share of rolls below 100 and how long it lasts.
struct ModeChance {
    std::uint32_t rollsBelow;
    PlayMode mode;
    std::uint32_t frames;      // at least
    std::uint32_t extraFrames; // plus up to this many
};

constexpr ModeChance MODE_CHANCES[] = {
    {62, PlayMode::Steer, 100, 3000},   {76, PlayMode::Random, 20, 300},
    {92, PlayMode::Idle, 50, 600},      {94, PlayMode::AllKeys, 5, 100},
    {97, PlayMode::Opposites, 20, 200}, {100, PlayMode::Corner, 200, 600},
};

void pickMode(SoakInput& in) {
    InputRandom& r = in.random;
    // A careful game never idles and seldom leaves the steering.
    const std::uint32_t roll = in.careful ? (r.oneIn(12) ? 62 + r.below(14) : 0) : r.below(100);
    for (const ModeChance& chance : MODE_CHANCES) {
        if (roll < chance.rollsBelow) {
            in.mode = chance.mode;
            in.modeLeft = chance.frames + r.below(chance.extraFrames);
            break;
        }
    }
    if (in.mode == PlayMode::Corner) {
        in.cornerUp = r.oneIn(2);
        in.cornerRight = r.oneIn(2);
    }
}

void holdDirections(SoakFrame& out, bool up, bool down, bool left, bool right) {
    for (int l = 0; l < LAYOUTS; ++l) {
        const input::KeyLayout& keys = input::KEY_LAYOUTS[l];
        out.held[keys.up] = out.held[keys.up] || up;
        out.held[keys.down] = out.held[keys.down] || down;
        out.held[keys.left] = out.held[keys.left] || left;
        out.held[keys.right] = out.held[keys.right] || right;
    }
}

// The stick as the game calibrated it: one quarter range off the centre
// per direction (its centre leaves out the minimum, as the game's does).
JoystickReading stickFor(bool up, bool down, bool left, bool right, std::uint32_t buttons) {
    JoystickReading at{input::centreX, input::centreY, buttons};
    const auto qx = static_cast<std::uint32_t>(input::quarterX);
    const auto qy = static_cast<std::uint32_t>(input::quarterY);
    if (left != right) {
        at.x = left ? input::centreX - qx : input::centreX + qx;
    }
    if (up != down) {
        at.y = up ? input::centreY - qy : input::centreY + qy;
    }
    return at;
}

void steerFrame(SoakInput& in, SoakFrame& out) {
    bool stickSet = false;
    for (int i = 0; i < game::PLAYER_COUNT; ++i) {
        if (game::playerSlots[i].active == 0) {
            continue;
        }
        const Steering s = steerWitch(i);
        holdSteering(i, s, out.held);
        if (game::playerSlots[i].scheme == input::Joystick && !stickSet) {
            // One stick: the first witch on it steers it.
            out.stick = stickFor(s.up, s.down, s.left, s.right, s.maho ? 1u : 0u);
            stickSet = true;
        }
    }
    if (in.random.oneIn(40)) {
        const input::KeyLayout& keys = input::KEY_LAYOUTS[in.random.below(LAYOUTS)];
        const int pick[] = {keys.up, keys.down, keys.left, keys.right, keys.maho, keys.second};
        out.held[pick[in.random.below(6)]] = true;
    }
}

void randomFrame(SoakInput& in, SoakFrame& out) {
    InputRandom& r = in.random;
    for (int l = 0; l < LAYOUTS; ++l) {
        const input::KeyLayout& keys = input::KEY_LAYOUTS[l];
        const int all[] = {keys.up, keys.down, keys.left, keys.right, keys.maho, keys.second};
        for (int key : all) {
            out.held[key] = out.held[key] || r.oneIn(3);
        }
    }
    // Any reading at all, far outside the calibrated range included. A
    // braced list draws in order; a call's arguments might not.
    if (r.oneIn(4)) {
        out.stick = JoystickReading{r.next(), r.next(), r.next()};
    } else {
        const bool directions[] = {r.oneIn(3), r.oneIn(3), r.oneIn(3), r.oneIn(3)};
        out.stick =
            stickFor(directions[0], directions[1], directions[2], directions[3], r.below(4));
    }
}

void playFrame(SoakInput& in, SoakFrame& out) {
    if (in.modeLeft == 0) {
        pickMode(in);
    }
    --in.modeLeft;
    out.stick = stickFor(false, false, false, false, 0);
    switch (in.mode) {
    case PlayMode::Steer:
        steerFrame(in, out);
        break;
    case PlayMode::Random:
        randomFrame(in, out);
        break;
    case PlayMode::Idle:
        break;
    case PlayMode::AllKeys:
        for (bool& key : out.held) {
            key = true;
        }
        out.held[0] = false; // no key has code 0
        out.stick = JoystickReading{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
        break;
    case PlayMode::Opposites:
        holdDirections(out, true, true, true, true);
        out.stick = JoystickReading{0, 0, 3};
        break;
    case PlayMode::Corner:
        holdDirections(out, in.cornerUp, !in.cornerUp, !in.cornerRight, in.cornerRight);
        out.stick = stickFor(in.cornerUp, !in.cornerUp, !in.cornerRight, in.cornerRight, 0);
        break;
    }
}

} // namespace

std::uint32_t InputRandom::next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

std::uint32_t InputRandom::below(std::uint32_t n) {
    return next() % n;
}

bool InputRandom::oneIn(std::uint32_t n) {
    return below(n) == 0;
}

void startSoakInput(SoakInput& input, std::uint32_t seed, bool joystick) {
    input = SoakInput{};
    input.random.state = seed;
    input.joystick = joystick;
}

void nextSoakFrame(SoakInput& in, SoakFrame& out) {
    for (bool& key : out.held) {
        key = false;
    }
    const std::int32_t state = game::gameState;
    if (state != in.lastState) {
        // A new screen starts with a pause and, for setup, a new plan.
        in.holdLeft = 0;
        in.waitLeft = in.random.below(8);
        in.modeLeft = 0;
        if (state == game::Setup) {
            planGame(in);
        }
        if (in.lastState == game::Setup && state == game::Play) {
            in.careful = in.random.oneIn(2);
        }
        if (state == game::Magic) {
            in.careful = false;
        }
        in.lastState = state;
    }
    const bool playing = state == game::Play || state == game::Magic;
    out.reset = in.random.oneIn(playing ? RESET_ODDS_PLAY : RESET_ODDS_MENU);
    if (playing) {
        playFrame(in, out);
    } else {
        out.stick = stickFor(false, false, false, false, 0);
        menuFrame(in, out);
    }
}

} // namespace replay
