// sorvi-bench: how long the game's frame work takes on the headless
// platform. The frame at the worst load the rules allow, a frame of each
// screen, the backdrop, the blitter per blend mode and orientation, the
// longest text line, and a baseline of one framebuffer clear and one
// framebuffer copy; after the table, the full-load frame's ratio to the
// baseline. The frame budget is 30 ms; the target is at most 2x the
// baseline (docs/performance.md).
#include "game_load.h"
#include "session.h"

#include "game/flow.h"
#include "game/tables.h"
#include "game/text.h"
#include "gfx/backdrop.h"
#include "gfx/blit.h"
#include "gfx/pixel.h"
#include "gfx/surface.h"
#include "gfx/text.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t FRAME_BYTES = gfx::FRAME_PIXELS * sizeof(gfx::Pixel);
static_assert(FRAME_BYTES == 307200);

// The surface every measured frame is drawn into, made as the host makes
// its own: the pixels, the text state over them with a transparent
// background, no platform handles.
alignas(64) gfx::Pixel framebuffer[gfx::FRAME_PIXELS];
gfx::DrawingContext drawing = gfx::makeDrawingContext(framebuffer);
gfx::FramebufferSurface surface{framebuffer, &drawing};

constexpr const char* FULL_LOAD_NAME = "gameFrame/Play/fullLoad";
constexpr const char* MAGIC_FULL_LOAD_NAME = "gameFrame/Magic/fullLoad";
constexpr const char* BASELINE_NAME = "baseline/clear+copy";

// A screen's state, the check its frame must pass, and what it holds.
struct ScreenCase {
    std::string name;
    bench::GameSnapshot snapshot;
    std::function<std::string()> problemAfterFrame;
    std::string label;
};

std::vector<ScreenCase> screenCases;

std::string stateIs(std::int32_t wanted) {
    if (game::gameState == wanted) {
        return {};
    }
    return "gameState " + std::to_string(game::gameState) + ", not " + std::to_string(wanted);
}

void holdNoKeys() {
    const bool none[256] = {};
    replay::runFrame(none, false);
}

// A fresh program, one frame run, the state captured.
void addCase(const std::string& name, const std::function<void()>& enter,
             std::function<std::string()> problemAfterFrame, std::string label = {}) {
    replay::startSession(1, replay::JoystickSetup{});
    gfx::setTransparentBackground(drawing);
    enter();
    ScreenCase c{name, bench::capture(), std::move(problemAfterFrame), std::move(label)};
    game::gameFrame(surface);
    bench::requireNoProblem(name.c_str(), c.problemAfterFrame());
    screenCases.push_back(std::move(c));
}

// The three-player game of the old busy-frame benchmark, reached by real
// key presses: setup, two more players switched on, the start, then 40
// frames with a star chance every frame.
std::string enterRealPlay() {
    replay::startSession(3, replay::JoystickSetup{});
    bool keys[256] = {};
    keys[13] = true;
    replay::runFrame(keys, false); // title -> setup
    holdNoKeys();
    for (int slot = 1; slot < 3; ++slot) {
        keys[13] = false;
        keys[40] = true; // down to the next slot
        replay::runFrame(keys, false);
        holdNoKeys();
        keys[40] = false;
        keys[16] = true; // shift: the player joins
        replay::runFrame(keys, false);
        holdNoKeys();
        keys[16] = false;
    }
    keys[13] = true;
    replay::runFrame(keys, false); // start
    game::starSpawnDivisor = 1;
    for (int i = 0; i < 40; ++i) {
        holdNoKeys();
    }
    int flying = 0;
    for (const game::Witch& w : game::witches) {
        flying += w.stateTimer == game::TIMER_FLYING ? 1 : 0;
    }
    return std::to_string(game::starCount) + " stars, " + std::to_string(game::orbCount) +
           " orbs, " + std::to_string(flying) + " flying";
}

