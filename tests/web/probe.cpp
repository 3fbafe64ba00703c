// The browser test's own build of the page (never shipped). Its address
// picks what it runs: ?broken the game with its backdrop missing and its
// sprite sheet unloadable, so both of the loader's messages show; ?cost the
// frame at the full load (35 stars, 10 orbs, three witches, full panels),
// timed in batches finer than the browser's clock, one batch an animation
// frame, into window.sorviProbeCosts (milliseconds a frame).
#include "game/values.h"
#include "game_load.h"
#include "platform/web/run_page.h"
#include "shell/host.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <iterator>

namespace {

// 1 for ?broken, 2 for ?cost, 0 otherwise.
EM_JS(int, probeMode, (), { return [ "?broken", "?cost" ].indexOf(location.search) + 1; });

EM_JS(void, noteCost, (double milliseconds, int last), {
    const costs = Module.probeCosts = Module.probeCosts || [];
    costs.push(milliseconds);
    if (last) {
        window.sorviProbeCosts = costs;
    }
});

constexpr int ROUNDS = 300;
constexpr int BATCH = 20;

bench::GameSnapshot load;
int rounds = 0;

platform::Module brokenModule() {
    static platform::ResourceEntry entries[8];
    const platform::Module& real = platform::programModule();
    std::size_t count = 0;
    for (std::size_t i = 0; i < real.count && count < std::size(entries); ++i) {
        platform::ResourceEntry entry = real.entries[i];
        if (entry.id == 105) {
            continue; // the backdrop: not there
        }
        if (entry.id == 103) {
            entry.bytes = nullptr; // the sprite sheet: there, but cannot be loaded
        }
        entries[count++] = entry;
    }
    return platform::Module{entries, count};
}

EM_BOOL costFrame(double, void*) {
    const double start = emscripten_get_now();
    for (int i = 0; i < BATCH; ++i) {
        bench::restore(load);
        shell::frameStep();
    }
    noteCost((emscripten_get_now() - start) / BATCH, ++rounds == ROUNDS);
    return rounds < ROUNDS ? EM_TRUE : EM_FALSE;
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
