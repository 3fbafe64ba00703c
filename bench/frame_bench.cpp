// How long the game's frame work takes: a busy Play frame, and the blitter
// and backdrop on their own. The frame budget is 30 ms.
#include "session.h"

#include "game/values.h"
#include "gfx/backdrop.h"
#include "gfx/blit.h"
#include "gfx/pixel.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// Three players in play with the star spawner at its fastest, so the
// field fills to its 35 stars.
void startBusyGame() {
    replay::startSession(3, replay::JoystickSetup{});
    bool keys[256] = {};
    const bool none[256] = {};
    keys[13] = true;
    replay::runFrame(keys, false); // title -> setup
    replay::runFrame(none, false);
    for (int slot = 1; slot < 3; ++slot) {
        keys[13] = false;
        keys[40] = true;
        replay::runFrame(keys, false);
        replay::runFrame(none, false);
        keys[40] = false;
        keys[16] = true;
        replay::runFrame(keys, false);
        replay::runFrame(none, false);
        keys[16] = false;
    }
    keys[13] = true;
    replay::runFrame(keys, false); // start
    game::starSpawnDivisor = 1;
    for (int i = 0; i < 40; ++i) {
        replay::runFrame(none, false);
    }
}

void playFrame(benchmark::State& state) {
    startBusyGame();
    const bool none[256] = {};
    for (auto _ : state) {
        if (game::gameState != game::Play && game::gameState != game::Magic) {
            startBusyGame();
        }
        replay::runFrame(none, false);
    }
}
BENCHMARK(playFrame);

void blitWitch(benchmark::State& state) {
    replay::startSession(1, replay::JoystickSetup{});
    std::vector<gfx::Pixel> target(gfx::FRAME_PIXELS, 0x00203040u);
    for (auto _ : state) {
        gfx::blit(gfx::BlitRequest{target.data(), 100, 100, 32, 32, 0, 128, 0,
                                   static_cast<int>(state.range(0))});
        benchmark::DoNotOptimize(target.data());
    }
}
BENCHMARK(blitWitch)->DenseRange(0, 3);

void scrollBackdrop(benchmark::State& state) {
    replay::startSession(1, replay::JoystickSetup{});
    std::vector<gfx::Pixel> target(gfx::FRAME_PIXELS);
    for (auto _ : state) {
        gfx::scrollBackdrop(target.data());
        benchmark::DoNotOptimize(target.data());
    }
}
BENCHMARK(scrollBackdrop);

} // namespace

BENCHMARK_MAIN();