void buildScreenCases() {
    const char* FULL_LABEL = "35 stars, 10 orbs, 3 flying, full panels";
    addCase(
        FULL_LOAD_NAME, [] { bench::enterFullLoad(game::Play, surface); },
        [] { return bench::fullLoadProblem(game::Play); }, FULL_LABEL);
    addCase(
        MAGIC_FULL_LOAD_NAME, [] { bench::enterFullLoad(game::Magic, surface); },
        [] { return bench::fullLoadProblem(game::Magic); }, FULL_LABEL);
    addCase(
        "gameFrame/Title", [] {}, [] { return stateIs(game::Title); });
    addCase(
        "gameFrame/Setup",
        [] {
            bench::seatThreePlayers();
            game::gameState = game::Setup;
            game::score = 123450;
            game::hiscore = 654320;
        },
        [] { return stateIs(game::Setup); }, "three players");
    addCase(
        "gameFrame/GameOver",
        [] {
            game::gameState = game::GameOver;
            game::score = 123450;
            game::hiscore = 654320;
        },
        [] { return stateIs(game::GameOver); });
    // The reset frame only puts the title back; the next frame draws it.
    addCase(
        "gameFrame/Reset", [] { game::gameState = game::Reset; },
        [] { return stateIs(game::Title); });
    std::string realLabel;
    addCase(
        "gameFrame/Play/realPlay", [&realLabel] { realLabel = enterRealPlay(); },
        [] { return stateIs(game::Play); });
    screenCases.back().label = realLabel;
}

// Each iteration puts the screen's state back (a copy of about 1.4 KB; see
// harness/restoreSnapshot) and runs gameFrame on the surface.
void screenFrame(benchmark::State& state, const ScreenCase& c) {
    for (auto _ : state) {
        bench::restore(c.snapshot);
        game::gameFrame(surface);
        benchmark::ClobberMemory();
    }
    bench::requireNoProblem(c.name.c_str(), c.problemAfterFrame());
    if (!c.label.empty()) {
        state.SetLabel(c.label);
    }
}

void restoreSnapshot(benchmark::State& state, const ScreenCase& c) {
    for (auto _ : state) {
        bench::restore(c.snapshot);
        benchmark::ClobberMemory();
    }
}

// The sky as every screen but game over starts, for the drawing benchmarks
// to draw over.
void fillWithSky() {
    gfx::scrollBackdrop(framebuffer);
}

void scrollBackdrop(benchmark::State& state) {
    for (auto _ : state) {
        gfx::scrollBackdrop(framebuffer);
        benchmark::ClobberMemory();
    }
}

struct SpriteCase {
    const char* name;
    int width, height, srcX, srcY;
};

constexpr SpriteCase WITCH{"witch32", 32, 32, 0, 128}; // KESANA, sheet frame 0
constexpr SpriteCase STAR{"star16", 16, 16, 96, 16};
constexpr SpriteCase ORB{"orb8", 8, 8, 96, 0}; // colour 0

// One sprite wholly on screen, near the middle. Drawn again and again on
// the same spot: BLEND_ADD saturates it and BLEND_TRANSLUCENT settles on
// the sprite's colours; the blend code has no branch on the pixels' values.
void blitSprite(benchmark::State& state, SpriteCase sprite, int blend, int orientation) {
    fillWithSky();
    const gfx::BlitRequest request{framebuffer,  144,           104,
                                   sprite.width, sprite.height, sprite.srcX,
                                   sprite.srcY,  orientation,   blend};
    for (auto _ : state) {
        gfx::blit(request);
        benchmark::ClobberMemory();
    }
}

