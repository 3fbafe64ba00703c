#include "state/layout.h"

#include "game/field.h"
#include "game/random.h"
#include "game/values.h"
#include "game/witch.h"
#include "gfx/backdrop.h"
#include "gfx/blit.h"
#include "input/controls.h"
#include "input/joystick.h"
#include "input/keyboard.h"
#include "input/pads.h"
#include "platform/key_events.h"
#include "platform/keyboard_snapshot.h"
#include "shell/host.h"

#include <cstring>
#include <limits>

namespace state {
namespace {

template <typename Io, typename T, std::size_t N> void each(Io& io, T (&values)[N]) {
    for (T& v : values) {
        io.u8(v);
    }
}

template <typename Io> void walkGraphics(Io& io) {
    io.i32(gfx::backdropOffset);
    io.i32(gfx::translucentAlpha);
}

template <typename Io> void walkInput(Io& io) {
    each(io, input::KeyboardState);
    each(io, input::KeyEdgeTable);
    for (input::ControlState& c : input::controlStates) {
        io.u8(c.up);
        io.u8(c.down);
        io.u8(c.left);
        io.u8(c.right);
        io.u8(c.maho);
        io.u8(c.second);
    }
    io.i32(input::joystickCount);
    io.u32(input::axisXMin);
    io.u32(input::axisXMax);
    io.u32(input::axisYMin);
    io.u32(input::axisYMax);
    io.u32(input::centreX);
    io.u32(input::centreY);
    io.i32(input::quarterX);
    io.i32(input::quarterY);
    for (platform::PadState& pad : input::padStates) {
        io.u16(pad.buttons);
        io.i16(pad.stickX);
        io.i16(pad.stickY);
    }
    each(io, input::padMahoEdges);
}

template <typename Io> void walkWitch(Io& io, game::Witch& w) {
    io.i32(w.character);
    io.f32(w.x);
    io.f32(w.y);
    io.f32(w.vx);
    io.f32(w.vy);
    io.i32(w.frame);
    io.i32(w.orientation);
    io.f32(w.acceleration);
    io.f32(w.friction);
    io.i32(w.stateTimer);
    io.i32(w.flashCount);
    io.i32(w.animPhase);
    io.i32(w.animCount);
    for (std::int32_t& count : w.orbCounts) {
        io.i32(count);
    }
    io.i32(w.fullSet);
    io.i32(w.lives);
}

template <typename Io> void walkGame(Io& io) {
    io.i32(game::gameState);
    io.i32(game::cursor);
    io.i32(game::score);
    io.i32(game::hiscore);
    io.i32(game::playFrameCount);
    io.i32(game::starSpawnDivisor);
    io.i32(game::orbSpawnDivisor);
    io.i32(game::magicFrameCount);
    for (game::PlayerSlot& slot : game::playerSlots) {
        io.i32(slot.active);
        io.i32(slot.character);
        io.i32(slot.scheme);
    }
    for (game::Witch& w : game::witches) {
        walkWitch(io, w);
    }
    for (game::Star& s : game::stars) {
        io.f32(s.x);
        io.f32(s.y);
        io.f32(s.speed);
        io.i32(s.active);
    }
    io.i32(game::starCount);
    for (game::Orb& o : game::orbs) {
        io.f32(o.x);
        io.f32(o.y);
        io.f32(o.speed);
        io.i32(o.active);
        io.i32(o.colour);
    }
    io.i32(game::orbCount);
    io.i32(game::starAnimCount);
    io.i32(game::starAnimPhase);
    io.i32(game::magicAnimCount);
    io.i32(game::magicAnimPhase);
    io.u32(game::randomSeed);
}

template <typename Io> void walkHost(Io& io) {
    shell::HostValues& h = shell::host;
    io.i32(h.clientWidth);
    io.i32(h.clientHeight);
    io.i32(h.sizeMode);
    io.i32(h.frameWait);
    io.i32(h.framesRunning);
    io.i32(h.showFps);
    io.i32(h.fpsFrames);
    io.f32(h.fpsLastTime);
    io.f32(h.fpsValue);
}

// The keys as their messages left them, toggle bits included, and the taps
// not yet shown.
template <typename Io> void walkKeyboard(Io& io) {
    each(io, platform::keyboardSnapshot());
    platform::KeyEventMemory& events = platform::keyEventMemory();
    for (bool& pressed : events.pressed) {
        io.flag(pressed);
    }
    for (bool& released : events.released) {
        io.flag(released);
    }
    io.flag(events.noted);
    each(io, events.lastShown);
}

template <typename Io> void walkAll(Io& io) {
    walkGraphics(io);
    walkInput(io);
    walkGame(io);
    walkHost(io);
    walkKeyboard(io);
}

} // namespace

static_assert(sizeof(float) == 4 && std::numeric_limits<float>::is_iec559,
              "a state holds floats as their 32 IEEE bits");

// Floats by their bits (memcpy: the web's library has no std::bit_cast).
void Writer::f32(float& v) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    put(bits, 4);
}

void Reader::f32(float& v) {
    const std::uint32_t bits = get(4);
    std::memcpy(&v, &bits, sizeof v);
}

void walk(Writer& io) {
    walkAll(io);
}
void walk(Reader& io) {
    walkAll(io);
}
void walk(Counter& io) {
    walkAll(io);
}

} // namespace state
