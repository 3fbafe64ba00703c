// sorvi-host-bench: the real host on SDL's dummy video driver. How long
// start-up takes up to the first presented frame, and how fast the whole
// host frame without waiting (clear, gameFrame, present) runs at the full
// load, against gameFrame alone at the same load (docs/performance.md).
//
//   sorvi-host-bench [--startup-runs N] [--rounds N]
//
// SDL_VIDEODRIVER is set to "dummy" before SDL starts unless the caller set
// it. The program starts itself N more times (default 10) with
// --startup-only, each of which prints its own start-up figures and ends.
#include "game_load.h"

#include "game/flow.h"
#include "gfx/backdrop.h"
#include "platform/sdl/internal.h"
#include "shell/host.h"
#include "shell/window_procedure.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

double clockSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double monotonicSeconds() {
    return clockSeconds(CLOCK_MONOTONIC);
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "sorvi-host-bench: %s\n", what);
    std::exit(1);
}

// Seconds from this process's start (its exec), by the kernel's start
// time in /proc/self/stat (field 22, clock ticks since boot, so to the
// tick: 10 ms with USER_HZ 100) against CLOCK_BOOTTIME. Negative when it
// cannot be read.
double secondsSinceProcessStart(double bootNow) {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos) {
        return -1.0;
    }
    std::istringstream fields(text.substr(close + 1));
    std::string field;
    // Fields 3 .. 22 follow the command name; the 20th of them is the start time.
    for (int n = 3; n <= 22; ++n) {
        if (!(fields >> field)) {
            return -1.0;
        }
    }
    const long ticks = sysconf(_SC_CLK_TCK);
    if (ticks <= 0) {
        return -1.0;
    }
    return bootNow - std::stod(field) / static_cast<double>(ticks);
}

// Start-up figures of one process, in seconds.
struct StartUp {
    double fromEntry;
    double fromProcessStart; // negative when unknown
    double atFrame;          // CLOCK_MONOTONIC when the first frame was presented
};

// The program's start-up as the window program runs it (shell::runProgram):
// startUp, then the message loop until its first frame tick has presented
// a frame. The tick is seen by the title's backdrop moving on a pixel. The
// loop does not wait out the rest of the 30 ms after that first present.
StartUp startToFirstFrame(double entry) {
    if (shell::startUp(platform::programModule()) != 0) {
        fail("the host did not start (see above)");
    }
    shell::host.frameWait = 0;
    const std::int32_t offset = gfx::backdropOffset;
    platform::Message message;
    while (gfx::backdropOffset == offset) {
        if (shell::messageLoopStep(message) == 0) {
            fail("the program quit before its first frame");
        }
    }
    StartUp s{};
    s.atFrame = monotonicSeconds();
    const double bootNow = clockSeconds(CLOCK_BOOTTIME);
    s.fromEntry = s.atFrame - entry;
    s.fromProcessStart = secondsSinceProcessStart(bootNow);
    return s;
}

// The window program's own way out (the exit command), then SDL's end.
void endHost() {
    shell::destroyWindow();
    SDL_Quit();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// Seconds per call of `step` over `frames` calls: on the wall clock, and
// in this thread's CPU time (which leaves out the time other processes
// take the processor away).
struct PerFrame {
    double wall;
    double cpu;
};

PerFrame timePerFrame(const std::function<void()>& step, int frames) {
    const double wall0 = monotonicSeconds();
    const double cpu0 = clockSeconds(CLOCK_THREAD_CPUTIME_ID);
    for (int i = 0; i < frames; ++i) {
        step();
    }
    const double cpu1 = clockSeconds(CLOCK_THREAD_CPUTIME_ID);
    const double wall1 = monotonicSeconds();
    return PerFrame{(wall1 - wall0) / frames, (cpu1 - cpu0) / frames};
}

struct Spawned {
    StartUp child;
    double fromSpawn;
};

// This program again with --startup-only: its figures, and the time from
// just before posix_spawn to its first presented frame (the exec, the
// dynamic linking and the static set-up included).
Spawned spawnStartUp() {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        fail("no pipe for a start-up run");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char program[] = "/proc/self/exe";
    char option[] = "--startup-only";
    char* argv[] = {program, option, nullptr};
    pid_t pid = 0;
    const double before = monotonicSeconds();
    const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        fail("cannot start a start-up run");
    }
    std::string out;
    char buffer[256];
    ssize_t n = 0;
    while ((n = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        out.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    Spawned s{};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(out.c_str(), "%lf %lf %lf", &s.child.fromEntry, &s.child.fromProcessStart,
                    &s.child.atFrame) != 3) {
        fail("a start-up run failed");
    }
    s.fromSpawn = s.child.atFrame - before;
    return s;
}

void printSpread(const char* what, const std::vector<double>& values) {
    std::printf("  %-36s median %6.1f ms, min %6.1f ms, max %6.1f ms\n", what, median(values) * 1e3,
                *std::min_element(values.begin(), values.end()) * 1e3,
                *std::max_element(values.begin(), values.end()) * 1e3);
}

int argValue(int argc, char** argv, const char* name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) {
            return std::atoi(argv[i + 1]);
        }
    }
    return fallback;
}

} // namespace