// The widest line that src/game draws, by its drawn width.
std::string longestLine() {
    std::vector<std::string> lines = {
        "SorviKadra99",   "Mode1",          "Mode2",           "GAME OVER",
        "SCORE   123450", "HISCORE 654320", "123450 / 654320", "03"};
    for (const char* name : game::CharacterNames) {
        lines.emplace_back(name);
    }
    for (const char* name : game::SchemeNames) {
        lines.emplace_back(name);
    }
    for (const char* help : game::SchemeHelp) {
        lines.emplace_back(help);
    }
    return *std::max_element(lines.begin(), lines.end(),
                             [](const std::string& a, const std::string& b) {
                                 return gfx::glyphTextWidth(a.c_str(), gfx::Encoding::ShiftJis) <
                                        gfx::glyphTextWidth(b.c_str(), gfx::Encoding::ShiftJis);
                             });
}

// Where the setup screen draws its help line, in its colour.
void drawLongestText(benchmark::State& state, const std::string& line) {
    fillWithSky();
    gfx::setTransparentBackground(drawing);
    for (auto _ : state) {
        game::drawText(drawing, 10, 223, game::TextMint, line.c_str());
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(gfx::glyphTextWidth(line.c_str(), gfx::Encoding::ShiftJis)) +
                   " px wide, " + std::to_string(line.size()) + " bytes");
}

// One clear of a framebuffer-sized buffer and one copy of it into another.
alignas(64) unsigned char clearedBytes[FRAME_BYTES];
alignas(64) unsigned char copiedBytes[FRAME_BYTES];

void clearAndCopy(benchmark::State& state) {
    unsigned char* cleared = clearedBytes;
    unsigned char* copied = copiedBytes;
    benchmark::DoNotOptimize(cleared);
    benchmark::DoNotOptimize(copied);
    for (auto _ : state) {
        std::memset(cleared, 0, FRAME_BYTES);
        benchmark::ClobberMemory();
        std::memcpy(copied, cleared, FRAME_BYTES);
        benchmark::ClobberMemory();
    }
}

const char* const BLEND_NAMES[] = {"BLEND_COPY", "BLEND_TRANSLUCENT", "BLEND_ADD", "BLEND_DOUBLE"};
const char* const ORIENTATION_NAMES[] = {"ORIENT_UPRIGHT", "ORIENT_LEFT", "ORIENT_HALF",
                                         "ORIENT_RIGHT"};

