// A small libretro frontend for the tests: loads a core with dlopen, hands
// it callbacks that record what it does and script its input.
#pragma once

#include "platform/libretro/api.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace retrotest {

struct EnvironmentCall {
    unsigned command;
    bool answered;
};

class Frontend {
  public:
    // Loads the core at `path` (a copy at another path is a second core
    // with statics of its own). Check loaded() before use.
    explicit Frontend(const std::string& path);
    ~Frontend();
    Frontend(const Frontend&) = delete;
    Frontend& operator=(const Frontend&) = delete;

    bool loaded() const { return library != nullptr && missing.empty(); }
    std::string missing; // names of entry points not found

    // retro_set_environment and the rest, init, load_game with no content.
    bool start();
    // unload_game, deinit.
    void stop();
    // retro_run; the picture it showed.
    void run(int frames = 1);

    // --- What the core did ---
    std::vector<EnvironmentCall> calls;
    std::vector<retro::InputDescriptor> descriptors; // as set, up to the end mark
    std::vector<std::string> descriptorNames;
    std::vector<retro::ControllerInfo> controllers;
    int pixelFormat = -1;
    bool supportsNoGame = false;
    std::uint64_t quirks = 99;
    std::vector<std::uint32_t> picture; // the last frame, top row first
    unsigned width = 0, height = 0;
    std::size_t pitch = 0;
    int videoCalls = 0;
    std::size_t audioFrames = 0; // stereo samples in the last run
    bool polled = false;         // the poll came before any input read
    bool readBeforePoll = false;

    // --- Input ---
    bool refusePixelFormat = false;
    std::uint16_t pads[8] = {};     // RetroPad buttons by port, bit n = id n
    std::int16_t sticks[8][2] = {}; // left stick x, y by port
    std::map<unsigned, bool> keys;  // keyboard device, by key code
    bool answerBitmasks = true;

    std::uint64_t pictureHash() const;
    std::vector<std::uint8_t> serialize();
    bool unserialize(const std::vector<std::uint8_t>& bytes);

    // The entry points.
    void (*set_environment)(retro::EnvironmentFunction) = nullptr;
    void (*set_video_refresh)(retro::VideoRefreshFunction) = nullptr;
    void (*set_audio_sample)(retro::AudioSampleFunction) = nullptr;
    void (*set_audio_sample_batch)(retro::AudioSampleBatchFunction) = nullptr;
    void (*set_input_poll)(retro::InputPollFunction) = nullptr;
    void (*set_input_state)(retro::InputStateFunction) = nullptr;
    void (*init)() = nullptr;
    void (*deinit)() = nullptr;
    unsigned (*api_version)() = nullptr;
    void (*get_system_info)(retro::SystemInfo*) = nullptr;
    void (*get_system_av_info)(retro::SystemAvInfo*) = nullptr;
    void (*set_controller_port_device)(unsigned, unsigned) = nullptr;
    void (*reset)() = nullptr;
    void (*run_)() = nullptr;
    std::size_t (*serialize_size)() = nullptr;
    bool (*serialize_)(void*, std::size_t) = nullptr;
    bool (*unserialize_)(const void*, std::size_t) = nullptr;
    void (*cheat_reset)() = nullptr;
    void (*cheat_set)(unsigned, bool, const char*) = nullptr;
    bool (*load_game)(const retro::GameInfo*) = nullptr;
    bool (*load_game_special)(unsigned, const retro::GameInfo*, std::size_t) = nullptr;
    void (*unload_game)() = nullptr;
    unsigned (*get_region)() = nullptr;
    void* (*get_memory_data)(unsigned) = nullptr;
    std::size_t (*get_memory_size)(unsigned) = nullptr;

    // Makes this the frontend the callbacks report to; every call above
    // through this object does it.
    void select();

  private:
    void* library = nullptr;
};

// The colours of the game's two texts, 0x00RRGGBB.
constexpr std::uint32_t PEACH = 0x00FAC8B4;
constexpr std::uint32_t MINT = 0x00C8FAB4;

// Whether any pixel of rows [top, bottom) has `colour`.
bool rowsHold(const std::vector<std::uint32_t>& picture, int top, int bottom, std::uint32_t colour);

// The screen a picture shows, by its texts: the title's name in peach, the
// setup's help line in mint at the bottom, the score line in mint at the
// top in play.
enum class Screen { Title, Setup, Play, Other };
Screen screenOf(const std::vector<std::uint32_t>& picture);

} // namespace retrotest