int main(int argc, char** argv) {
    const double entry = monotonicSeconds();
    const bool driverGiven = std::getenv("SDL_VIDEODRIVER") != nullptr;
    if (!driverGiven) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
    }

    if (argc == 2 && std::strcmp(argv[1], "--startup-only") == 0) {
        const StartUp s = startToFirstFrame(entry);
        std::printf("%.9f %.9f %.9f\n", s.fromEntry, s.fromProcessStart, s.atFrame);
        endHost();
        return 0;
    }
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc || (std::strcmp(argv[i], "--startup-runs") != 0 &&
                              std::strcmp(argv[i], "--rounds") != 0)) {
            std::fprintf(stderr, "usage: sorvi-host-bench [--startup-runs N] [--rounds N]\n");
            return 2;
        }
    }
    const int startupRuns = std::max(0, argValue(argc, argv, "--startup-runs", 10));
    const int rounds = std::max(1, argValue(argc, argv, "--rounds", 7));

    const StartUp own = startToFirstFrame(entry);
    SDL_Surface* windowSurface = SDL_GetWindowSurface(sdlplatform::window());
    if (windowSurface == nullptr) {
        fail("no pixels for the window");
    }
    if (shell::presentFrame() != 1) {
        fail("a frame does not reach the window");
    }
    std::printf("sorvi-host-bench: SDL %s video driver (%s), window pixels %s\n\n",
                SDL_GetCurrentVideoDriver(), driverGiven ? "SDL_VIDEODRIVER as given" : "set here",
                SDL_GetPixelFormatName(windowSurface->format->format));

    // The whole host frame at the full load: the window's frame tick with
    // no wait and no fps overlay (clear, gameFrame, present), against
    // gameFrame alone on the same surface, and the clear and the present
    // each alone. Each frame starts from the same snapshot.
    shell::host.frameWait = 0;
    shell::host.showFps = 0;
    shell::host.framesRunning = 1;
    bench::enterFullLoad(game::Play, shell::surface);
    const bench::GameSnapshot load = bench::capture();
    struct Part {
        const char* name;
        std::function<void()> step;
        std::vector<double> wall;
        std::vector<double> cpu;
    };
    std::vector<Part> parts;
    parts.push_back(Part{"host frame (frameTick, no wait)",
                         [&load] {
                             bench::restore(load);
                             shell::frameTick();
                         },
                         {},
                         {}});
    parts.push_back(Part{"gameFrame alone",
                         [&load] {
                             bench::restore(load);
                             game::gameFrame(shell::surface);
                         },
                         {},
                         {}});
    parts.push_back(Part{"clearFramebuffer alone", [] { shell::clearFramebuffer(); }, {}, {}});
    parts.push_back(Part{"presentFrame alone", [] { shell::presentFrame(); }, {}, {}});
    // About a quarter of a second of host frames per round.
    const double estimate = timePerFrame(parts[0].step, 200).wall;
    const int frames = std::max(100, static_cast<int>(0.25 / estimate));
    for (int r = 0; r < rounds; ++r) {
        for (Part& part : parts) {
            const PerFrame t = timePerFrame(part.step, frames);
            part.wall.push_back(t.wall);
            part.cpu.push_back(t.cpu);
        }
    }
    bench::restore(load);
    shell::frameTick();
    bench::requireNoProblem("the host frame's load", bench::fullLoadProblem(game::Play));
    endHost();

    std::vector<double> fromEntry{own.fromEntry};
    std::vector<double> fromProcess;
    std::vector<double> fromSpawn;
    if (own.fromProcessStart >= 0.0) {
        fromProcess.push_back(own.fromProcessStart);
    }
    for (int i = 0; i < startupRuns; ++i) {
        const Spawned s = spawnStartUp();
        fromEntry.push_back(s.child.fromEntry);
        if (s.child.fromProcessStart >= 0.0) {
            fromProcess.push_back(s.child.fromProcessStart);
        }
        fromSpawn.push_back(s.fromSpawn);
    }

    std::printf("start-up to the first presented frame (target under 100 ms), %d runs:\n",
                1 + startupRuns);
    printSpread("from main() entry", fromEntry);
    if (!fromProcess.empty()) {
        printSpread("from process start (/proc, 10 ms)", fromProcess);
    }
    if (!fromSpawn.empty()) {
        printSpread("from posix_spawn in the parent", fromSpawn);
    }
    std::printf("  this process: %.1f ms from main() entry", own.fromEntry * 1e3);
    if (own.fromProcessStart >= 0.0) {
        std::printf(", %.0f ms from process start", own.fromProcessStart * 1e3);
    }
    std::printf("\n\n");

    std::printf("whole host frame without waiting, at the full load (35 stars, 10 orbs, 3 "
                "flying, full panels);\nmedians of %d rounds of %d frames:\n",
                rounds, frames);
    std::printf("  %-34s %11s %11s\n", "", "CPU time", "wall clock");
    for (const Part& part : parts) {
        std::printf("  %-34s %8.2f us %8.2f us\n", part.name, median(part.cpu) * 1e6,
                    median(part.wall) * 1e6);
    }
    const double hostCpu = median(parts[0].cpu);
    const double hostWall = median(parts[0].wall);
    const double gameCpu = median(parts[1].cpu);
    const double gameWall = median(parts[1].wall);
    std::printf("host frames per second: %.0f fps by CPU time, %.0f fps by the wall clock\n",
                1.0 / hostCpu, 1.0 / hostWall);
    std::printf("host frame / gameFrame alone: %.2fx by CPU time, %.2fx by the wall clock "
                "(target at most 2x)\n",
                hostCpu / gameCpu, hostWall / gameWall);
    return 0;
}
