// The game as a libretro core: the frontend's calls joined to the host.
// A frame per retro_run, the frontend pacing them; its reset is the game's
// reset; closing the content ends the game.
#include "platform/libretro/core.h"
#include "platform/frame.h"
#include "platform/keyboard_snapshot.h"
#include "platform/libretro/internal.h"
#include "shell/host.h"
#include "shell/window_procedure.h"

namespace {

using namespace retro;
using retroplatform::frontend;

bool loaded = false;

// A frame's worth of silence for frontends that keep time by the sound:
// 44100 / (1000 / 30) = 1323 stereo samples.
constexpr double SAMPLE_RATE = 44100.0;
constexpr std::size_t SAMPLES_PER_FRAME = 1323;
const std::int16_t silence[2 * SAMPLES_PER_FRAME] = {};

void playSilence() {
    const AudioSampleBatchFunction audio = frontend().audio;
    std::size_t left = SAMPLES_PER_FRAME;
    while (audio != nullptr && left > 0) {
        const std::size_t taken = audio(silence, left);
        if (taken == 0) {
            break;
        }
        left -= taken < left ? taken : left;
    }
}

// The game as the library was loaded, with no window.
void backToStart() {
    if (shell::windowAlive()) {
        shell::destroyWindow();
    }
    shell::resetProgram();
    platform::clearKeyboard();
    retroplatform::setFrameCount(0);
    retroplatform::resetWindow();
}

} // namespace

extern "C" {

void retro_set_environment(EnvironmentFunction callback) {
    frontend().environment = callback;
    retrocore::announce(callback);
}

void retro_set_video_refresh(VideoRefreshFunction callback) {
    frontend().video = callback;
}

void retro_set_audio_sample(AudioSampleFunction) {}

void retro_set_audio_sample_batch(AudioSampleBatchFunction callback) {
    frontend().audio = callback;
}

void retro_set_input_poll(InputPollFunction callback) {
    frontend().poll = callback;
}

void retro_set_input_state(InputStateFunction callback) {
    frontend().input = callback;
}

void retro_init() {}

void retro_deinit() {
    backToStart();
    retroplatform::resetPlatform();
    loaded = false;
}

unsigned retro_api_version() {
    return API_VERSION;
}

void retro_get_system_av_info(SystemAvInfo* info) {
    constexpr unsigned width = platform::FRAME_WIDTH;
    constexpr unsigned height = platform::FRAME_HEIGHT;
    *info = SystemAvInfo{GameGeometry{width, height, width, height, 4.0f / 3.0f},
                         SystemTiming{1000.0 / 30.0, SAMPLE_RATE}};
}

void retro_set_controller_port_device(unsigned port, unsigned device) {
    retroplatform::setPortDevice(port, device);
}

void retro_reset() {
    if (loaded) {
        platform::Message reset;
        reset.kind = platform::MessageKind::Command;
        reset.code = res::CMD_RESET;
        shell::handleMessage(reset);
    }
}

void retro_run() {
    // Nothing runs without the game's window (it is closed only as the
    // content is).
    if (!loaded || !shell::windowAlive()) {
        return;
    }
    if (frontend().poll != nullptr) {
        frontend().poll();
    }
    retroplatform::readKeyboard();
    retroplatform::countFrame();
    shell::frameStep();
    playSilence();
    retrocore::logFrame(retroplatform::frameCount(), retroplatform::shownPicture());
}

bool retro_load_game(const GameInfo*) {
    backToStart();
    if (!retrocore::prepareGame(frontend().environment)) {
        return false;
    }
    if (shell::startUp(platform::programModule()) != 0 || !shell::windowAlive()) {
        backToStart();
        return false;
    }
    retrocore::openFrameLog();
    loaded = true;
    return true;
}

bool retro_load_game_special(unsigned, const GameInfo*, std::size_t) {
    return false;
}

void retro_unload_game() {
    retrocore::closeFrameLog();
    backToStart();
    loaded = false;
}

unsigned retro_get_region() {
    return REGION_NTSC;
}

void* retro_get_memory_data(unsigned) {
    return nullptr;
}

std::size_t retro_get_memory_size(unsigned) {
    return 0;
}

void retro_cheat_reset() {}

void retro_cheat_set(unsigned, bool, const char*) {}

} // extern "C"