void registerAll() {
    for (const ScreenCase& c : screenCases) {
        benchmark::RegisterBenchmark(c.name.c_str(), screenFrame, std::cref(c))
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("harness/restoreSnapshot", restoreSnapshot,
                                 std::cref(screenCases.front()))
        ->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark(BASELINE_NAME, clearAndCopy)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("gfx::scrollBackdrop", scrollBackdrop)
        ->Unit(benchmark::kMicrosecond);
    for (int blend = 0; blend < 4; ++blend) {
        for (int orientation = 0; orientation < 4; ++orientation) {
            const std::string name = std::string("gfx::blit/") + WITCH.name + "/" +
                                     BLEND_NAMES[blend] + "/" + ORIENTATION_NAMES[orientation];
            benchmark::RegisterBenchmark(name.c_str(), blitSprite, WITCH, blend, orientation)
                ->Unit(benchmark::kNanosecond);
        }
    }
    for (const SpriteCase& sprite : {STAR, ORB}) {
        const std::string name =
            std::string("gfx::blit/") + sprite.name + "/BLEND_COPY/ORIENT_UPRIGHT";
        benchmark::RegisterBenchmark(name.c_str(), blitSprite, sprite, gfx::BLEND_COPY,
                                     gfx::ORIENT_UPRIGHT)
            ->Unit(benchmark::kNanosecond);
    }
    benchmark::RegisterBenchmark("game::drawText/longestLine", drawLongestText, longestLine())
        ->Unit(benchmark::kNanosecond);
}

// The console table, keeping the times of the runs the ratios are made of
// (the medians when --benchmark_repetitions asks for several).
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    explicit RatioReporter(OutputOptions options) : ConsoleReporter(options) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred) {
                continue;
            }
            const double unit = benchmark::GetTimeUnitMultiplier(run.time_unit);
            Times& times = measured[run.run_name.function_name];
            if (run.run_type == Run::RT_Iteration) {
                times.real.push_back(run.GetAdjustedRealTime() / unit);
                times.cpu.push_back(run.GetAdjustedCPUTime() / unit);
            } else if (run.aggregate_name == "median") {
                // --benchmark_report_aggregates_only shows no single runs.
                times.medianReal = run.GetAdjustedRealTime() / unit;
                times.medianCpu = run.GetAdjustedCPUTime() / unit;
            }
        }
    }

    void printRatios() {
        std::ostream& out = GetOutputStream();
        out << "\n";
        printRatio(out, "full-load gameFrame / clear+copy baseline", FULL_LOAD_NAME);
        printRatio(out, "full-load magic gameFrame / clear+copy baseline", MAGIC_FULL_LOAD_NAME);
        out.flush();
    }

  private:
    static double median(std::vector<double> values) {
        std::sort(values.begin(), values.end());
        const std::size_t n = values.size();
        return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
    }

    struct Times {
        std::vector<double> real;
        std::vector<double> cpu;
        double medianReal = -1.0; // from the library's median aggregate, if shown
        double medianCpu = -1.0;

        bool repeated() const { return real.size() > 1 || medianReal >= 0.0; }
        double realTime() const { return medianReal >= 0.0 ? medianReal : median(real); }
        double cpuTime() const { return medianCpu >= 0.0 ? medianCpu : median(cpu); }
    };
    std::map<std::string, Times> measured;

    void printRatio(std::ostream& out, const char* what, const char* frameName) {
        auto found = [this](const char* name) {
            const auto at = measured.find(name);
            return at == measured.end() || (at->second.real.empty() && at->second.medianReal < 0.0)
                       ? measured.end()
                       : at;
        };
        const auto frame = found(frameName);
        const auto base = found(BASELINE_NAME);
        if (frame == measured.end() || base == measured.end()) {
            out << what << ": not measured (the filter left out "
                << (frame == measured.end() ? frameName : BASELINE_NAME) << ")\n";
            return;
        }
        const double frameReal = frame->second.realTime();
        const double baseReal = base->second.realTime();
        const double frameCpu = frame->second.cpuTime();
        const double baseCpu = base->second.cpuTime();
        char line[400];
        std::snprintf(line, sizeof line,
                      "%s: %.2fx by CPU time, %.2fx by real time (target at most 2x)\n"
                      "  CPU time %.2f us / %.2f us; real time %.2f us / %.2f us%s\n",
                      what, frameCpu / baseCpu, frameReal / baseReal, frameCpu * 1e6, baseCpu * 1e6,
                      frameReal * 1e6, baseReal * 1e6,
                      frame->second.repeated() ? " (medians of the repetitions)" : "");
        out << line;
    }
};

// Colour as the library's own table has it: --benchmark_color=true|false,
// or by default when the output is a terminal.
benchmark::ConsoleReporter::OutputOptions tableOptions(int argc, char** argv) {
    bool colour = isatty(STDOUT_FILENO) != 0;
    const char* term = std::getenv("TERM");
    if (term != nullptr && std::strcmp(term, "dumb") == 0) {
        colour = false;
    }
    const std::string flag = "--benchmark_color=";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind(flag, 0) == 0) {
            const std::string value = arg.substr(flag.size());
            if (value == "true" || value == "yes" || value == "1") {
                colour = true;
            } else if (value == "false" || value == "no" || value == "0") {
                colour = false;
            }
        }
    }
    return colour ? benchmark::ConsoleReporter::OO_ColorTabular
                  : benchmark::ConsoleReporter::OO_Tabular;
}

} // namespace

int main(int argc, char** argv) {
    const benchmark::ConsoleReporter::OutputOptions options = tableOptions(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    buildScreenCases();
    registerAll();
    RatioReporter reporter(options);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
