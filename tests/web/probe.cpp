// The browser test's own build of the page (never shipped). Its address
// picks what it runs:
//   ?broken  the game with its backdrop missing and its sprite sheet
//            unloadable, so both of the loader's messages show;
//   ?cost    the frame at the full load (35 stars, 10 orbs, three witches
//            flying, full panels) without waiting: at each animation
//            frame one frame timed alone, its present alone, and a batch
//            of frames timed together (finer than the browser's clock);
//            the times go to window.sorviProbeCosts, in milliseconds.
#include "game/values.h"
#include "game_load.h"
#include "platform/web/internal.h"
#include "shell/host.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <iterator>

namespace {

// 1 for ?broken, 2 for ?cost, 0 otherwise.
EM_JS(int, probeMode, (), {
    if (location.search == "?broken") {
        return 1;
    }
    return location.search == "?cost" ? 2 : 0;
});

EM_JS(void, reportCosts, (const double* costs, int rounds), {
    const all = Array.from(HEAPF64.subarray(costs >> 3, (costs >> 3) + 3 * rounds));
    window.sorviProbeCosts = {
        frame : all.slice(0, rounds),
        present : all.slice(rounds, 2 * rounds),
        batched : all.slice(2 * rounds)
    };
});

constexpr int ROUNDS = 300;
constexpr int BATCH = 20;

platform::ResourceEntry brokenEntries[8];
bench::GameSnapshot load;
// Frames alone, presents alone, then frames in batches (each the mean).
double costs[3][ROUNDS];
int rounds = 0;

platform::Module brokenModule() {
    const platform::Module& real = platform::programModule();
    std::size_t count = 0;
    for (std::size_t i = 0; i < real.count && count < std::size(brokenEntries); ++i) {
        platform::ResourceEntry entry = real.entries[i];
        if (entry.id == 105) {
            continue; // the backdrop: not there
        }
        if (entry.id == 103) {
            entry.bytes = nullptr; // the sprite sheet: there, but cannot be loaded
        }
        brokenEntries[count++] = entry;
    }
    return platform::Module{brokenEntries, count};
}

EM_BOOL costFrame(double, void*) {
    bench::restore(load);
    double start = emscripten_get_now();
    shell::frameStep();
    costs[0][rounds] = emscripten_get_now() - start;
    start = emscripten_get_now();
    shell::presentFrame();
    costs[1][rounds] = emscripten_get_now() - start;
    start = emscripten_get_now();
    for (int i = 0; i < BATCH; ++i) {
        bench::restore(load);
        shell::frameStep();
    }
    costs[2][rounds] = (emscripten_get_now() - start) / BATCH;
    if (++rounds < ROUNDS) {
        return EM_TRUE;
    }
    reportCosts(&costs[0][0], rounds);
    return EM_FALSE;
}

} // namespace

int main() {
    switch (probeMode()) {
    case 1: {
        static const platform::Module broken = brokenModule();
        return webplatform::runPage(broken);
    }
    case 2:
        if (shell::startUp(platform::programModule()) != 0) {
            return 1;
        }
        shell::host.frameWait = 0;
        bench::enterFullLoad(game::Play, shell::surface);
        load = bench::capture();
        emscripten_request_animation_frame_loop(costFrame, nullptr);
        return 0;
    default:
        return webplatform::runPage(platform::programModule());
    }
}
